#include "app/Frm.h"

namespace porukami {

void Frm::Form_Activate() {
  for (auto& c : Com) c.Visible = true;
  Lst.Clear();
  LstIrai.Clear();
  Day = 1;
  Money = 10000;
  for (int h = 0; h < kHeroines; ++h) {
    for (int s = 0; s < kStatsPerHeroine; ++s) {
      Stats[h][s] = 0;
      AddStat(h, s, 0);
    }
    Stage[h] = 1;
  }
  EnableCommands(true);
  AdvanceDay(0, 0);
  StartScene(kOpeningScene);
}

}  // namespace porukami
