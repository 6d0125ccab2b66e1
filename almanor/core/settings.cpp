#include "almanor/core/settings.h"

#include "almanor/core/date_format.h"
#include "almanor/core/files.h"
#include "almanor/core/occurrences.h"
#include "almanor/core/text.h"
#include "platform/profile/profile_file.h"

namespace almanor {

Settings::Settings(std::filesystem::path programFolder) : folder_(std::move(programFolder)) {}

std::filesystem::path Settings::File() const {
  // Resolved on every access: the file may appear, under any spelling,
  // while the program runs.
  return ProgramFile(folder_, kSettingsFileName);
}

std::string Settings::IniReadText(std::string_view key, std::string_view fallback) const {
  return platform::profile::readString(File(), CurrentSection, key, fallback,
                                       kSettingsBufferSize);
}

std::int32_t Settings::IniReadNumber(std::string_view key, std::int32_t fallback) const {
  return ParseNumber(IniReadText(key, std::to_string(fallback)));
}

bool Settings::IniWriteText(std::string_view key, std::string_view value) {
  return platform::profile::writeString(File(), CurrentSection, key, value);
}

bool Settings::IniWriteNumber(std::string_view key, std::int32_t value) {
  return IniWriteText(key, std::to_string(value));
}

void ReadStartSettings(RunState& run, Settings& settings,
                       const platform::locale::LocaleData& locale) {
  std::string picture = WidenYearPicture(LocaleText(LocaleItem::ShortDate, locale));
  settings.CurrentSection = "Date";
  run.Language = settings.IniReadText("Language", "");
  run.DateFormat = settings.IniReadText("DateFormat", picture);
  DayNumber fallback = run.Today - 1;
  DayNumber done = settings.IniReadNumber("Done", fallback);
  DayNumber last = settings.IniReadNumber("Last", fallback);
  PlaceWindowAtStart(run, done, last);
  settings.CurrentSection = "Main";
  run.SoundFile = settings.IniReadText("SoundFile", "");
  run.BGcolor = settings.IniReadNumber("BGcolor", 14742783);
}

void ReadWindowSettings(RunState& run, Settings& settings) {
  settings.CurrentSection = "Main";
  run.WinX = settings.IniReadNumber("WinX", 200);
  run.WinY = settings.IniReadNumber("WinY", 200);
  run.Width = settings.IniReadNumber("Width", 550);
  run.Height = settings.IniReadNumber("Height", 350);
  run.Cols = settings.IniReadText("Cols", "40;90;40;350");
}

bool WriteExitSettings(const RunState& run, Settings& settings, bool minimised) {
  bool ok = true;
  settings.CurrentSection = "Main";
  if (!minimised) {
    ok &= settings.IniWriteNumber("WinX", run.WinX);
    ok &= settings.IniWriteNumber("WinY", run.WinY);
    ok &= settings.IniWriteNumber("Width", run.Width);
    ok &= settings.IniWriteNumber("Height", run.Height);
    ok &= settings.IniWriteText("Cols", run.Cols);
  }
  ok &= settings.IniWriteText("SoundFile", run.SoundFile);
  ok &= settings.IniWriteNumber("BGcolor", run.BGcolor);
  settings.CurrentSection = "Date";
  ok &= settings.IniWriteNumber("Last", run.Today);
  ok &= settings.IniWriteNumber("Done", run.Done);
  return ok;
}

}  // namespace almanor
