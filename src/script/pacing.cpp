#include "app/Frm.h"

namespace porukami {

void Frm::Lbl_Click() {
  ScriptStep();
  TimSay.Enabled = true;
}

void Frm::TimSay_Timer() {
  // A page that ends before a new page or the end of the scene waits for a click.
  if (NextLine == ">p" || NextLine.starts_with(">end") || NextLine.starts_with(">ive") ||
      NextLine.starts_with("tugi"))
    return;
  ScriptStep();
}

void Frm::menu_tim_Click_Click(int index) {
  if (index < 0 || index >= kMenuTimItems) return;
  for (auto& item : menu_tim_Click) item.Checked = false;
  menu_tim_Click[index].Checked = true;
  TimSay.Interval = index * 100;
}

}  // namespace porukami
