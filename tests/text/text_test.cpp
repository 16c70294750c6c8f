#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>

#include "text/cp932.h"
#include "text/number.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami::text {
namespace {

const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD

TEST(Cp932Test, DecodesTheWindowsMappingAndReplacesUnreadableBytes) {
  // clang-format off
  for (const auto& [bytes, utf8, bad] : std::vector<std::tuple<std::string, std::string, bool>>{
           {"\x5C\x81\x60\x87\x40", "\\\xEF\xBD\x9E①", false},  // U+FF5E, not U+301C
           {"\x82\xA0\x83\x41x", "あアx", false}, {"a\xFFz", "a" + kBad + "z", true},
           {"x\x82", "x" + kBad, true},         // a lead byte with no trail
           {"\x85\x40z", kBad + "z", true},     // a trail of 0x40 or more goes with its lead
           {"\x82\x20z", kBad + " z", true}}) {  // a lower one does not
    // clang-format on
    bool flagged = !bad;
    EXPECT_EQ(Cp932ToUtf8(bytes, &flagged), utf8) << bytes;
    EXPECT_EQ(flagged, bad) << bytes;
  }
}

TEST(LineSplitTest, AnyLineEndEndsALineAndTheLastNeedsNone) {
  using Numbers = std::vector<int>;
  using Row = std::tuple<std::string, std::vector<std::string>, Numbers, Numbers>;
  // clang-format off
  for (const auto& [bytes, lines, loneLf, bad] : std::vector<Row>{
           {"a\rb\r\nc\nd", {"a", "b", "c", "d"}, {3}, {}},
           {"a\r\r\nb\n\n", {"a", "", "b", ""}, {3, 4}, {}},
           {"one\r\n", {"one"}, {}, {}}, {"one\r\n\r\n", {"one", ""}, {}, {}},
           {"\r\n\r\nx", {"", "", "x"}, {}, {}}, {"", {}, {}, {}},
           {"\x82\xA0\r\n\xFF\r\nok\r\n\x85\x40", {"あ", kBad, "ok", kBad}, {}, {2, 4}}}) {
    // clang-format on
    const TextFile f = SplitLines(bytes);
    EXPECT_EQ(std::tie(f.lines, f.loneLfLines, f.badLines), std::tie(lines, loneLf, bad)) << bytes;
  }
  EXPECT_EQ(SplitLines(std::string(50, '\r'), 10).lines.size(), 11u);  // one more than allowed
}

TEST(NumberTest, ReadsTheLeadingNumberRoundsHalvesToEvenAndClamps) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(), kMin = -kMax - 1;
  using Row = std::tuple<std::string, double, std::int32_t, std::int16_t>;
  // clang-format off
  for (const auto& [s, leading, asLong, asInteger] : std::vector<Row>{
           {"250", 250, 250, 250}, {" \t42円", 42, 42, 42}, {"-7", -7, -7, -7},
           {"+3.25x", 3.25, 3, 3}, {".5", 0.5, 0, 0}, {"1.5", 1.5, 2, 2}, {"2.5", 2.5, 2, 2},
           {"3.5", 3.5, 4, 4}, {"-2.5", -2.5, -2, -2}, {"2.51", 2.51, 3, 3}, {"1.49", 1.49, 1, 1},
           {"40000", 40000, 40000, 32767}, {"-40000", -40000, -40000, -32768},
           {"2147483647", kMax, kMax, 32767}, {"99999999999", 99999999999, kMax, 32767},
           {"-99999999999", -99999999999, kMin, -32768}, {"12,34", 12, 12, 12},
           {std::string(400, '9'), 1e300, kMax, 32767}, {"", 0, 0, 0}, {"abc", 0, 0, 0},
           {"-", 0, 0, 0}, {".", 0, 0, 0}, {"+.", 0, 0, 0}, {"円100", 0, 0, 0}}) {
    // clang-format on
    EXPECT_DOUBLE_EQ(LeadingNumber(s), leading) << s;
    EXPECT_EQ(std::tuple(ToLong(s), ToInteger(s)), std::tuple(asLong, asInteger)) << s;
  }
}

TEST(Utf8Test, CountsAndCutsByCharacter) {
  const std::string s = "ぽるかみ-m";
  EXPECT_EQ(Len(s), 6u);
  EXPECT_EQ((std::vector{Left(s, 2), Left(s, 10), MidFrom(s, 0), MidFrom(s, 4), MidFrom(s, 7),
                         CharAt(s, 3), CharAt(s, 6), CharAt(s, 7)}),
            (std::vector<std::string_view>{"ぽる", s, s, "み-m", "", "か", "m", ""}));
  EXPECT_EQ(AsciiUpper("az-AZ@[`{あ"), "AZ-AZ@[`{あ");
}

}  // namespace
}  // namespace porukami::text
