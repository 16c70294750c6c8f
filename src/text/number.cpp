#include "text/number.h"

#include <cmath>
#include <limits>

namespace porukami::text {

double LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  double value = 0;
  bool any = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    value = value * 10 + (s[i++] - '0');
    any = true;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      value += (s[i++] - '0') * scale;
      scale /= 10;
      any = true;
    }
  }
  if (!any || std::isinf(value)) return any ? (negative ? -1e300 : 1e300) : 0.0;
  return negative ? -value : value;
}

std::int64_t RoundHalfEvenClamped(double v, std::int64_t lo, std::int64_t hi) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(lo)) return lo;
  if (v >= static_cast<double>(hi)) return hi;
  double r = std::nearbyint(v);  // the default rounding mode rounds halves to even
  auto out = static_cast<std::int64_t>(r);
  return out < lo ? lo : (out > hi ? hi : out);
}

std::int32_t ToLong(std::string_view s) {
  return static_cast<std::int32_t>(RoundHalfEvenClamped(LeadingNumber(s),
                                                        std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
}

std::int16_t ToInteger(std::string_view s) {
  return static_cast<std::int16_t>(RoundHalfEvenClamped(LeadingNumber(s),
                                                        std::numeric_limits<std::int16_t>::min(),
                                                        std::numeric_limits<std::int16_t>::max()));
}

}  // namespace porukami::text
