#include <fstream>
#include <random>

#include "app/random.h"
#include "monkey/monkey.h"

namespace porukami::monkey {
namespace {

// The game's draws from the test's seed: the clock's seed that start-up gives is ignored.
struct SeededRandom : StdRandom {
  explicit SeededRandom(std::uint64_t seed) { StdRandom::Seed(seed); }
  void Seed(std::uint64_t) override {}
};

const char* const kNames[] = {
    "メイヒル", "", "-m", "-m-m-m-m", "ABCDEFGH", "\\", "▼▽", "a-", "名前が長い名前が長い"};
// Window heights (twips) from nothing to far beyond any screen.
const double kHeights[] = {0,    1,    15,    799,   800,   801,   4500, 8640,
                           9000, 9216, 16200, 24572, 24573, 30000, 1e6,  2.5e8};

void PlayEvent(Frm& f, testing::FakeHost& host, std::uint8_t what, std::uint8_t how) {
  const auto usable = [](const Control& c) { return c.Visible && c.Enabled; };
  const auto line = [how](const ListBox& l) { return how % (l.ListCount() + 1) - 1; };
  // The restart prompt is answered Yes one time in sixteen, so that play reaches the month's end;
  // a player short of money mostly goes to the forest or home rather than visiting.
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
  if (kind == 'z') {
    host.canReshape = (how & 0x80) == 0;
    f.Height = kHeights[how % 16] + how / 16 * 7;
    f.Form_Resize();
  }
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

fs::path DemoDir() {
  const char* env = std::getenv("PORUKAMI_APP_DIR");
  const fs::path demo = env && *env ? env : PORUKAMI_DEMO_DIR;
  return fs::exists(demo / "txt/item.dat") && fs::exists(demo / "txt/opn.dat") ? demo : "";
}

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atol(v) : fallback;
}

std::string PlayGame(const Copy& copy, std::initializer_list<const char*> files,
                     std::string_view bytes, long count) {
  const std::string_view file = bytes.substr(0, bytes.find('\0'));
  const std::string_view events = bytes.substr(std::min(file.size() + 1, bytes.size()));
  for (const char* name : files) std::ofstream(copy.app / name, std::ios::binary) << file;
  std::uint64_t hash = 1469598103934665603ULL;
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  std::mt19937_64 player(hash);
  testing::FakeHost host;
  const auto fresh = [&] { (host = {}).appPath = copy.app.string(); };
  fresh();
  SeededRandom random(hash * 7919 + 1);
  Frm f(host, random);
  if (!f.Form_Load())
    return host.messages.empty() ? "start-up refused without a word"
                                 : "start-up refused: " + host.messages.back();
  f.Form_Activate();
  if (!events.empty() && !(events[0] & 1)) f.StartScene("s");
  const int fds = OpenFileDescriptors();
  std::string broken;
  std::size_t played = 0, what = 0, how = 0;
  for (; played < (events.empty() ? count : events.size() / 2) && broken.empty(); ++played) {
    what = events.empty() ? player() % 256 : static_cast<std::uint8_t>(events[1 + 2 * played]);
    how = events.empty() ? player() % 256 : static_cast<std::uint8_t>(events[2 + 2 * played]);
    PlayEvent(f, host, what, how);
    broken = BrokenRule(f) + (OpenFileDescriptors() != fds ? "a file descriptor left open; " : "");
    fresh();
  }
  bool cancel = false;
  f.Form_Unload(cancel);
  if (f.OpenScene()) broken += "a scene still open after unload; ";
  broken += copy.Stray();
  return broken.empty() ? ""
                        : broken + "after event " + std::to_string(played) + " (" +
                              std::to_string(what) + ", " + std::to_string(how) + ")";
}

}  // namespace porukami::monkey
