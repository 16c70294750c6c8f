#include "monkey/monkey.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "app/random.h"
#include "text/number.h"

namespace porukami::monkey {
namespace {

// The game's draws from the test's seed, not the clock's.
struct SeededRandom : StdRandom {
  explicit SeededRandom(std::uint64_t seed) { StdRandom::Seed(seed); }
  void Seed(std::uint64_t) override {}
};

const char* const kNames[] = {
    "メイヒル", "", "-m", "-m-m-m-m", "ABCDEFGH", "\\", "▼▽", "a-", "名前が長い名前が長い"};
const double kHeights[] = {0,    1,    15,    799,   800,   801,   4500, 8640,
                           9000, 9216, 16200, 24572, 24573, 30000, 1e6,  2.5e8};

void PlayEvent(Frm& f, testing::FakeHost& host, std::uint8_t what, std::uint8_t how) {
  const auto usable = [](const Control& c) { return c.Visible && c.Enabled; };
  const auto line = [how](const ListBox& l) { return how % (l.ListCount() + 1) - 1; };
  // Yes to the restart one time in sixteen, and short of money mostly the forest or home rather
  // than visits, so that play reaches the month's end.
  host.yesNoAnswers = {how % 16 == 1};
  host.menuPicks = {how % 5 - 1};
  const int com = f.Money < 5000 && how % 5 < 3 && (how & 0x80) ? 3 + (how & 1) : how % 5;
  const int heroine = how % Frm::kHeroines, button = how & 1;
  const char kind = "LLLTTTPGMMCCCKSlrnzB"[what % 20];
  if (kind == 'L' && f.Lbl.Visible) f.Lbl_Click();
  if (kind == 'T' && f.TimSay.Ticks()) f.TimSay_Timer();
  if (kind == 'P') f.Pic_Click();
  if (kind == 'G' && f.LblGame.Visible) f.LblGame_Click();
  if (kind == 'M' && f.PicSaka.Visible && usable(f.MenuCom)) f.MenuCom_Click();
  if (kind == 'C' && usable(f.Com[com])) f.Com_Click(com);
  if (kind == 'K' && f.PicSaka.Visible && usable(f.ComLst[button])) f.ComLst_Click(button);
  if (kind == 'S' && f.PicStr.Visible && usable(f.ComStr[heroine])) f.ComStr_Click(heroine);
  if (kind == 'l') f.Lst.ListIndex = line(f.Lst);
  if (kind == 'r' && f.PicSaka.Visible) f.LstIrai.ListIndex = line(f.LstIrai);
  if (kind == 'n') f.TxtName.SetText(kNames[how % std::size(kNames)]);
  host.canReshape = (how & 0x80) == 0;
  if (kind == 'z') f.Height = kHeights[how % 16] + how / 16 * 7;
  if (kind == 'z') f.Form_Resize();
  if (kind == 'B') f.BgmTim_Timer();
}

}  // namespace

Copy::Copy(const fs::path& from) {
  fs::create_directories(app);
  for (const char* part : {"txt", "img", "bgm.mid"})
    if (fs::exists(from / part)) fs::copy(from / part, app / part, fs::copy_options::recursive);
  files.insert(fs::recursive_directory_iterator(dir()), {});
}

std::string Copy::Stray(std::vector<std::string>* pages) const {
  std::string stray;
  for (const fs::path& p : std::vector<fs::path>(fs::recursive_directory_iterator(dir()), {})) {
    if (files.count(p)) continue;
    if (p.parent_path() != app || !p.filename().string().ends_with("＿おまけ.html"))
      stray += p.filename().string() + " ";
    else if (fs::remove(p) && pages)
      pages->push_back(p.filename());
  }
  for (const fs::path& p : files)
    if (!fs::exists(p)) stray += "(gone) " + p.filename().string() + " ";
  return stray;
}

std::string PlayGame(const Copy& copy, std::initializer_list<const char*> files,
                     std::string_view bytes, long count) {
  const std::string_view file = bytes.substr(0, bytes.find('\0'));
  std::string events(bytes.substr(std::min(file.size() + 1, bytes.size())));
  for (const char* name : files) std::ofstream(copy.app / name, std::ios::binary) << file;
  std::mt19937_64 player(std::hash<std::string_view>()(bytes));
  for (events += events.empty() ? "\1" : ""; events.size() < 2 * std::size_t(count);)
    events += static_cast<char>(player());
  testing::FakeHost host;
  const auto fresh = [&] { (host = {}).appPath = copy.app.string(); };
  fresh();
  SeededRandom random(player());
  Frm f(host, random);
  if (!f.Form_Load())
    return host.messages.empty() ? "start-up refused without a word"
                                 : "start-up refused: " + host.messages.back();
  f.Form_Activate();
  if (!(events[0] & 1)) f.StartScene("s");
  const int fds = OpenFileDescriptors();
  std::string broken;
  std::size_t i = 1;
  for (; i + 1 < events.size() && broken.empty(); i += 2) {
    PlayEvent(f, host, events[i], events[i + 1]);
    broken = BrokenRule(f) + (OpenFileDescriptors() != fds ? "a file descriptor left open; " : "");
    fresh();
  }
  bool cancel = false;
  f.Form_Unload(cancel);
  broken += (f.OpenScene() ? "a scene still open after unload; " : "") + copy.Stray();
  return broken.empty() ? "" : broken + "at event " + std::to_string(i / 2);
}

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
  // The scene layer shows or hides as one, the message and the board only without it.
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
