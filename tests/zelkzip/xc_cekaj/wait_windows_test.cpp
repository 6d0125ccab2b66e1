#include <gtest/gtest.h>

#include "platform/ui/scripted_backend.h"
#include "xc_lib/xc_cekaj/wait_windows.h"

namespace ui = platform::ui;

struct CenterCase {
  const char* name;
  ui::Size size, ref;
  ui::Point expected;
};

class CenterPosCases : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenterPosCases, TruncatesTowardZero) {
  const auto& c = GetParam();
  ui::Point p = CenterPos(c.size, c.ref);
  EXPECT_EQ(p.x, c.expected.x);
  EXPECT_EQ(p.y, c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CenterPosCases,
                         ::testing::Values(CenterCase{"even", {350, 82}, {1024, 768}, {337, 343}},
                                           CenterCase{"odd", {351, 83}, {1024, 768}, {336, 342}},
                                           CenterCase{"equal", {100, 50}, {100, 50}, {0, 0}},
                                           CenterCase{"smallerScreen", {350, 82}, {300, 81}, {-25, 0}},
                                           CenterCase{"muchSmallerScreen", {351, 85}, {300, 80}, {-25, -2}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextWaitWindow, OpensWithDefaultsAndTheLayoutAndClosesCleanly) {
  ui::ScopedScriptedDialogs script;
  yc_cekaj();
  ui::ScriptedWindow* w = script->openWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->layout.title, "SACEKAJ");
  EXPECT_EQ(w->layout.size.width, 350);
  EXPECT_EQ(w->layout.size.height, 82);
  EXPECT_EQ(w->layout.position.x, 337);
  EXPECT_FALSE(w->layout.systemMenu);
  EXPECT_TRUE(w->modal);
  ASSERT_EQ(w->layout.elements.size(), 2u);
  const auto& text = w->layout.elements[0];
  EXPECT_EQ(text.caption, "OPERACIJA U TOKU");
  EXPECT_EQ(text.position.x, 4);
  EXPECT_EQ(text.size.width, 334);
  EXPECT_EQ(text.size.height, 42);
  EXPECT_TRUE(text.wordWrap);
  EXPECT_EQ(text.foreground, ui::kColorDefaultBackground);
  EXPECT_EQ(text.background, ui::kColorDarkRed);
  EXPECT_EQ(w->layout.elements[1].caption, "");
  EXPECT_EQ(w->layout.elements[1].size.height, 60);
  EXPECT_EQ(CEKAJ().CEKAJ_Txt, 1);

  EXPECT_EQ(yc_cekaj_kraj(), 0);
  EXPECT_EQ(script->openWindow(), nullptr);
  EXPECT_EQ(CEKAJ().CEKAJ_oD, nullptr);
  EXPECT_EQ(script->kinds(), (std::vector<std::string>{"window", "close", "focus"}));
  EXPECT_EQ(yc_cekaj_kraj(), 0);  // closing twice is harmless
}

TEST(TextWaitWindow, ASecondOpenClosesTheFirst) {
  ui::ScopedScriptedDialogs script;
  yc_cekaj("PRVI", "a");
  yc_cekaj("DRUGI", "b");
  yc_cekaj_kraj();
  EXPECT_EQ(script->kinds(), (std::vector<std::string>{"window", "close", "focus", "window", "close", "focus"}));
}

TEST(ButtonWaitWindow, TwoStepCloseShowsTheDoneState) {
  ui::ScopedScriptedDialogs script;
  xc_cekaj();
  ui::ScriptedWindow* w = script->openWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->layout.size.height, 62);
  EXPECT_EQ(w->layout.elements[0].caption, "OPERACIJA U TOKU");
  EXPECT_FALSE(w->enabled[0]);  // the work is running
  w->press(0);
  w->key(0, ui::kKeyEnter);
  EXPECT_EQ(script->openWindow(), w) << "a disabled button must not end the wait";

  xc_cekaj_kraj();  // the caller's work is done
  EXPECT_EQ(w->layout.title, "GOTOVO");
  EXPECT_EQ(w->layout.elements[0].caption, "Pritisni Enter");
  EXPECT_TRUE(w->enabled[0]);
  EXPECT_EQ(w->focus, 0);
  w->key(0, 'x');
  EXPECT_EQ(script->openWindow(), w) << "only Enter, Esc or a click close it";
  w->key(0, ui::kKeyEsc);
  EXPECT_EQ(script->openWindow(), nullptr);
  EXPECT_EQ(script->records().back().kind, "focus");
}

TEST(ButtonWaitWindow, EnterAndClickCloseTheDoneState) {
  ui::ScopedScriptedDialogs script;
  for (bool click : {false, true}) {
    xc_cekaj("T", "B", true);
    xc_cekaj_kraj();
    ui::ScriptedWindow* w = script->openWindow();
    ASSERT_NE(w, nullptr);
    click ? w->press(0) : w->key(0, ui::kKeyEnter);
    EXPECT_EQ(script->openWindow(), nullptr);
  }
}

TEST(ButtonWaitWindow, WithoutStopOneCloseRemovesIt) {
  ui::ScopedScriptedDialogs script;
  xc_cekaj("T", "B", false);
  xc_cekaj_kraj();
  EXPECT_EQ(script->openWindow(), nullptr);
  EXPECT_EQ(CEKAJ().CEKAJ_oB, -1);
}

TEST(WaitWindowDemos, RunTheirSequence) {
  ui::ScopedScriptedDialogs script;
  yc_cekaj_test();
  EXPECT_EQ(script->records()[0].title, "CEKAJ");
  EXPECT_NE(script->records()[0].text.find("Enter.   U slucaju"), std::string::npos);
  EXPECT_EQ(script->openWindow(), nullptr);
  xc_cekaj_test();
  ASSERT_NE(script->openWindow(), nullptr);
  EXPECT_EQ(script->openWindow()->layout.title, "GOTOVO");
  script->openWindow()->key(0, ui::kKeyEnter);
  EXPECT_EQ(script->openWindow(), nullptr);
}
