#include "text/utf8.h"

namespace porukami::text {
namespace {

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset of character n (0-based); s.size() when the string has fewer characters.
std::size_t Offset(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  while (i < s.size() && n > 0) {
    ++i;
    while (i < s.size() && IsContinuation(s[i])) ++i;
    --n;
  }
  return i;
}

}  // namespace

std::size_t Len(std::string_view s) {
  std::size_t n = 0;
  for (char c : s)
    if (!IsContinuation(c)) ++n;
  return n;
}

std::string_view Left(std::string_view s, std::size_t n) {
  return s.substr(0, Offset(s, n));
}

std::string_view MidFrom(std::string_view s, std::size_t start) {
  if (start < 1) start = 1;
  return s.substr(Offset(s, start - 1));
}

std::string_view CharAt(std::string_view s, std::size_t pos) {
  std::string_view rest = MidFrom(s, pos);
  return rest.substr(0, Offset(rest, 1));
}

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace porukami::text
