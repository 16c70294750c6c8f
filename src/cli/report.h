#pragma once
// porukami-cli report: what a page about the month is made of, and the writers of its sections.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cli/lint.h"
#include "cli/sim.h"

namespace porukami::cli {

constexpr int kLastDay = 30;
constexpr int kClimaxDay = 28;
// What a heroine's climax needs on day 28 besides her key stat being her strongest: the key stat
// above two thirds of 100, and 親しさ (stat 3).
constexpr int kClimaxKey = 67;
constexpr int kClimaxBond = 90;

// One strategy's months: the simulator's counts, and what the charts need beyond them.
struct StrategyRun {
  std::string name;
  SimResults results;
  // Money on the morning of each day (index 0: day 1), one value per month that reached it.
  std::array<std::vector<std::int32_t>, kLastDay> morning;
  // Each heroine as a visit on day 28 found her (the visit's gain of 親しさ included): her key stat
  // and 親しさ, one value per such visit, and how many found her with all her climax needs.
  struct Day28 {
    std::vector<int> key, bond;
    long long ready = 0;
  };
  long long reachedDay28 = 0;  // months
  std::array<Day28, Frm::kHeroines> day28;
  std::map<std::string, long long> forestScenes;  // the scene a forest day started
  std::vector<long long> finds;                   // forest finds, by catalogue index
};

// A scene of the content, or one the game or a ">ive" asks for.
struct SceneFacts {
  bool file = false;                   // txt/NAME.dat exists
  std::vector<std::string> events;     // the game's events that start it
  std::string variants;                // scenes the game picks among at random share this
  std::vector<std::string> handOvers;  // scenes its ">ive" lines start
  bool ends = false;                   // it has an ">end" line: a new game follows
};

struct MonthReport {
  std::string dir;
  long long months = 0;
  std::uint64_t seed = 0;
  std::vector<Finding> findings;  // in the order lint prints them
  std::vector<StrategyRun> runs;
  std::array<std::string, Frm::kHeroines> heroines;
  std::vector<std::string> items;  // the catalogue's item names
  std::map<std::string, SceneFacts> scenes;

  long long Reached(const std::string& scene) const;  // starts seen, all strategies
};

// Plays `months` months with one strategy, exactly as `porukami-cli sim` does with the same
// seed; false when the game could not start (the messages are in the results).
bool RunStrategy(MonthReport& report, const std::string& strategy);
// The scenes of the content and what starts each.
void ReadScenes(MonthReport& report);

// The sections of the page, as HTML.
std::string LintSection(const MonthReport& r);
std::string EndingsSection(const MonthReport& r);
std::string MoneySection(const MonthReport& r);
std::string ClimaxSection(const MonthReport& r);
std::string ForestSection(const MonthReport& r);
std::string ScenesSection(const MonthReport& r);
std::string FlowSection(const MonthReport& r);

}  // namespace porukami::cli
