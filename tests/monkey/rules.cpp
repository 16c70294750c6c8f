#include <algorithm>

#include "monkey/monkey.h"
#include "text/number.h"

namespace porukami::monkey {

#define RULE(holds) \
  if (!(holds)) why += #holds "; "

std::string BrokenRule(const Frm& f) {
  std::string why;
  for (int h = 0; h < Frm::kHeroines; ++h) {
    RULE(f.Stage[h] >= 1 && f.Stage[h] <= 6);
    for (int s = 0; s < Frm::kStatsPerHeroine; ++s)
      RULE(f.Stats[h][s] >= 0 && f.Stats[h][s] <= 100 &&
           f.ShpStr[h * Frm::kStatsPerHeroine + s].Geo.Width == f.Stats[h][s]);
  }
  RULE(f.ItemCount >= 0 && f.ItemCount <= Frm::kCatalogueMax);
  RULE(f.Lst.ListCount() <= Frm::kInventoryMax && f.LstIrai.ListCount() <= Frm::kRequestsMax);
  RULE(f.Lst.ListIndex >= -1 && f.Lst.ListIndex < f.Lst.ListCount());
  RULE(f.LstIrai.ListIndex >= -1 && f.LstIrai.ListIndex < f.LstIrai.ListCount());
  // Each list line shows its row; an inventory row's catalogue index is a number in the catalogue.
  for (int i = 0; i < std::min(f.Lst.ListCount(), Frm::kInventoryMax); ++i)
    RULE(f.Lst.Items[i] == f.Inventory[i][0] && !f.Inventory[i][5].empty() &&
         f.Inventory[i][5].find_first_not_of("0123456789") == std::string::npos &&
         text::ToLong(f.Inventory[i][5]) < f.ItemCount);
  for (int i = 0; i < std::min(f.LstIrai.ListCount(), Frm::kRequestsMax); ++i)
    RULE(f.LstIrai.Items[i].starts_with(f.Requests[i][0]) &&
         f.LstIrai.Items[i].ends_with(f.Requests[i][1] + "で"));
  RULE(f.Money <= 100000 && f.Day >= 1 && f.Day <= 31);
  for (int i = 0; i < Frm::kComCount; ++i)
    RULE(f.Com[i].Visible == (f.Day <= 30 && (i < 3 || f.Day < 28)));
  RULE(f.LblDay.Caption ==
       "ムルの月 " + std::to_string(f.Day) + "日  \\" + std::to_string(f.Money));
  RULE(f.OpenScene().has_value() == (f.ScriptFileNo != 0));
  int checked = -1, marks = 0;
  for (int i = 0; i < Frm::kMenuTimItems; ++i)
    if (f.menu_tim_Click[i].Checked) checked = i, ++marks;
  RULE(marks == 1 && f.TimSay.Interval == checked * 100);
  // The scene layer shows or hides as one; the message label and the board only without it. A
  // page holds at most six lines, each begun by CR LF.
  const bool scene = f.Lbl.Visible;
  RULE(f.LblBak[0].Visible == scene && f.LblBak[1].Visible == scene && f.LblShp.Visible == scene);
  RULE(f.LblGame.Visible != scene && !(scene && f.PicSaka.Visible));
  RULE(std::count(f.Lbl.Caption.begin(), f.Lbl.Caption.end(), '\n') <= 6 && f.PageLines <= 6);
  return why;
}

int OpenFileDescriptors() {
  return std::distance(fs::directory_iterator("/proc/self/fd"), {});
}

}  // namespace porukami::monkey
