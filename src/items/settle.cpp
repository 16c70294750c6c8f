#include <limits>

#include "app/Frm.h"
#include "text/number.h"

namespace porukami {
namespace {

std::int32_t Negated(std::int32_t v) {
  return v == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max()
                                                       : -v;
}

}  // namespace

void Frm::ComLst_Click(int index) {
  if (index == 0) {
    if (LstIrai.SelectedText().empty()) {
      host_.MsgBoxOk("依頼を選択して", kTitle);
      return;
    }
    if (Lst.SelectedText().empty()) {
      host_.MsgBoxOk("依頼を解決するアイテムを選択して", kTitle);
      return;
    }
    const int q = LstIrai.ListIndex;
    const int c = Lst.ListIndex;
    const std::string amountText = Requests[q][1];
    const std::int32_t amount = text::ToLong(amountText);
    if (Requests[q][0] == Inventory[c][0]) {
      AdvanceDay(0, amount);
      LblGame.Caption = "依頼を解決しました！　￥" + amountText + "手に入れました";
    } else {
      AdvanceDay(0, Negated(amount));
      LblGame.Caption = "依頼を間違えました！￥" + amountText + "罰金を取られました！";
    }
    RemoveInventoryItem(c);
    const int n = LstIrai.ListCount();
    for (int i = q + 1; i < n; ++i) Requests[i - 1] = Requests[i];
    LstIrai.RemoveItem(q);
  } else if (index == 1) {
    if (Lst.SelectedText().empty()) {
      host_.MsgBoxOk("売却するアイテムを選択して", kTitle);
      return;
    }
    const int c = Lst.ListIndex;
    const std::string priceText = Inventory[c][1];
    AdvanceDay(0, text::ToLong(priceText));
    LblGame.Caption = "アイテムを売りました！　￥" + priceText + "手に入れました";
    RemoveInventoryItem(c);
  }
}

}  // namespace porukami
