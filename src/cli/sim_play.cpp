// The simulator's month loop: clicks through scenes, asks the strategy, watches for month ends.
#include "app/Frm.h"
#include "cli/sim.h"

namespace porukami::cli {
namespace {

// Bounds that let bad content (a scene that never ends, a month that never ends) not hang a run.
constexpr int kMaxClicksPerScene = 5000;
constexpr long long kMaxActionsPerMonth = 200000;

bool IsFinale(const std::string& scene) {
  return scene.size() == 2 && scene[0] >= '0' && scene[0] <= '2' && scene[1] == '6';
}

}  // namespace

Simulation::Simulation(const std::string& appPath, std::uint64_t seed, Strategy& strategy)
    : host_(appPath, true), frm_(host_, random_), strategy_(strategy), seed_(seed) {}

bool Simulation::Start() {
  const bool ok = frm_.Form_Load();
  random_.Seed(seed_);  // start-up seeds from the clock; a run is reproducible
  for (const auto& m : host_.messages) ++results_.messages[m];
  host_.messages.clear();
  return ok;
}

template <class F>
void Simulation::Act(F&& handler) {
  const int dayBefore = frm_.Day;
  const std::int32_t moneyBefore = frm_.Money;
  const std::optional<std::string> before = frm_.OpenScene();
  ++actions_;
  handler();
  Observe(dayBefore, moneyBefore, before);
}

// A new game shows as the day going back to 1; the month ended with the scene that was open.
void Simulation::Observe(int dayBefore, std::int32_t moneyBefore,
                         const std::optional<std::string>& before) {
  if (!host_.messages.empty()) {
    for (const auto& m : host_.messages) ++results_.messages[m];
    host_.messages.clear();
  }
  if (dayBefore > 1 && frm_.Day == 1) {
    const std::string b = before.value_or("");
    EndMonth(b == "end" || b == "moneyend" || IsFinale(b) ? b : "other", moneyBefore);
  }
  if (results_.months < target_)
    for (const auto& s : host_.started) ++results_.scenes[s];
  lastStarted_ = std::move(host_.started);
  host_.started.clear();
}

void Simulation::EndMonth(const std::string& kind, std::int32_t money) {
  ++results_.endings[kind];
  results_.money.push_back(money);
  ++results_.months;
  actions_ = 0;
  ended_ = true;
}

void Simulation::Run(long long months) {
  target_ = results_.months + months;
  if (!started_) {
    started_ = true;
    Act([&] { frm_.Form_Activate(); });
  }
  while (results_.months < target_) Step();
}

void Simulation::Step() {
  ended_ = false;
  if (actions_ > kMaxActionsPerMonth) return Restart();
  const bool stuck = ClickThrough();
  if (ended_) return;
  strategy_.Manage(frm_, *this, results_.months);
  if (ended_ || (frm_.Lbl.Visible && !stuck)) return;
  const int c = strategy_.PickCommand(frm_, results_.months);
  if (c < 0) return Restart();
  Command(c);
}

// True when the scene is still running after the most clicks a scene may take.
bool Simulation::ClickThrough() {
  for (int n = 0; frm_.Lbl.Visible; ++n) {
    if (n == kMaxClicksPerScene) return true;
    Act([&] { frm_.Lbl_Click(); });
    if (ended_) return false;
  }
  return false;
}

void Simulation::Command(int index) {
  const int found = frm_.Lst.ListCount(), day = frm_.Day;
  const std::int32_t money = frm_.Money;
  Act([&] { frm_.Com_Click(index); });
  if (watcher_) watcher_->DayPlayed(frm_, day, money, index);
  if (index != 3 || ended_) return;
  auto& forest = results_.forest;
  ++forest.days;
  // The forest's own scene is the first one the day started; "end" or "moneyend" may follow it.
  const std::string scene = lastStarted_.empty() ? "" : lastStarted_.front();
  if (scene.starts_with("mori_")) {
    ++forest.mori;
  } else if (scene == "moneyend" || scene == "end") {
    ++forest.hidden;
  } else if (!scene.empty()) {
    ++forest.ive;  // an "ive" scene, or the scene it handed over to at once
  } else {
    ++forest.items;
    forest.found += frm_.Lst.ListCount() - found;
  }
  if (watcher_ && scene != "moneyend" && scene != "end") watcher_->ForestDay(frm_, scene, found);
}

// No command on offer and no scene to end the month: start over, as the player would.
void Simulation::Restart() {
  const std::int32_t money = frm_.Money;
  frm_.GameStt();  // leaves a scene that does not end, so the click reaches the restart prompt
  host_.answers.push_back(true);
  ++actions_;
  frm_.Pic_Click();
  host_.answers.clear();
  EndMonth("restart", money);
  Observe(1, money, std::nullopt);
}

bool Simulation::Give(int row, int heroine) {
  if (!frm_.PicStr.Visible || !frm_.ComStr[heroine].Visible || !frm_.ComStr[heroine].Enabled)
    return false;
  const int before = frm_.Lst.ListCount();
  frm_.Lst.ListIndex = row;
  Act([&] { frm_.ComStr_Click(heroine); });
  return frm_.Lst.ListCount() < before;
}

bool Simulation::Sell(int row) {
  if (!frm_.PicSaka.Visible || !frm_.ComLst[1].Visible || !frm_.ComLst[1].Enabled) return false;
  const int before = frm_.Lst.ListCount();
  frm_.Lst.ListIndex = row;
  Act([&] { frm_.ComLst_Click(1); });
  return frm_.Lst.ListCount() < before;
}

bool Simulation::Settle(int request, int row) {
  if (!frm_.PicSaka.Visible || !frm_.ComLst[0].Visible || !frm_.ComLst[0].Enabled) return false;
  const int before = frm_.Lst.ListCount();
  frm_.LstIrai.ListIndex = request;
  frm_.Lst.ListIndex = row;
  Act([&] { frm_.ComLst_Click(0); });
  return frm_.Lst.ListCount() < before;
}

}  // namespace porukami::cli
