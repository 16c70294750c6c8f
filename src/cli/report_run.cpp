// The report's months: each strategy plays as `porukami-cli sim` plays it, watched for the
// money of each morning, the heroines visited on day 28 and the forest's finds.
#include <memory>

#include "cli/report.h"
#include "text/number.h"

namespace porukami::cli {
namespace {

class Watcher : public SimWatcher {
 public:
  Watcher(MonthReport& report, StrategyRun& run) : report_(report), run_(run) {}

  void DayPlayed(const Frm& f, int day, std::int32_t money, int command) override {
    if (report_.heroines[0].empty()) Learn(f);
    if (day >= 1 && day <= kLastDay) run_.morning[day - 1].push_back(money);
    if (day != kClimaxDay) return;
    ++run_.reachedDay28;
    const int h = command;
    if (h < 0 || h >= Frm::kHeroines || f.Day != day + 1) return;
    // As the visit found her: stat 3 with the visit's gain, which comes before her scene is chosen.
    const int key = KeyStat(h), value = f.Stats[h][key], bond = f.Stats[h][3];
    auto& d = run_.day28[h];
    d.key.push_back(value);
    d.bond.push_back(bond);
    d.ready += f.BestStat(h) == key && value >= kClimaxKey && bond >= kClimaxBond;
  }

  void ForestDay(const Frm& f, const std::string& scene, int firstNewRow) override {
    ++run_.forestScenes[scene];
    if (run_.finds.size() < static_cast<std::size_t>(f.ItemCount)) run_.finds.resize(f.ItemCount);
    for (int row = firstNewRow; row < f.Lst.ListCount(); ++row) {
      const long k = text::ToLong(f.Inventory[row][5]);
      if (k >= 0 && k < f.ItemCount) ++run_.finds[k];
    }
  }

 private:
  // Names as the game has them after start-up.
  void Learn(const Frm& f) {
    report_.heroines = f.HeroineNames;
    report_.items.clear();
    for (int k = 0; k < f.ItemCount; ++k) {
      const std::string& line = f.ItemCatalogue[k];
      report_.items.push_back(line.substr(0, line.find(',')));
    }
  }

  MonthReport& report_;
  StrategyRun& run_;
};

}  // namespace

bool RunStrategy(MonthReport& report, const std::string& strategy) {
  StrategyRun& run = report.runs.emplace_back();
  run.name = strategy;
  Scratch scratch(report.dir);
  if (scratch.path().empty()) {
    ++run.results.messages["cannot make a scratch folder"];
    return false;
  }
  auto player = MakeStrategy(strategy, report.seed);
  auto sim = std::make_unique<Simulation>(scratch.path(), report.seed, *player);
  Watcher watcher(report, run);
  sim->Watch(&watcher);
  const bool ok = sim->Start();
  if (ok) sim->Run(report.months);
  run.results = sim->results();
  return ok;
}

}  // namespace porukami::cli
