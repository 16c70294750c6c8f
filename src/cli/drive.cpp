// porukami-cli drive: plays the game from commands read on standard input.
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/Frm.h"
#include "cli/cli.h"
#include "cli/host.h"
#include "cli/music.h"
#include "cli/pages.h"
#include "cli/show.h"
#include "cli/words.h"

namespace porukami::cli {

const char* const kDriveUsage = R"(usage: porukami-cli drive [--dir DIR] < SCRIPT
Plays the game headless, one command per line of standard input (blank lines and lines starting
with "#" are skipped). DIR holds the content (txt/, img/, bgm.mid; default: this program's
folder); memories pages are written there. Start-up and the first new game run before the first
command; at the end of input the window is closed.
  click Com N | click ComLst N | click ComStr N   a button with its index
  click Lbl | click Pic | click LblGame | click MenuCom
  menu N                 picks text speed N (0 none, 1 fast, 2 normal, 3 slow)
  tick TimSay [K]        K ticks (default 1) of a timer; a tick is delivered only while the
  tick BgmTim [K]        timer is enabled with an interval above 0
  select Lst N | select LstIrai N    selects line N (-1: none)
  name TEXT              the player's name (at most 8 characters are kept)
  answer yes | answer no the answer to the next Yes/No box (none queued: No)
  rnd X ...              numbers in [0, 1) that the next random draws return, in order
  seed N                 reseeds the random generator
  resize H               the window's outer height in twips, then the resize handler
  show                   prints the state as one line of JSON
A click reaches a button only when it is visible and enabled and its panel is shown (ComLst and
MenuCom sit on the home panel), Lbl and LblGame only when visible, as in the window; a click that
does not reach its control is skipped silently. An unknown or malformed command is an error
(exit status 2); the message names the line.
)";

namespace {

struct BadCommand : std::runtime_error {
  using std::runtime_error::runtime_error;
};

long long IndexArg(const Args& w, std::size_t i, long long lo, long long hi) {
  if (i >= w.size()) throw BadCommand("missing number after \"" + w[i - 1] + "\"");
  const auto v = ParseInt(w[i]);
  if (!v) throw BadCommand("\"" + w[i] + "\" is not a whole number");
  if (*v < lo || *v > hi)
    throw BadCommand(w[i] + " is out of range " + std::to_string(lo) + " to " + std::to_string(hi));
  return *v;
}

void ExpectWords(const Args& w, std::size_t lo, std::size_t hi) {
  if (w.size() < lo || w.size() > hi) throw BadCommand("wrong number of arguments to " + w[0]);
}

class Driver {
 public:
  explicit Driver(const std::string& dir) : host_(dir), pages_(dir) {}

  bool Start();
  void Run(const std::string& line);
  void Finish();

 private:
  void Click(const Args& w);
  void ClickIndexed(const Args& w);
  void Tick(const Args& w);
  void Select(const Args& w);
  void Answer(const Args& w);
  void Queue(const Args& w);
  void Show();
  void Collect();

