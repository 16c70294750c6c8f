#include "monkey/invariants.h"

#include <dirent.h>

#include <sstream>
#include <string_view>

namespace porukami::monkey {
namespace {

int Count(std::string_view s, std::string_view part) {
  int n = 0;
  for (std::size_t at = s.find(part); at != std::string_view::npos; at = s.find(part, at + 1)) ++n;
  return n;
}

bool ValidSelection(const ListBox& list) {
  return list.ListIndex >= -1 && list.ListIndex < list.ListCount();
}

}  // namespace

std::string BrokenRule(const Frm& f, bool played) {
  std::ostringstream why;
  for (int h = 0; h < Frm::kHeroines; ++h) {
    for (int s = 0; s < Frm::kStatsPerHeroine; ++s) {
      const int v = f.Stats[h][s];
      const double bar = f.ShpStr[h * Frm::kStatsPerHeroine + s].Geo.Width;
      if (v < 0 || v > 100) why << "stat " << h << "," << s << " is " << v << "; ";
      if (bar != v) why << "bar " << h << "," << s << " is " << bar << " for stat " << v << "; ";
    }
    if (played && (f.Stage[h] < 1 || f.Stage[h] > 6))
      why << "stage of heroine " << h << " is " << f.Stage[h] << "; ";
  }
  if (f.Lst.ListCount() > Frm::kInventoryMax) why << "Lst holds " << f.Lst.ListCount() << "; ";
  if (f.LstIrai.ListCount() > Frm::kRequestsMax)
    why << "LstIrai holds " << f.LstIrai.ListCount() << "; ";
  if (!ValidSelection(f.Lst)) why << "Lst selects line " << f.Lst.ListIndex << "; ";
  if (!ValidSelection(f.LstIrai)) why << "LstIrai selects line " << f.LstIrai.ListIndex << "; ";
  for (int i = 0; i < f.Lst.ListCount() && i < Frm::kInventoryMax; ++i) {
    if (f.Lst.Items[i] != f.Inventory[i][0]) {
      why << "Lst line " << i << " is not inventory row " << i << "; ";
      break;
    }
  }
  for (int i = 0; i < f.LstIrai.ListCount() && i < Frm::kRequestsMax; ++i) {
    const std::string& line = f.LstIrai.Items[i];
    if (!line.starts_with(f.Requests[i][0]) || !line.ends_with(f.Requests[i][1] + "で")) {
      why << "LstIrai line " << i << " is not request row " << i << "; ";
      break;
    }
  }
  if (f.Money > 100000) why << "money is " << f.Money << "; ";
  if (played) {
    if (f.Day < 1 || f.Day > 31) why << "day is " << int(f.Day) << "; ";
    for (int i = 0; i < Frm::kComCount; ++i) {
      const bool offered = f.Day <= 30 && (i < 3 || f.Day < 28);
      if (f.Com[i].Visible != offered)
        why << "Com " << i << (offered ? " hidden" : " shown") << " on day " << int(f.Day) << "; ";
    }
    const std::string day =
        "ムルの月 " + std::to_string(f.Day) + "日  \\" + std::to_string(f.Money);
    if (f.LblDay.Caption != day) why << "LblDay reads \"" << f.LblDay.Caption << "\"; ";
  }
  if (f.OpenScene().has_value() != (f.ScriptFileNo != 0))
    why << "script number " << f.ScriptFileNo << " disagrees with the open scene; ";
  int checked = -1, marks = 0;
  for (int i = 0; i < Frm::kMenuTimItems; ++i) {
    if (f.menu_tim_Click[i].Checked) {
      checked = i;
      ++marks;
    }
  }
  if (marks != 1 || f.TimSay.Interval != checked * 100)
    why << marks << " speed marks for interval " << f.TimSay.Interval << "; ";
  // The scene layer shows or hides as one; the message label and the board only without it.
  const bool scene = f.Lbl.Visible;
  if (f.LblBak[0].Visible != scene || f.LblBak[1].Visible != scene || f.LblShp.Visible != scene ||
      f.LblGame.Visible == scene)
    why << "scene layer half shown; ";
  if (scene && f.PicSaka.Visible) why << "board shown over a scene; ";
  // A page holds at most six lines, each begun by CR LF.
  if (Count(f.Lbl.Caption, "\r\n") > 6)
    why << "page of " << Count(f.Lbl.Caption, "\r\n") << " lines; ";
  if (f.PageLines > 6) why << "PageLines is " << int(f.PageLines) << "; ";
  return why.str();
}

int OpenFileDescriptors() {
  DIR* dir = ::opendir("/proc/self/fd");
  if (!dir) return -1;
  int n = 0;
  while (::readdir(dir)) ++n;
  ::closedir(dir);
  return n - 3;  // ".", ".." and the descriptor of the listing itself
}

}  // namespace porukami::monkey
