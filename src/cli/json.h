#pragma once
// A small JSON writer. Strings are written as UTF-8; a byte that is not part of well-formed UTF-8
// is written as U+FFFD, so the output is valid JSON whatever a string holds.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace porukami::cli {

// The length of the well-formed UTF-8 sequence at the start of `s` (not empty), or 0.
std::size_t Utf8Length(std::string_view s);
// `s` as a JSON string, quotes included.
std::string JsonString(std::string_view s);
// A number as JSON: whole numbers without a fraction, others in the shortest exact form.
std::string JsonNumber(double v);

class JsonWriter {
 public:
  JsonWriter& Begin();  // {
  JsonWriter& End();    // }
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view s);
  JsonWriter& Int(std::int64_t v);
  JsonWriter& Number(double v);
  JsonWriter& Bool(bool v);
  JsonWriter& Null();
  JsonWriter& Strings(const std::vector<std::string>& items);
  const std::string& str() const { return out_; }

 private:
  void Value();
  std::string out_;
  std::vector<bool> hasItems_;
  bool afterKey_ = false;
};

}  // namespace porukami::cli
