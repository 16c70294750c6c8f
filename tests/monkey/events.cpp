#include "monkey/events.h"

#include <array>

namespace porukami::monkey {
namespace {

constexpr std::array<const char*, 9> kNames = {
    "メイヒル", "", "-m", "-m-m-m-m", "ABCDEFGH", "\\", "▼▽", "名前が長い名前が長い", "a-"};

// -1 (none) or a line the list holds.
int Selection(const ListBox& list, std::uint8_t how) {
  return list.ListCount() == 0 ? -1 : how % (list.ListCount() + 1) - 1;
}

bool Usable(const Control& c) {
  return c.Visible && c.Enabled;
}

// The restart prompt is answered Yes one time in sixteen, so that play reaches the month's end.
bool Yes(std::uint8_t how) {
  return how % 16 == 1;
}

}  // namespace

double HeightFor(std::uint8_t how) {
  static constexpr std::array<double, 16> kHeights = {
      0, 1, 15, 799, 800, 801, 4500, 8640, 9000, 9216, 16200, 24572, 24573, 30000, 1e6, 2.5e8};
  return kHeights[how % kHeights.size()] + (how / kHeights.size()) * 7;
}

std::string PlayEvent(Frm& f, testing::FakeHost& host, std::uint8_t what, std::uint8_t how) {
  switch (what % 20) {
    case 0:
    case 1:
    case 2:
      if (!f.Lbl.Visible) return "";
      f.Lbl_Click();
      return "Lbl_Click";
    case 3:
    case 4:
    case 5:
      if (!f.TimSay.Ticks()) return "";
      f.TimSay_Timer();
      return "TimSay_Timer";
    case 6:
      host.yesNoAnswers = {Yes(how)};
      f.Pic_Click();
      host.yesNoAnswers.clear();
      return Yes(how) ? "Pic_Click (yes)" : "Pic_Click (no)";
    case 7:
      if (!f.LblGame.Visible) return "";
      host.yesNoAnswers = {Yes(how)};
      f.LblGame_Click();
      host.yesNoAnswers.clear();
      return Yes(how) ? "LblGame_Click (yes)" : "LblGame_Click (no)";
    case 8:
    case 9:
      if (!f.PicSaka.Visible || !Usable(f.MenuCom)) return "";
      host.menuPicks = {how % 5 - 1};
      f.MenuCom_Click();
      host.menuPicks.clear();
      return "MenuCom_Click " + std::to_string(how % 5 - 1);
    case 10:
    case 11:
    case 12: {
      const int i = how % Frm::kComCount;
      if (!Usable(f.Com[i])) return "";
      f.Com_Click(i);
      return "Com_Click " + std::to_string(i);
    }
    case 13: {
      const int i = how & 1;
      if (!f.PicSaka.Visible || !Usable(f.ComLst[i])) return "";
      f.ComLst_Click(i);
      return "ComLst_Click " + std::to_string(i);
    }
    case 14: {
      const int i = how % Frm::kHeroines;
      if (!f.PicStr.Visible || !Usable(f.ComStr[i])) return "";
      f.ComStr_Click(i);
      return "ComStr_Click " + std::to_string(i);
    }
    case 15:
      f.Lst.ListIndex = Selection(f.Lst, how);
      return "Lst " + std::to_string(f.Lst.ListIndex);
    case 16:
      if (!f.PicSaka.Visible) return "";
      f.LstIrai.ListIndex = Selection(f.LstIrai, how);
      return "LstIrai " + std::to_string(f.LstIrai.ListIndex);
    case 17:
      f.TxtName.SetText(kNames[how % kNames.size()]);
      return "TxtName " + f.TxtName.Text;
    case 18:
      host.canReshape = (how & 0x80) == 0;
      f.Height = HeightFor(how);
      f.Form_Resize();
      return "Form_Resize " + std::to_string(f.Height);
    default:
      f.BgmTim_Timer();
      return "BgmTim_Timer";
  }
}

}  // namespace porukami::monkey
