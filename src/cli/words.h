#pragma once
// Reading the words and numbers of a command line or a script line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace porukami::cli {

std::vector<std::string> SplitWords(std::string_view line);
// The whole word as a decimal integer, or nothing.
std::optional<long long> ParseInt(std::string_view word);
// The whole word as a decimal number, or nothing.
std::optional<double> ParseDouble(std::string_view word);

}  // namespace porukami::cli
