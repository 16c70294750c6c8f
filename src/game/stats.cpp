#include "app/Frm.h"

namespace porukami {

void Frm::AddStat(int heroine, int stat, int delta) {
  if (heroine < 0 || heroine >= kHeroines || stat < 0 || stat >= kStatsPerHeroine) return;
  int value = Stats[heroine][stat] + delta;
  if (value > 100)
    value = 100;
  else if (value < 0)
    value = 0;
  Stats[heroine][stat] = static_cast<std::int16_t>(value);
  ShpStr[heroine * kStatsPerHeroine + stat].Geo.Width = value;
}

int Frm::BestStat(int heroine) const {
  int best = 0;
  for (int s = 0; s <= 2; ++s)
    if (Stats[heroine][s] > Stats[heroine][best]) best = s;
  return best;
}

}  // namespace porukami
