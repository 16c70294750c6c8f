#include "cli/json.h"

#include <charconv>
#include <cmath>

namespace porukami::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void Escape(unsigned char c, std::string& out) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\n':
      out += "\\n";
      return;
    default:
      break;
  }
  if (c < 0x20) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[c >> 4];
    out += kHex[c & 15];
  } else {
    out += static_cast<char>(c);
  }
}

}  // namespace

std::size_t Utf8Length(std::string_view s) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < n || b(1) < lo || b(1) > hi) return 0;
  for (std::size_t i = 2; i < n; ++i)
    if ((b(i) & 0xC0) != 0x80) return 0;
  return n;
}

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  out.reserve(s.size() + 2);
  while (!s.empty()) {
    const std::size_t n = Utf8Length(s);
    if (n == 0) {
      out += kReplacement;
      s.remove_prefix(1);
    } else if (n == 1) {
      Escape(static_cast<unsigned char>(s[0]), out);
      s.remove_prefix(1);
    } else {
      out.append(s.substr(0, n));
      s.remove_prefix(n);
    }
  }
  return out + "\"";
}

std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

void JsonWriter::Value() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasItems_.empty()) {
    if (hasItems_.back()) out_ += ',';
    hasItems_.back() = true;
  }
}

JsonWriter& JsonWriter::Begin() {
  Value();
  out_ += '{';
  hasItems_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::End() {
  out_ += '}';
  hasItems_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Value();
  out_ += '[';
  hasItems_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  hasItems_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Value();
  out_ += JsonString(key);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view s) {
  Value();
  out_ += JsonString(s);
  return *this;
}

JsonWriter& JsonWriter::Int(std::int64_t v) {
  Value();
  out_ += std::to_string(v);
  return *this;
}

JsonWriter& JsonWriter::Number(double v) {
  Value();
  out_ += JsonNumber(v);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool v) {
  Value();
  out_ += v ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Value();
  out_ += "null";
  return *this;
}

JsonWriter& JsonWriter::Strings(const std::vector<std::string>& items) {
  BeginArray();
  for (const auto& s : items) String(s);
  return EndArray();
}

}  // namespace porukami::cli