  RecordingMci mci_;
  MciScope mciScope_{&mci_};
  CliHost host_;
  CliRandom random_;
  Frm frm_{host_, random_};
  PageWatch pages_;
  Happenings happened_;
};

bool Driver::Start() {
  const bool ok = frm_.Form_Load();
  if (ok) frm_.Form_Activate();
  Collect();
  if (!ok)
    for (const auto& m : happened_.messages) std::cerr << "porukami-cli drive: " << m << '\n';
  return ok;
}

void Driver::Finish() {
  bool cancel = false;
  frm_.Form_Unload(cancel);
}

void Driver::Collect() {
  for (auto& m : host_.messages) happened_.messages.push_back(std::move(m));
  host_.messages.clear();
  for (auto& c : mci_.commands) happened_.mci.push_back(std::move(c));
  mci_.commands.clear();
  for (auto& p : pages_.Take()) happened_.pages.push_back(std::move(p));
}

void Driver::Run(const std::string& line) {
  const Args w = SplitWords(line);
  const std::string& cmd = w[0];
  if (cmd == "click") {
    Click(w);
  } else if (cmd == "menu") {
    ExpectWords(w, 2, 2);
    frm_.menu_tim_Click_Click(static_cast<int>(IndexArg(w, 1, 0, Frm::kMenuTimItems - 1)));
  } else if (cmd == "tick") {
    Tick(w);
  } else if (cmd == "select") {
    Select(w);
  } else if (cmd == "name") {
    frm_.TxtName.SetText(line.size() > 5 ? line.substr(line.find("name") + 5) : "");
  } else if (cmd == "answer") {
    Answer(w);
  } else if (cmd == "rnd" || cmd == "seed") {
    Queue(w);
  } else if (cmd == "resize") {
    ExpectWords(w, 2, 2);
    const auto h = ParseDouble(w[1]);
    if (!h || *h <= 0) throw BadCommand("\"" + w[1] + "\" is not a height in twips");
    frm_.Height = *h;
    frm_.Form_Resize();
  } else if (cmd == "show") {
    ExpectWords(w, 1, 1);
    Show();
  } else {
    throw BadCommand("unknown command \"" + cmd + "\"");
  }
  Collect();
}

void Driver::Click(const Args& w) {
  if (w.size() < 2) throw BadCommand("click what?");
  const std::string& what = w[1];
  if (what == "Com" || what == "ComLst" || what == "ComStr") return ClickIndexed(w);
  ExpectWords(w, 2, 2);
  if (what == "Lbl") {
    if (frm_.Lbl.Visible) frm_.Lbl_Click();
  } else if (what == "LblGame") {
    if (frm_.LblGame.Visible) frm_.LblGame_Click();
  } else if (what == "Pic") {
    frm_.Pic_Click();
  } else if (what == "MenuCom") {
    if (frm_.PicSaka.Visible && frm_.MenuCom.Visible && frm_.MenuCom.Enabled) frm_.MenuCom_Click();
  } else {
    throw BadCommand("no control \"" + what + "\" to click");
  }
}

void Driver::ClickIndexed(const Args& w) {
  ExpectWords(w, 3, 3);
  const std::string& what = w[1];
  const auto usable = [](const Button& b) { return b.Visible && b.Enabled; };
  if (what == "Com") {
    const int i = static_cast<int>(IndexArg(w, 2, 0, Frm::kComCount - 1));
    if (usable(frm_.Com[i])) frm_.Com_Click(i);
  } else if (what == "ComLst") {
    const int i = static_cast<int>(IndexArg(w, 2, 0, 1));
    if (frm_.PicSaka.Visible && usable(frm_.ComLst[i])) frm_.ComLst_Click(i);
  } else {
    const int i = static_cast<int>(IndexArg(w, 2, 0, Frm::kHeroines - 1));
    if (frm_.PicStr.Visible && usable(frm_.ComStr[i])) frm_.ComStr_Click(i);
  }
}

void Driver::Tick(const Args& w) {
  ExpectWords(w, 2, 3);
  const long long k = w.size() == 3 ? IndexArg(w, 2, 1, 1000000000) : 1;
  if (w[1] == "TimSay") {
    for (long long i = 0; i < k; ++i)
      if (frm_.TimSay.Ticks()) frm_.TimSay_Timer();
  } else if (w[1] == "BgmTim") {
    for (long long i = 0; i < k; ++i)
      if (frm_.BgmTim.Ticks()) frm_.BgmTim_Timer();
  } else {
    throw BadCommand("no timer \"" + w[1] + "\"");
  }
}

void Driver::Select(const Args& w) {
  ExpectWords(w, 3, 3);
  ListBox* list = w[1] == "Lst" ? &frm_.Lst : w[1] == "LstIrai" ? &frm_.LstIrai : nullptr;
  if (!list) throw BadCommand("no list \"" + w[1] + "\"");
  list->ListIndex = static_cast<int>(IndexArg(w, 2, -1, list->ListCount() - 1));
}

void Driver::Answer(const Args& w) {
  ExpectWords(w, 2, 2);
  if (w[1] != "yes" && w[1] != "no") throw BadCommand("answer yes or answer no");
  host_.answers.push_back(w[1] == "yes");
}

void Driver::Queue(const Args& w) {
  if (w[0] == "seed") {
    ExpectWords(w, 2, 2);
    const auto n = ParseInt(w[1]);
    if (!n || *n < 0) throw BadCommand("\"" + w[1] + "\" is not a seed");
    random_.Seed(static_cast<std::uint64_t>(*n));
    return;
  }
  if (w.size() < 2) throw BadCommand("rnd needs at least one number");
  for (std::size_t i = 1; i < w.size(); ++i) {
    const auto x = ParseDouble(w[i]);
    if (!x || *x < 0 || *x >= 1) throw BadCommand("\"" + w[i] + "\" is not a number in [0, 1)");
    random_.queued.push_back(*x);
  }
}

void Driver::Show() {
  Collect();
  std::cout << ShowJson(frm_, happened_) << '\n';
  happened_ = {};
}

bool Blank(const std::string& line) {
  const auto first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

}  // namespace

int Drive(const Args& args) {
  std::string dir = ProgramFolder();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--dir" && i + 1 < args.size()) {
      dir = AbsoluteFolder(args[++i]);
    } else {
      std::cerr << kDriveUsage;
      return 2;
    }
  }
  auto driver = std::make_unique<Driver>(dir);
  if (!driver->Start()) return 1;
  std::string line;
  for (int n = 1; std::getline(std::cin, line); ++n) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Blank(line)) continue;
    try {
      driver->Run(line);
    } catch (const BadCommand& e) {
      std::cerr << "porukami-cli drive: line " << n << ": " << e.what() << ": " << line << '\n';
      return 2;
    }
  }
  driver->Finish();
  return 0;
}

}  // namespace porukami::cli
