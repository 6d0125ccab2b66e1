#include <gtest/gtest.h>

#include <sstream>

#include "platform/ui/scripted_backend.h"
#include "platform/ui/terminal_backend.h"

using namespace platform::ui;

namespace {
MessageBoxRequest yesNo(int defaultButton) {
  MessageBoxRequest r = MessageBoxRequest::fromStyle("Pitanje\r\nred dva", "NASLOV",
                                                     kButtonsYesNo | kIconQuestion | defaultButton | kForeground);
  return r;
}
}  // namespace

struct AnswerCase {
  const char* name;
  const char* input;
  int defaultButton;
  int answer;
};

class TerminalAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(TerminalAnswers, ReadsTheAnswerFromALine) {
  const auto& c = GetParam();
  std::istringstream in(c.input);
  std::ostringstream out;
  TerminalBackend t(in, out);
  EXPECT_EQ(t.messageBox(yesNo(c.defaultButton)), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TerminalAnswers,
    ::testing::Values(AnswerCase{"y", "y\n", kDefaultButton2, kAnswerYes},
                      AnswerCase{"Yes", "Yes\n", kDefaultButton2, kAnswerYes},
                      AnswerCase{"d", " d \n", kDefaultButton2, kAnswerYes},
                      AnswerCase{"DA", "DA\n", kDefaultButton2, kAnswerYes},
                      AnswerCase{"n", "n\n", 0, kAnswerNo},
                      AnswerCase{"no", "no\n", 0, kAnswerNo},
                      AnswerCase{"ne", "ne\n", 0, kAnswerNo},
                      AnswerCase{"emptyTakesNoDefault", "\n", kDefaultButton2, kAnswerNo},
                      AnswerCase{"emptyTakesYesDefault", "\n", 0, kAnswerYes},
                      AnswerCase{"endOfInputTakesDefault", "", kDefaultButton2, kAnswerNo},
                      AnswerCase{"unknownAsksAgain", "maybe\nda\n", kDefaultButton2, kAnswerYes},
                      AnswerCase{"crlfLine", "n\r\n", 0, kAnswerNo}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TerminalBackend, PrintsTitleAndTextLineByLine) {
  std::istringstream in("\n");
  std::ostringstream out;
  TerminalBackend t(in, out);
  t.messageBox(yesNo(kDefaultButton2));
  EXPECT_EQ(out.str(), "=== NASLOV ===\nPitanje\nred dva\n[Da/NE] ");
}

TEST(ScriptedBackend, RecordsDialogsAndAnswersOnlyQuestionsFromTheQueue) {
  ScopedScriptedDialogs script;
  script->queueAnswer(kAnswerYes);
  EXPECT_EQ(messageBox("info", "T1"), kAnswerOk);  // an OK box takes no answer
  EXPECT_EQ(messageBox("q", "T2", kButtonsYesNo | kDefaultButton2), kAnswerYes);
  EXPECT_EQ(messageBox("q", "T3", kButtonsYesNo | kDefaultButton2), kAnswerNo);  // queue empty: default
  dialogs().alert("pazi");
  ASSERT_EQ(script->records().size(), 4u);
  EXPECT_EQ(script->records()[0].title, "T1");
  EXPECT_EQ(script->records()[1].answer, kAnswerYes);
  EXPECT_EQ(script->records()[2].request.defaultButton, kDefaultButton2);
  EXPECT_EQ(script->records()[3].kind, "alert");
}
