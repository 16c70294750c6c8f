// porukami-cli sim: plays whole months headless and counts what happened.
#include "cli/sim.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "cli/cli.h"
#include "cli/host.h"
#include "cli/json.h"
#include "cli/words.h"

namespace porukami::cli {

const char* const kSimUsage =
    R"(usage: porukami-cli sim [--dir DIR] [--months N] [--seed S]
                         [--strategy random|greedy|explore]
Plays N whole months (default 100) on the content in DIR (default: this program's folder) with
the random generator seeded with S (default 1). Each day the strategy clicks one of the day
commands on offer, every scene is clicked through, and between days the strategy gives presents,
and at home sells and settles requests. "random" chooses uniformly among what the screen offers;
"greedy" (the default) brings the heroine of month i (i mod 3) to her climax on day 28 and her
finale after it; "explore" plays like it but raises her stat (i / 3) mod 3, so that every story
stage of every heroine comes up. Memories pages go to a scratch folder, not to DIR.
Prints one JSON object: months; endings by kind ("end", "moneyend", a finale's scene "06", "16"
or "26", "other" for another scene's ">end", "restart" when the player had to start over);
scenes (how often each scene was started, also a day's scene that "moneyend" or "end" replaces
within the same click: a finale's count can exceed its endings); forest (days, and of them mori,
ive, items, and hidden: days whose outcome a "moneyend" scene replaced; found: items found); money
(min, median, max at the months' ends); messages (message boxes shown, by text).
)";

namespace {

struct Options {
  std::string dir;
  long long months = 100;
  std::uint64_t seed = 1;
  std::string strategy = "greedy";
};

std::optional<Options> ParseOptions(const Args& args) {
  Options o;
  o.dir = ProgramFolder();
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    const std::string& key = args[i];
    const std::string& value = args[i + 1];
    if (key == "--dir") {
      o.dir = AbsoluteFolder(value);
    } else if (key == "--months" || key == "--seed") {
      const auto n = ParseInt(value);
      if (!n || *n < 0) return std::nullopt;
      if (key == "--months")
        o.months = *n;
      else
        o.seed = static_cast<std::uint64_t>(*n);
    } else if (key == "--strategy" &&
               (value == "random" || value == "greedy" || value == "explore")) {
      o.strategy = value;
    } else {
      return std::nullopt;
    }
  }
  if (args.size() % 2) return std::nullopt;
  return o;
}

void Counts(JsonWriter& j, const std::map<std::string, long long>& counts) {
  j.Begin();
  for (const auto& [name, n] : counts) j.Key(name).Int(n);
  j.End();
}

void Money(JsonWriter& j, const std::vector<std::int32_t>& money) {
  j.Key("money").Begin();
  if (money.empty()) {
    j.Key("min").Null().Key("median").Null().Key("max").Null();
  } else {
    const auto [min, max] = std::minmax_element(money.begin(), money.end());
    j.Key("min").Int(*min).Key("median").Number(SpreadOf({money.begin(), money.end()}).median);
    j.Key("max").Int(*max);
  }
  j.End();
}

std::string ResultsJson(const SimResults& r) {
  JsonWriter j;
  j.Begin().Key("months").Int(r.months).Key("endings");
  Counts(j, r.endings);
  j.Key("scenes");
  Counts(j, r.scenes);
  const auto& f = r.forest;
  j.Key("forest").Begin().Key("days").Int(f.days).Key("mori").Int(f.mori).Key("ive").Int(f.ive);
  j.Key("items").Int(f.items).Key("hidden").Int(f.hidden).Key("found").Int(f.found).End();
  Money(j, r.money);
  j.Key("messages");
  Counts(j, r.messages);
  return j.End().str();
}

}  // namespace

Spread SpreadOf(std::vector<double> v) {
  if (v.empty()) return {};
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  const auto rank = [&](double p) {
    const auto k = static_cast<std::size_t>(std::ceil(p * static_cast<double>(n)));
    return v[std::clamp<std::size_t>(k, 1, n) - 1];
  };
  const double median = n % 2 ? v[n / 2] : 0.5 * v[n / 2 - 1] + 0.5 * v[n / 2];
  return {rank(0.1), median, rank(0.9)};
}

Scratch::Scratch(const std::string& content) {
  std::error_code ec;
  const std::filesystem::path shm = "/dev/shm";
  std::string base =
      (std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path())
          .string();
  std::string templ = base + "/porukami-sim-XXXXXX";
  if (!mkdtemp(templ.data())) return;
  path_ = templ;
  for (const char* entry : {"txt", "img", "bgm.mid"}) {
    const std::filesystem::path target = std::filesystem::path(content) / entry;
    if (std::filesystem::exists(target, ec))
      std::filesystem::create_symlink(target, std::filesystem::path(path_) / entry, ec);
  }
}

Scratch::~Scratch() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::unique_ptr<Strategy> MakeStrategy(const std::string& name, std::uint64_t seed) {
  return name == "random" ? MakeRandomStrategy(seed) : MakeGreedyStrategy(name == "explore");
}

int Sim(const Args& args) {
  const auto options = ParseOptions(args);
  if (!options) {
    std::cerr << kSimUsage;
    return 2;
  }
  Scratch scratch(options->dir);
  if (scratch.path().empty()) {
    std::cerr << "porukami-cli sim: cannot make a scratch folder\n";
    return 1;
  }
  auto strategy = MakeStrategy(options->strategy, options->seed);
  auto sim = std::make_unique<Simulation>(scratch.path(), options->seed, *strategy);
  if (!sim->Start()) {
    for (const auto& [m, n] : sim->results().messages)
      std::cerr << "porukami-cli sim: " << m << '\n';
    return 1;
  }
  sim->Run(options->months);
  std::cout << ResultsJson(sim->results()) << '\n';
  return 0;
}

}  // namespace porukami::cli
