#include "cli/words.h"

#include <charconv>
#include <cmath>

namespace porukami::cli {

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<long long> ParseInt(std::string_view word) {
  long long v = 0;
  const char* end = word.data() + word.size();
  const auto r = std::from_chars(word.data(), end, v);
  if (r.ec != std::errc() || r.ptr != end) return std::nullopt;
  return v;
}

std::optional<double> ParseDouble(std::string_view word) {
  double v = 0;
  const char* end = word.data() + word.size();
  const auto r = std::from_chars(word.data(), end, v);
  if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace porukami::cli
