#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "support/fakes.h"
#include "text/cp932.h"
#include "text/number.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami::text {
namespace {

TEST(Cp932Test, WindowsMappingOfBackslashWaveDashAndCircledDigits) {
  EXPECT_EQ(Cp932ToUtf8("\x5C"), "\\");
  EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "\xEF\xBD\x9E");  // U+FF5E, not U+301C
  EXPECT_EQ(Cp932ToUtf8("\x87\x40"), "①");
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x83\x41"), "あア");
}

TEST(Cp932Test, UnreadableBytesAreFlaggedAndReplaced) {
  bool bad = false;
  EXPECT_EQ(Cp932ToUtf8("a\xFF"
                        "b",
                        &bad),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_TRUE(bad);
  EXPECT_EQ(Cp932ToUtf8("\x82\xA0x", &bad), "あx");
  EXPECT_FALSE(bad);
  // A lead byte at the very end has no trail to pair with.
  EXPECT_EQ(Cp932ToUtf8("x\x82", &bad), "x\xEF\xBF\xBD");
  EXPECT_TRUE(bad);
}

TEST(Cp932Test, EncodingRoundTripsAndRefusesUnmappableCharacters) {
  const std::string s = "依頼を解決しました！　￥\\250";
  auto bytes = Utf8ToCp932(s);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(Cp932ToUtf8(*bytes), s);
  std::size_t offset = 99;
  EXPECT_FALSE(Utf8ToCp932("ab\xC3\xA9", &offset).has_value());  // "é" has no CP932 form
  EXPECT_EQ(offset, 2u);
}

TEST(LineSplitTest, CrCrLfAndLoneLfAllEndALine) {
  TextFile f = SplitLines("a\rb\r\nc\nd");
  EXPECT_EQ(f.lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(f.loneLfLines, std::vector<int>{3});
}

TEST(LineSplitTest, LastLineWithoutTerminatorIsALine) {
  EXPECT_EQ(SplitLines("one\r\ntwo").lines, (std::vector<std::string>{"one", "two"}));
}

TEST(LineSplitTest, TrailingTerminatorGivesNoExtraLineButEmptyLinesCount) {
  EXPECT_EQ(SplitLines("one\r\n").lines, std::vector<std::string>{"one"});
  EXPECT_EQ(SplitLines("one\r\n\r\n").lines, (std::vector<std::string>{"one", ""}));
  EXPECT_EQ(SplitLines("\r\n\r\nx").lines, (std::vector<std::string>{"", "", "x"}));
  EXPECT_TRUE(SplitLines("").lines.empty());
}

TEST(LineSplitTest, DecodesEachLineAndNumbersTheBadOnes) {
  TextFile f = SplitLines("\x82\xA0\r\n\xFF\r\nok\r\n\x85\x40");
  ASSERT_EQ(f.lines.size(), 4u);
  EXPECT_EQ(f.lines[0], "あ");
  EXPECT_EQ(f.lines[2], "ok");
  EXPECT_EQ(f.badLines, (std::vector<int>{2, 4}));
}

TEST(LineSplitTest, LimitReadsOneLineMoreThanAllowed) {
  std::string bytes;
  for (int i = 0; i < 50; ++i) bytes += "x\r\n";
  EXPECT_EQ(SplitLines(bytes, 10).lines.size(), 11u);
  EXPECT_EQ(SplitLines(bytes, 50).lines.size(), 50u);
}

TEST(TextFileTest, MissingFileIsNotOpened) {
  porukami::testing::TempContent c;
  EXPECT_FALSE(ReadTextFile((c.dir() / "txt" / "nothing.dat").string()).opened);
  c.Raw("txt/x.dat", "\x82\xA0\r\n\x82\xA2");
  TextFile f = ReadTextFile(NativePath(c.dir().string() + "\\txt\\x.dat"));
  EXPECT_TRUE(f.opened);
  EXPECT_EQ(f.lines, (std::vector<std::string>{"あ", "い"}));
}

TEST(NumberTest, ReadsTheNumberTheTextBeginsWith) {
  EXPECT_DOUBLE_EQ(LeadingNumber("250"), 250);
  EXPECT_DOUBLE_EQ(LeadingNumber("  42円"), 42);
  EXPECT_DOUBLE_EQ(LeadingNumber("-7"), -7);
  EXPECT_DOUBLE_EQ(LeadingNumber("+3.25x"), 3.25);
  EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("12,34"), 12);
  for (const char* s : {"", "abc", "-", ".", "円100", "+."})
    EXPECT_DOUBLE_EQ(LeadingNumber(s), 0) << s;
}

TEST(NumberTest, HalvesRoundToEven) {
  EXPECT_EQ(ToLong("0.5"), 0);
  EXPECT_EQ(ToLong("1.5"), 2);
  EXPECT_EQ(ToLong("2.5"), 2);
  EXPECT_EQ(ToLong("3.5"), 4);
  EXPECT_EQ(ToLong("-2.5"), -2);
  EXPECT_EQ(ToLong("2.51"), 3);
  EXPECT_EQ(ToInteger("2.5"), 2);
  EXPECT_EQ(ToInteger("3.5"), 4);
  EXPECT_EQ(ToInteger("1.49"), 1);
}

TEST(NumberTest, NonNumbersReadAsZero) {
  EXPECT_EQ(ToLong("abc"), 0);
  EXPECT_EQ(ToInteger("x1"), 0);
  EXPECT_EQ(ToLong(""), 0);
}

TEST(NumberTest, HugeNumbersClampToTheirWidth) {
  EXPECT_EQ(ToLong("99999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ToLong("-99999999999"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ToInteger("40000"), 32767);
  EXPECT_EQ(ToInteger("-40000"), -32768);
  EXPECT_EQ(ToLong(std::string(400, '9')), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ToLong("2147483647"), 2147483647);
  EXPECT_EQ(ToInteger("32767"), 32767);
}

TEST(Utf8Test, CountsAndCutsByCharacter) {
  const std::string s = "ぽるかみ-m";
  EXPECT_EQ(Len(s), 6u);
  EXPECT_EQ(Left(s, 2), "ぽる");
  EXPECT_EQ(Left(s, 10), s);
  EXPECT_EQ(MidFrom(s, 4), "み-m");
  EXPECT_EQ(MidFrom(s, 7), "");
  EXPECT_EQ(CharAt(s, 3), "か");
  EXPECT_EQ(CharAt(s, 6), "m");
  EXPECT_EQ(CharAt(s, 7), "");
  EXPECT_EQ(MidFrom(">img あいう", 6), "あいう");
}

}  // namespace
}  // namespace porukami::text
