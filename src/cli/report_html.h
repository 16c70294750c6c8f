#pragma once
// The report's pieces of HTML and SVG: text made safe for XML, numbers written the same way
// whatever the locale, and the mark on each figure taken from the simulator's counts.
#include <string>
#include <string_view>
#include <vector>

namespace porukami::cli::html {

// `s` with bytes that are not UTF-8, and control characters XML does not allow, as U+FFFD.
std::string CleanUtf8(std::string_view s);
// Text for an element or an attribute: markup characters escaped, bytes that are not UTF-8 and
// control characters XML does not allow shown as U+FFFD.
std::string Esc(std::string_view s);
// `v` with `decimals` digits after the point ("12.5"), never in the locale's form.
std::string Fixed(double v, int decimals);
// n out of `of` as a percentage with one decimal ("30.6 %"); "-" when `of` is 0.
std::string Percent(long long n, long long of);
// A count from the simulator, as a span (or an SVG tspan) that holds just the number and is
// marked with `tag`, "STRATEGY SECTION NAME" as `porukami-cli sim` prints it.
std::string Count(long long n, const std::string& tag, bool svg = false);

}  // namespace porukami::cli::html
