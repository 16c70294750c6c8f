#include "app/Frm.h"

namespace porukami {

void Frm::Com_Click(int index) {
  if (index < 0 || index >= kComCount) return;
  GameStt();
  std::int32_t cost = 0;
  if (index == 3) {
    ShowBackground("mori");
    SearchForest();
    cost = 500;
  } else if (index == 4) {
    Pic.Cls();
    MakeRequests();
    cost = 100;
  } else {
    cost = static_cast<std::int32_t>(Rnd() * 2000) + 1000;
    const int gain = static_cast<int>(Rnd() * 30);
    AddStat(index, 3, gain);
    VisitHeroine(index);
  }
  AdvanceDay(1, -cost);
}

}  // namespace porukami
