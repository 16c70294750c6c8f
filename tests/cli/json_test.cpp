// The JSON writer: escapes, numbers, and text that is not UTF-8.
#include "cli/json.h"

#include <gtest/gtest.h>

namespace porukami::cli {
namespace {

TEST(Json, StringsNumbersAndNesting) {
  const std::string bad = "\xEF\xBF\xBD";  // U+FFFD for each byte that is not UTF-8
  const std::pair<std::string, std::string> strings[] = {
      {"a\"b\\c", R"("a\"b\\c")"},
      {"\r\n", R"("\r\n")"},
      {std::string("\t\x01\x1f\x7f", 4), "\"\\u0009\\u0001\\u001f\x7f\""},
      {std::string("\0", 1), R"("\u0000")"},
      {"ぽるかみ▼😀", "\"ぽるかみ▼😀\""},
      {"\x80", "\"" + bad + "\""},                      // a lone continuation byte
      {"\xE3\x81", "\"" + bad + bad + "\""},            // cut short
      {"\xC0\xAF", "\"" + bad + bad + "\""},            // overlong
      {"\xED\xA0\x80", "\"" + bad + bad + bad + "\""},  // a surrogate
      {"\xF5\x80\x80\x80x", "\"" + bad + bad + bad + bad + "x\""},
  };
  for (const auto& [in, out] : strings) EXPECT_EQ(JsonString(in), out);
  EXPECT_EQ(JsonNumber(12.0), "12");
  EXPECT_EQ(JsonNumber(-3.0), "-3");
  EXPECT_EQ(JsonNumber(0.5), "0.5");
  EXPECT_EQ(JsonNumber(1.0 / 3), "0.3333333333333333");
  JsonWriter j;
  j.Begin().Key("a").Int(1).Key("b").BeginArray().Bool(true).Null().Begin().End().EndArray();
  j.Key("c").Strings({"x", "y"}).End();
  EXPECT_EQ(j.str(), R"({"a":1,"b":[true,null,{}],"c":["x","y"]})");
}

}  // namespace
}  // namespace porukami::cli
