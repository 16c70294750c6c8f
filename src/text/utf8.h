#pragma once
// Character-position helpers: the game counts characters, never bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace porukami::text {

// Number of characters (code points) in a UTF-8 string.
std::size_t Len(std::string_view s);
// The first n characters, or the whole string when it is shorter.
std::string_view Left(std::string_view s, std::size_t n);
// From character `start` (1-based) to the end; empty when the string is shorter.
std::string_view MidFrom(std::string_view s, std::size_t start);
// Character `pos` (1-based), or empty when the string is shorter.
std::string_view CharAt(std::string_view s, std::size_t pos);
// Upper-cases ASCII letters.
std::string AsciiUpper(std::string_view s);

}  // namespace porukami::text
