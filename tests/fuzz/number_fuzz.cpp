// The number reader: any text gives a number within the width asked for, equal to the number the
// text begins with, rounded halves to even. A plain reference reading (the C library's strtod on
// the same leading characters) decides, except where the two may honestly differ in the last
// bits: a value within a few units in the last place of a half.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/number.h"

namespace porukami::fuzz {
namespace {

// The characters the reader takes: blanks, a sign, digits, a point and digits.
std::string LeadingNumberText(std::string_view s, bool& any) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  std::string out;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
  any = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    out += s[i++];
    any = true;
  }
  if (i < s.size() && s[i] == '.') {
    out += s[i++];
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      out += s[i++];
      any = true;
    }
  }
  return out;
}

template <typename T>
void CheckWidth(std::string_view s, double reference, std::int64_t got, const char* what) {
  constexpr auto lo = static_cast<double>(std::numeric_limits<T>::min());
  constexpr auto hi = static_cast<double>(std::numeric_limits<T>::max());
  FUZZ_CHECK(got >= std::numeric_limits<T>::min() && got <= std::numeric_limits<T>::max(),
             std::string(what) + " out of its width");
  if (reference <= lo) {
    FUZZ_CHECK(got == std::numeric_limits<T>::min(),
               std::string(what) + " does not clamp low: " + std::string(s.substr(0, 80)));
    return;
  }
  if (reference >= hi) {
    FUZZ_CHECK(got == std::numeric_limits<T>::max(),
               std::string(what) + " does not clamp high: " + std::string(s.substr(0, 80)));
    return;
  }
  // The reader adds digit by digit, so it may land a few units in the last place away from the
  // correctly rounded value; within that of a half, either neighbour is an honest answer.
  const double frac = reference - std::floor(reference);
  const double slack = 8 * std::max(std::fabs(reference) * std::numeric_limits<double>::epsilon(),
                                    std::numeric_limits<double>::min());
  if (std::fabs(frac - 0.5) <= slack) return;
  const double expected = std::nearbyint(reference);
  FUZZ_CHECK(static_cast<double>(got) == expected, std::string(what) + " gives " +
                                                       std::to_string(got) + " for \"" +
                                                       std::string(s.substr(0, 80)) + "\"");
}

}  // namespace
}  // namespace porukami::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  const std::string_view s(reinterpret_cast<const char*>(data), size);

  const double value = text::LeadingNumber(s);
  FUZZ_CHECK(!std::isnan(value), "LeadingNumber is NaN");
  const std::int32_t asLong = text::ToLong(s);
  const std::int16_t asInteger = text::ToInteger(s);

  bool any = false;
  const std::string number = LeadingNumberText(s, any);
  if (!any) {
    FUZZ_CHECK(value == 0 && asLong == 0 && asInteger == 0,
               "text without a number reads as " + std::to_string(value));
  } else {
    // The number as the C library reads it, correctly rounded to a double like the game's own.
    const double reference = std::strtod(number.c_str(), nullptr);
    if (std::isfinite(reference) && std::fabs(reference) < 1e15) {
      FUZZ_CHECK(std::fabs(value - reference) <= 1e-9 * std::max(1.0, std::fabs(reference)),
                 "LeadingNumber reads " + std::to_string(value) + " for \"" + number + "\"");
    }
    CheckWidth<std::int32_t>(s, reference, asLong, "ToLong");
    CheckWidth<std::int16_t>(s, reference, asInteger, "ToInteger");
  }

  // Rounding any double into any range stays in the range and never converts out of range.
  if (size >= 24) {
    double v;
    std::int64_t a, b;
    std::memcpy(&v, data, sizeof v);
    std::memcpy(&a, data + 8, sizeof a);
    std::memcpy(&b, data + 16, sizeof b);
    if (a > b) std::swap(a, b);
    const std::int64_t r = text::RoundHalfEvenClamped(v, a, b);
    FUZZ_CHECK((std::isnan(v) && r == 0) || (r >= a && r <= b),
               "RoundHalfEvenClamped leaves its range");
  }
  return 0;
}
