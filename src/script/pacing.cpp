#include "app/Frm.h"

namespace porukami {

void Frm::Lbl_Click() {
  ScriptStep();
  TimSay.Enabled = true;
}

// The look-ahead starts a new page or ends the scene: the page on screen waits for a click.
bool Frm::LookAheadWaits() const {
  return NextLine == ">p" || NextLine.starts_with(">end") || NextLine.starts_with(">ive") ||
         NextLine.starts_with("tugi");
}

void Frm::TimSay_Timer() {
  if (LookAheadWaits()) return;
  ScriptStep();
}

void Frm::menu_tim_Click_Click(int index) {
  if (index < 0 || index >= kMenuTimItems) return;
  for (auto& item : menu_tim_Click) item.Checked = false;
  menu_tim_Click[index].Checked = true;
  TimSay.Interval = index * 100;
}

}  // namespace porukami
