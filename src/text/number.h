#pragma once
// Numbers kept as text (prices, amounts, stat indexes) are read as the number the text begins
// with: optional blanks, an optional sign, digits, an optional fraction. Text that does not begin
// with a number reads as 0. Conversions to an integer width round halves to even and clamp to the
// width's range, so a price of "99999999999" cannot wrap.
#include <cstdint>
#include <string_view>

namespace porukami::text {

double LeadingNumber(std::string_view s);
std::int32_t ToLong(std::string_view s);
std::int16_t ToInteger(std::string_view s);
// Rounds halves to even and clamps into [lo, hi].
std::int64_t RoundHalfEvenClamped(double v, std::int64_t lo, std::int64_t hi);

}  // namespace porukami::text
