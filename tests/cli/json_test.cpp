// The JSON writer: escapes, numbers, and text that is not UTF-8.
#include "cli/json.h"

#include <gtest/gtest.h>

namespace porukami::cli {
namespace {

TEST(JsonString, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonString("a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(JsonString("\r\n"), R"("\r\n")");
  EXPECT_EQ(JsonString(std::string("\t\x01\x1f\x7f", 4)), "\"\\u0009\\u0001\\u001f\x7f\"");
  EXPECT_EQ(JsonString(std::string("\0", 1)), R"("\u0000")");
}

TEST(JsonString, KeepsUtf8AndReplacesWhatIsNotUtf8) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(JsonString("ぽるかみ▼😀"), "\"ぽるかみ▼😀\"");
  EXPECT_EQ(JsonString("\x80"), "\"" + fffd + "\"");             // lone continuation byte
  EXPECT_EQ(JsonString("\xE3\x81"), "\"" + fffd + fffd + "\"");  // cut short
  EXPECT_EQ(JsonString("\xC0\xAF"), "\"" + fffd + fffd + "\"");  // overlong
  EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"" + fffd + fffd + fffd + "\"");  // surrogate
  EXPECT_EQ(JsonString("\xF5\x80\x80\x80x"), "\"" + fffd + fffd + fffd + fffd + "x\"");
}

TEST(JsonNumber, WholeNumbersHaveNoFraction) {
  EXPECT_EQ(JsonNumber(12.0), "12");
  EXPECT_EQ(JsonNumber(-3.0), "-3");
  EXPECT_EQ(JsonNumber(0.5), "0.5");
  EXPECT_EQ(JsonNumber(1.0 / 3), "0.3333333333333333");
}

TEST(JsonWriter, SeparatesItemsAndNests) {
  JsonWriter j;
  j.Begin().Key("a").Int(1).Key("b").BeginArray().Bool(true).Null().Begin().End().EndArray();
  j.Key("c").Strings({"x", "y"}).End();
  EXPECT_EQ(j.str(), R"({"a":1,"b":[true,null,{}],"c":["x","y"]})");
}

}  // namespace
}  // namespace porukami::cli
