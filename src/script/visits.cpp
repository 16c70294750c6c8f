#include "app/Frm.h"

namespace porukami {

void Frm::VisitHeroine(int h) {
  if (h < 0 || h >= kHeroines) return;
  const int b = BestStat(h);
  std::string variant;
  if (Stage[h] == 5) {
    Stage[h] = 6;
  } else if (Day == 28 && Stats[h][b] > 100.0 * 2 / 3 && Stats[h][3] >= 90 && b == KeyStat(h)) {
    Stage[h] = 5;
  } else {
    Stage[h] = static_cast<std::int16_t>(Stats[h][b] < 100.0 / 3 ? 1 : b + 2);
    variant = std::to_string(static_cast<int>(Rnd() * 3));
  }
  if (Stage[h] == 6) EnableCommands(false);
  StartScene(std::to_string(h) + std::to_string(Stage[h]) + variant);
}

}  // namespace porukami
