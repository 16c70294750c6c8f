#include "app/Frm.h"

namespace porukami {

void Frm::GameStt() {
  TimSay.Enabled = false;
  Lbl.Visible = false;
  LblBak[0].Visible = false;
  LblBak[1].Visible = false;
  LblGame.Visible = true;
  LblGame.Caption.clear();
  PicSaka.Visible = false;
  LblShp.Visible = false;
  Pic.Cls();
}

void Frm::MenuCom_Click() {
  const int picked = host_.PopupMenu(*this);
  if (picked >= 0 && picked < kMenuTimItems) menu_tim_Click_Click(picked);
}

void Frm::Pic_Click() {
  if (Lbl.Visible) {
    Lbl_Click();
    return;
  }
  if (host_.MsgBoxYesNo("初期化しますか？", kTitle)) Form_Activate();
}

void Frm::LblGame_Click() {
  Pic_Click();
}

void Frm::Ending() {
  Form_Activate();
}

}  // namespace porukami
