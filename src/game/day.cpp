#include <limits>

#include "app/Frm.h"

namespace porukami {

void Frm::AdvanceDay(std::uint8_t days, std::int32_t amount) {
  // Formed wide, so no income or fine can wrap the purse.
  const std::int64_t sum = static_cast<std::int64_t>(Money) + amount;
  if (sum > 100000) {
    Money = 100000;
  } else if (sum < 0) {
    Money = static_cast<std::int32_t>(sum < std::numeric_limits<std::int32_t>::min()
                                          ? std::numeric_limits<std::int32_t>::min()
                                          : sum);
    EnableCommands(false);
    StartScene("moneyend");
  } else {
    Money = static_cast<std::int32_t>(sum);
  }

  Day = static_cast<std::uint8_t>(Day + days);
  if (Day > 30) {
    for (auto& c : Com) c.Visible = false;
    StartScene("end");
  } else if (Day == 28) {
    Com[3].Visible = false;
    Com[4].Visible = false;
  }

  // The blank before the day is the sign position of a non-negative number.
  LblDay.Caption = "ムルの月 " + std::to_string(Day) + "日  \\" + std::to_string(Money);
}

void Frm::EnableCommands(bool enabled) {
  for (auto& c : Com) c.Enabled = enabled;
}

}  // namespace porukami
