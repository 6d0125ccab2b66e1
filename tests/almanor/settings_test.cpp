#include <gtest/gtest.h>

#include "almanor/core/dates.h"
#include "almanor/core/settings.h"
#include "support/locales.h"
#include "support/temp_folder.h"

namespace almanor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

const DayNumber k21July2003 = 147028;

class SettingsTest : public ::testing::Test {
 protected:
  std::filesystem::path folder = testing::FreshFolder();
  Settings settings{folder};
  RunState run;
  void SetUp() override { run.Today = k21July2003; }
};

TEST_F(SettingsTest, NumbersReadWithDefaultsOnlyForAbsentKeys) {
  WriteFile(folder / "Almanor.ini", "[Main]\r\nWinX=-12\r\nWinY=\r\nWidth=60;;40\r\nHeight=x\r\n");
  settings.CurrentSection = "Main";
  EXPECT_EQ(settings.IniReadNumber("WinX", 200), -12);
  EXPECT_EQ(settings.IniReadNumber("WinY", 200), 0);
  EXPECT_EQ(settings.IniReadNumber("Width", 550), 60);
  EXPECT_EQ(settings.IniReadNumber("Height", 350), 0);
  EXPECT_EQ(settings.IniReadNumber("BGcolor", 14742783), 14742783);
  EXPECT_EQ(settings.IniReadNumber("Cols", -1), -1);
}

TEST_F(SettingsTest, ReadsGoToTheSectionSetLast) {
  WriteFile(folder / "Almanor.ini", "[Date]\nDone=1\n[Main]\nDone=2\n");
  settings.CurrentSection = "Main";
  EXPECT_EQ(settings.IniReadNumber("Done", 0), 2);
  settings.CurrentSection = "Date";
  EXPECT_EQ(settings.IniReadNumber("Done", 0), 1);
}

TEST_F(SettingsTest, LongValuesReadAsTheir254FirstCharacters) {
  WriteFile(folder / "Almanor.ini", "[Main]\nSoundFile=" + std::string(300, 's') + "\n");
  settings.CurrentSection = "Main";
  EXPECT_EQ(settings.IniReadText("SoundFile", ""), std::string(254, 's'));
}

TEST_F(SettingsTest, MissingFileGivesEveryDefault) {
  ReadStartSettings(run, settings, testing::German());
  ReadWindowSettings(run, settings);
  EXPECT_EQ(run.Language, "");
  EXPECT_EQ(run.DateFormat, "dd.MM.yyyy");
  EXPECT_EQ(run.Done, k21July2003 - 1);
  EXPECT_EQ(run.WindowStart, k21July2003);
  EXPECT_EQ(run.SoundFile, "");
  EXPECT_EQ(run.BGcolor, 14742783);
  EXPECT_EQ(run.WinX, 200);
  EXPECT_EQ(run.WinY, 200);
  EXPECT_EQ(run.Width, 550);
  EXPECT_EQ(run.Height, 350);
  EXPECT_EQ(run.Cols, "40;90;40;350");
  EXPECT_FALSE(std::filesystem::exists(folder / "Almanor.ini"));
}

TEST_F(SettingsTest, StoredValuesWinOverDefaults) {
  WriteFile(folder / "almanor.INI",
            "[Date]\nLanguage=Deutsch\nDateFormat=d/M/yy\nDone=147020\nLast=147027\n"
            "[Main]\nSoundFile=C:\\ding.wav\nBGcolor=255\nCols=60;;40\n");
  ReadStartSettings(run, settings, testing::English());
  ReadWindowSettings(run, settings);
  EXPECT_EQ(run.Language, "Deutsch");
  EXPECT_EQ(run.DateFormat, "d/M/yy");  // a stored picture is taken as it is
  // The first run of the day: everything after the last run is unseen.
  EXPECT_EQ(run.Done, 147027);
  EXPECT_EQ(run.WindowStart, 147028);
  EXPECT_EQ(run.SoundFile, "C:\\ding.wav");
  EXPECT_EQ(run.BGcolor, 255);
  EXPECT_EQ(run.Cols, "60;;40");
}

TEST_F(SettingsTest, ExitWritesEveryKeyAndStartReadsThemBack) {
  WriteFile(folder / "Almanor.ini", "; keep me\r\n[Date]\r\nLanguage=Deutsch\r\n");
  run.Done = 147030;
  run.SoundFile = "C:\\ding.wav";
  run.BGcolor = 65280;
  run.WinX = -4;
  run.Cols = "40;90;40;350;";
  ASSERT_TRUE(WriteExitSettings(run, settings, false));
  EXPECT_EQ(ReadFile(folder / "Almanor.ini"),
            "; keep me\r\n[Date]\r\nLanguage=Deutsch\r\nLast=147028\r\nDone=147030\r\n"
            "[Main]\r\nWinX=-4\r\nWinY=200\r\nWidth=550\r\nHeight=350\r\nCols=40;90;40;350;\r\n"
            "SoundFile=C:\\ding.wav\r\nBGcolor=65280\r\n");

  RunState next;
  next.Today = k21July2003;
  ReadStartSettings(next, settings, testing::English());
  ReadWindowSettings(next, settings);
  EXPECT_EQ(next.Done, 147030);  // same day: the stored Done stands
  EXPECT_EQ(next.WindowStart, 147031);
  EXPECT_EQ(next.WinX, -4);
  EXPECT_EQ(next.SoundFile, "C:\\ding.wav");
}

TEST_F(SettingsTest, MinimisedExitKeepsTheStoredGeometry) {
  WriteFile(folder / "Almanor.ini", "[Main]\r\nWinX=7\r\n");
  run.WinX = 999;
  ASSERT_TRUE(WriteExitSettings(run, settings, true));
  settings.CurrentSection = "Main";
  EXPECT_EQ(settings.IniReadNumber("WinX", 0), 7);
  EXPECT_EQ(settings.IniReadText("Cols", "absent"), "absent");
  EXPECT_EQ(settings.IniReadNumber("BGcolor", 0), 14742783);
}

TEST_F(SettingsTest, TheWorkingDirectoryPlaysNoPart) {
  auto elsewhere = folder / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  WriteFile(elsewhere / "Almanor.ini", "[Main]\nSoundFile=wrong.wav\n");
  WriteFile(folder / "Almanor.ini", "[Main]\nSoundFile=right.wav\n");
  auto before = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere);
  ReadStartSettings(run, settings, testing::English());
  bool written = WriteExitSettings(run, settings, false);
  std::filesystem::current_path(before);
  EXPECT_EQ(run.SoundFile, "right.wav");
  EXPECT_TRUE(written);
  EXPECT_EQ(ReadFile(elsewhere / "Almanor.ini"), "[Main]\nSoundFile=wrong.wav\n");
}

}  // namespace
}  // namespace almanor
