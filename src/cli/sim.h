#pragma once
// The month simulator's players: what they may do, and how they choose.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Frm.h"

namespace porukami::cli {

// What a player can do between days. Each returns false when the screen does not offer it.
class Hands {
 public:
  virtual ~Hands() = default;
  virtual bool Give(int row, int heroine) = 0;    // selects the item, clicks her gift button
  virtual bool Sell(int row) = 0;                 // on the home panel
  virtual bool Settle(int request, int row) = 0;  // on the home panel
};

class Strategy {
 public:
  virtual ~Strategy() = default;
  // The day command to click, or -1 when the screen offers none. `month` counts from 0.
  virtual int PickCommand(const Frm& frm, long long month) = 0;
  // Between days: gifts at any time, selling and settling while the home panel is shown.
  virtual void Manage(const Frm& frm, Hands& hands, long long month) = 0;
};

std::unique_ptr<Strategy> MakeRandomStrategy(std::uint64_t seed);
// Month i: heroine i mod 3. "greedy" raises her key stat, for her climax and finale; "explore"
// raises her stat (i / 3) mod 3 instead, so every heroine's every story stage comes up.
std::unique_ptr<Strategy> MakeGreedyStrategy(bool explore);

// The day commands a player can click now: visible and enabled.
std::vector<int> OfferedCommands(const Frm& frm);

// The strategies by name, in the order a report shows them.
inline constexpr const char* kStrategies[] = {"greedy", "explore", "random"};
std::unique_ptr<Strategy> MakeStrategy(const std::string& name, std::uint64_t seed);

}  // namespace porukami::cli

#include <map>
#include <optional>
#include <string>

#include "cli/host.h"

namespace porukami::cli {

struct SimResults {
  long long months = 0;
  // "end", "moneyend", a finale's scene name ("06", "16", "26"), "other" for a month ended by
  // another scene's ">end", "restart" for a month the player had to start over.
  std::map<std::string, long long> endings;
  std::map<std::string, long long> scenes;  // starts seen, by scene name
  struct Forest {
    long long days = 0, mori = 0, ive = 0, items = 0, hidden = 0, found = 0;
  } forest;
  std::vector<std::int32_t> money;  // at each month's end
  std::map<std::string, long long> messages;
};

// The 10th percentile, the median and the 90th percentile of a set of values (nearest rank; the
// median of an even number of values is the mean of the middle two).
struct Spread {
  double low = 0, median = 0, high = 0;
};
Spread SpreadOf(std::vector<double> values);

// Told what the simulator sees beyond its counts, as it happens.
class SimWatcher {
 public:
  virtual ~SimWatcher() = default;
  // A day command has been clicked: the day and the money of that morning, the command (the
  // index of Com), and the model as the click left it.
  virtual void DayPlayed(const Frm& frm, int day, std::int32_t money, int command) = 0;
  // A forest day that went on: the scene it started first (empty when it found items), and the
  // inventory rows it added, from firstNewRow to the end of the list.
  virtual void ForestDay(const Frm& frm, const std::string& scene, int firstNewRow) = 0;
};

// A folder for a run: the content is linked in, and the memories pages land here, not in the
// content's folder. Empty path() when it could not be made.
class Scratch {
 public:
  explicit Scratch(const std::string& content);
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Plays months on one window model. Scene starts are seen by watching the open scene after
// every handler; a scene that starts and is replaced within one handler (a visit on day 30 that
// "end" replaces) is not seen.
class Simulation : public Hands {
 public:
  Simulation(const std::string& appPath, std::uint64_t seed, Strategy& strategy);
  // False when start-up failed (the reason is in the results' messages).
  bool Start();
  void Run(long long months);
  void Watch(SimWatcher* watcher) { watcher_ = watcher; }
  const SimResults& results() const { return results_; }

  bool Give(int row, int heroine) override;
  bool Sell(int row) override;
  bool Settle(int request, int row) override;

 private:
  template <class F>
  void Act(F&& handler);
  void Observe(int dayBefore, std::int32_t moneyBefore, const std::optional<std::string>& before);
  std::vector<std::string> lastStarted_;  // scenes the last action started, in order
  void EndMonth(const std::string& kind, std::int32_t money);
  void Step();
  bool ClickThrough();
  void Command(int index);
  void Restart();

  CliHost host_;
  CliRandom random_;
  Frm frm_;
  Strategy& strategy_;
  std::uint64_t seed_;
  long long target_ = 0;
  long long actions_ = 0;  // handler calls in this month
  bool ended_ = false;     // the last handler ended the month
  bool started_ = false;   // the first new game has begun
  SimWatcher* watcher_ = nullptr;
  SimResults results_;
};

}  // namespace porukami::cli
