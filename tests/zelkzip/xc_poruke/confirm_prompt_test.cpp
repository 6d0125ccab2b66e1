#include <gtest/gtest.h>

#include "platform/ui/scripted_backend.h"
#include "xc_lib/xc_poruke/confirm_prompt.h"

namespace ui = platform::ui;

struct IconCase {
  const char* name;
  std::optional<std::string> slika;
  int style;
};

class IconCodes : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconCodes, MapToMessageBoxStyles) {
  ui::ScopedScriptedDialogs script;
  F_ND("a", "b", GetParam().slika);
  ASSERT_EQ(script->records().size(), 1u);
  const auto& r = script->records()[0].request;
  EXPECT_EQ(r.icon, GetParam().style);
  EXPECT_TRUE(r.foreground);
  EXPECT_EQ(r.buttons, ui::kButtonsYesNo);
}

INSTANTIATE_TEST_SUITE_P(Codes, IconCodes,
                         ::testing::Values(IconCase{"omitted", std::nullopt, 32}, IconCase{"empty", "", 32},
                                           IconCase{"blank", "   ", 32}, IconCase{"question", "?", 32},
                                           IconCase{"warning", "U", 48}, IconCase{"warningLonger", "Upozorenje", 48},
                                           IconCase{"lowerCaseU", "u", 0}, IconCase{"information", "I", 64},
                                           IconCase{"stop", "X", 16}, IconCase{"other", "Q", 0},
                                           IconCase{"leadingBlank", " U", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(F_ND, JoinsTheTextsAndDefaultsTitleAndText) {
  ui::ScopedScriptedDialogs script;
  F_ND("prvi", "");
  F_ND(" ", "\r\n ");
  F_ND("a", "b", "?", "  ");
  F_ND("a", "b", "?", "NASLOV");
  ASSERT_EQ(script->records().size(), 4u);
  EXPECT_EQ(script->records()[0].text, "prvi\r\n");
  EXPECT_EQ(script->records()[0].title, "START OPERACIJE");
  EXPECT_EQ(script->records()[1].text, "Izbor akcije za nastavak operacije\r\nili izbor prekida nastavka operacije");
  EXPECT_EQ(script->records()[2].title, "START OPERACIJE");
  EXPECT_EQ(script->records()[3].title, "NASLOV");
}

TEST(F_ND, NoIsTheDefaultUnlessStopIsOne) {
  ui::ScopedScriptedDialogs script;
  EXPECT_FALSE(F_ND("a", "b"));                            // Enter at once: No
  EXPECT_FALSE(F_ND("a", "b", "?", "T", 0));
  EXPECT_TRUE(F_ND("a", "b", "?", "T", 1));                // Enter at once: Yes
  EXPECT_EQ(script->records()[0].request.defaultButton, ui::kDefaultButton2);
  EXPECT_EQ(script->records()[2].request.defaultButton, 0);
  script->queueAnswer(ui::kAnswerYes);
  EXPECT_TRUE(F_ND("a", "b"));
  script->queueAnswer(ui::kAnswerNo);
  EXPECT_FALSE(F_ND("a", "b", "?", "T", 1));
}
