#include <algorithm>

#include "app/Frm.h"

namespace porukami {

void Frm::SearchForest() {
  const int count = static_cast<int>(Rnd() * 5) + 1;
  if (static_cast<int>(Rnd() * 100) <= 10) {
    StartScene("mori_" + std::to_string(static_cast<int>(Rnd() * 4)));
    return;
  }
  if (static_cast<int>(Rnd() * 100) <= 10) {
    StartScene("ive" + std::to_string(static_cast<int>(Rnd() * 3)));
    return;
  }
  for (int i = 0; i < count; ++i) {
    if (Lst.ListCount() > kInventoryMax - 1) return;
    int n = 3;
    if (static_cast<int>(Rnd() * 100) > 30)
      n = static_cast<int>(Rnd() * 100) <= 10 ? ItemCount : ItemCount - 2;
    // A short catalogue never lets a draw reach past its end; an empty one finds nothing.
    n = std::min<int>(n, ItemCount);
    const int k = std::min(static_cast<int>(Rnd() * std::max(n, 0)), ItemCount - 1);
    if (k < 0) continue;
    AddInventoryItem(k);
    LblGame.Caption += "\r\n" + Lst.Items.back() + "がみつかったよ";
  }
}

}  // namespace porukami
