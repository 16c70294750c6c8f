#include "app/Frm.h"
#include "text/number.h"

namespace porukami {

void Frm::ComStr_Click(int h) {
  if (h < 0 || h >= kHeroines) return;
  if (Lst.SelectedText().empty()) {
    host_.MsgBoxOk("あげるアイテムを選んで！", kTitle);
    return;
  }
  const int c = Lst.ListIndex;
  const auto& row = Inventory[static_cast<std::size_t>(c)];
  const int stat = text::ToInteger(row[static_cast<std::size_t>(h) + 2]);
  const int delta = text::LeadingNumber(row[5]) < 3 ? -30 : static_cast<int>(Rnd() * 40);
  // An item naming no stat 0 to 3 changes none of hers, but the rest of the gift still happens.
  if (stat >= 0 && stat < kStatsPerHeroine) AddStat(h, stat, delta);
  AddStat(h, 3, static_cast<int>(Rnd() * 5));
  AddStat((h + 2) % kHeroines, 3, -10);  // the heroine before her
  AddStat((h + 1) % kHeroines, 3, 1);    // the heroine after her
  LblGame.Caption = HeroineNames[h] + "に" + row[0] + "をそっとあげたよ";
  RemoveInventoryItem(c);
}

}  // namespace porukami
