#include <gtest/gtest.h>

#include "platform/text/cp1252.h"
#include "platform/text/xbase.h"

using namespace platform;

TEST(Cp1252, RoundTripsEveryByteThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(text::utf8ToCp1252(text::cp1252ToUtf8(all)), all);
  EXPECT_EQ(text::cp1252ToUtf8("\x80\x9A\xE8"), "\u20AC\u0161\u00E8");
}

TEST(Cp1252, UnmappableAndMalformedInputBecomesQuestionMarks) {
  EXPECT_EQ(text::utf8ToCp1252("\u0107"), "?");       // c with acute: not in the page
  EXPECT_EQ(text::utf8ToCp1252("a\xC3"), "a?");       // truncated sequence
  EXPECT_EQ(text::utf8ToCp1252("\xC0\xAF"), "??");    // overlong form
  EXPECT_EQ(text::utf8ToCp1252("\xED\xA0\x80"), "???");  // surrogate
}

TEST(Cp1252, UpperFoldsLettersOfBothHalves) {
  EXPECT_EQ(text::upperCp1252("abc\x9A\xE8z1"), "ABC\x8A\xC8Z1");
}

TEST(Xbase, SubStrFollowsTheLanguagePositions) {
  using xbase::SubStr;
  EXPECT_EQ(SubStr("ABCDEF", 2, 3), "BCD");
  EXPECT_EQ(SubStr("ABCDEF", 0, 2), "AB");
  EXPECT_EQ(SubStr("ABCDEF", -2, 2), "EF");
  EXPECT_EQ(SubStr("ABCDEF", -20, 2), "AB");
  EXPECT_EQ(SubStr("ABCDEF", 7), "");
  EXPECT_EQ(SubStr("ABCDEF", 4), "DEF");
}

TEST(Xbase, PositionsTrimsAndPads) {
  EXPECT_EQ(xbase::RAt("\\", "C:\\A\\B"), 5u);
  EXPECT_EQ(xbase::RAt("\\", "AB"), 0u);
  EXPECT_EQ(xbase::At("B", "ABAB"), 2u);
  EXPECT_EQ(xbase::AllTrim("  a b  "), "a b");
  EXPECT_EQ(xbase::PadR("abc", 5), "abc  ");
  EXPECT_EQ(xbase::PadR("abcdef", 3), "abc");
  EXPECT_EQ(xbase::PadL("7", 3), "  7");
  EXPECT_TRUE(xbase::Empty(" \t\r\n"));
  EXPECT_FALSE(xbase::Empty(" x"));
}

TEST(Xbase, ValAndStrZero) {
  EXPECT_EQ(xbase::Val("7 "), 7);
  EXPECT_EQ(xbase::Val(" 12.5x"), 12.5);
  EXPECT_EQ(xbase::Val("AB"), 0);
  EXPECT_EQ(xbase::Val(""), 0);
  EXPECT_EQ(xbase::Val("-3"), -3);
  EXPECT_EQ(xbase::StrZero(7, 2), "07");
  EXPECT_EQ(xbase::StrZero(1, 4), "0001");
  EXPECT_EQ(xbase::StrZero(0, 2), "00");
  EXPECT_EQ(xbase::StrZero(123, 2), "**");
}
