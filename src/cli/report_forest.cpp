// The report's table of forest days: each outcome as measured, against the odds the forest's
// rules give it.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "cli/report.h"
#include "cli/report_html.h"

namespace porukami::cli {
namespace {

using html::Esc;
using html::Fixed;

constexpr double kMori = 0.11;                  // a <= 10 of 0..99
constexpr double kIve = 0.89 * 0.11;            // then b <= 10
constexpr double kItems = 0.89 * 0.89;          // neither
constexpr double kNarrow = 0.31;                // per find: c <= 30, lines 0 to 2
constexpr double kWide = 0.69 * 0.11;           // then d <= 10, the whole catalogue
constexpr double kMiddle = 0.69 * 0.89;         // else all but the last two lines
constexpr double kFindsPerDay = (1 + 5) / 2.0;  // 1 to 5, while the list has room

// The chance of each catalogue line per find.
std::vector<double> LineOdds(int lines) {
  std::vector<double> p(static_cast<std::size_t>(std::max(lines, 0)), 0.0);
  const auto range = [&](int n, double weight) {
    for (int k = 0; k < n && k < lines; ++k) p[k] += weight / n;
  };
  if (lines > 0) {
    range(std::min(3, lines), kNarrow);
    range(lines, kWide);
    range(std::max(lines - 2, 1), kMiddle);
  }
  return p;
}

// The lines of one group of the catalogue: lines 0 to 2, the last two, or the others.
bool InGroup(int group, int k, int lines) {
  const int rare = std::max(3, lines - 2);
  return group == 0 ? k < 3 : group == 1 ? k >= rare : k >= 3 && k < rare;
}

struct Cell {
  long long n = 0, of = 0;
  std::string tag = {};  // the simulator's name for n, if it has one
};

std::string Share(const Cell& c, double rule) {
  std::string cls;
  if (rule > 0 && c.of > 0) {
    const double se = std::sqrt(rule * (1 - rule) / static_cast<double>(c.of));
    const double seen = static_cast<double>(c.n) / static_cast<double>(c.of);
    if (se > 0 && std::fabs(seen - rule) > 4 * se)
      cls = " class=\"off\" title=\"more than four standard errors from the rules' odds\"";
  }
  const std::string n = c.tag.empty() ? std::to_string(c.n) : html::Count(c.n, c.tag);
  return "<td" + cls + ">" + html::Percent(c.n, c.of) + " (" + n + ")</td>";
}

class Table {
 public:
  explicit Table(const MonthReport& r) : r_(r) {}

  // A row of shares: `count` gives, for a run, the count and the number it is a share of.
  template <class F>
  void Shares(const std::string& label, double rule, const std::string& tag, F count) {
    std::string row = "<tr><th>" + label + "</th><td>" + Fixed(100 * rule, 2) + " %</td>";
    Cell all;
    for (const auto& run : r_.runs) {
      Cell c = count(run);
      if (!tag.empty()) c.tag = run.name + " forest " + tag;
      all.n += c.n;
      all.of += c.of;
      row += Share(c, rule);
    }
    rows_ += row + Share(all, rule) + "</tr>\n";
  }

  // A row of plain counts (or other figures) with no odds to compare.
  template <class F>
  void Figures(const std::string& label, const std::string& rule, F figure) {
    std::string row = "<tr><th>" + label + "</th><td>" + rule + "</td>";
    for (const auto& run : r_.runs) row += "<td>" + figure(run) + "</td>";
    rows_ += row + "<td></td></tr>\n";
  }

  std::string Html() const {
    std::string head = "<tr><th>outcome</th><th>the rules</th>";
    for (const auto& run : r_.runs) head += "<th>" + Esc(run.name) + "</th>";
    return "<table class=\"odds\">\n" + head + "<th>all strategies</th></tr>\n" + rows_ +
           "</table>\n";
  }

 private:
  const MonthReport& r_;
  std::string rows_;
};

long long Base(const StrategyRun& run) {
  return run.results.forest.days - run.results.forest.hidden;
}

long long Scene(const StrategyRun& run, const std::string& name) {
  const auto it = run.forestScenes.find(name);
  return it == run.forestScenes.end() ? 0 : it->second;
}

std::string Names(const MonthReport& r, int group) {
  const int lines = static_cast<int>(r.items.size());
  std::string names;
  int shown = 0;
  for (int k = 0; k < lines; ++k) {
    if (!InGroup(group, k, lines)) continue;
    if (shown++ == 3) return names + ", ...";
    names += (names.empty() ? "" : ", ") + Esc(r.items[k]);
  }
  return names;
}

}  // namespace

std::string ForestSection(const MonthReport& r) {
  Table t(r);
  const auto tagged = [](const char* tag, long long SimResults::Forest::*field) {
    return [=](const StrategyRun& run) {
      return html::Count(run.results.forest.*field, run.name + " forest " + tag);
    };
  };
  t.Figures("forest days", "", tagged("days", &SimResults::Forest::days));
  t.Figures("of them, outcome hidden by \"moneyend\"", "",
            tagged("hidden", &SimResults::Forest::hidden));
  // A kind of forest day, then each of its scenes, drawn in equal shares.
  const auto kind = [&t](const std::string& label, double rule, const char* tag,
                         long long SimResults::Forest::*field, const char* prefix, int scenes) {
    t.Shares(label, rule, tag, [field](const StrategyRun& run) {
      return Cell{run.results.forest.*field, Base(run)};
    });
    for (int k = 0; k < scenes; ++k) {
      const std::string name = prefix + std::to_string(k);
      t.Shares("&#8195;" + name, rule / scenes, "", [&](const StrategyRun& run) {
        return Cell{Scene(run, name), Base(run)};
      });
    }
  };
  kind("a \"mori_\" scene", kMori, "mori", &SimResults::Forest::mori, "mori_", 4);
  kind("an \"ive\" scene", kIve, "ive", &SimResults::Forest::ive, "ive", 3);
  t.Shares("items found", kItems, "items", [](const StrategyRun& run) {
    return Cell{run.results.forest.items, Base(run)};
  });
  t.Figures(
      "&#8195;items per day", Fixed(kFindsPerDay, 2) + " (1 to 5)", [](const StrategyRun& run) {
        const auto& f = run.results.forest;
        return (f.items ? Fixed(static_cast<double>(f.found) / static_cast<double>(f.items), 2)
                        : "-") +
               " (" + html::Count(f.found, run.name + " forest found") + " items)";
      });
  const int lines = static_cast<int>(r.items.size());
  const std::vector<double> odds = LineOdds(lines);
  const char* groups[] = {"lines 0 to 2", "the last two lines", "the other lines"};
  for (int g = 0; g < 3; ++g) {
    double rule = 0;
    for (int k = 0; k < lines; ++k) rule += InGroup(g, k, lines) ? odds[k] : 0;
    t.Shares(std::string("per item: ") + groups[g] + " <small>(" + Names(r, g) + ")</small>", rule,
             "", [&](const StrategyRun& run) {
               Cell c{0, std::accumulate(run.finds.begin(), run.finds.end(), 0LL)};
               for (int k = 0; k < static_cast<int>(run.finds.size()); ++k)
                 c.n += InGroup(g, k, lines) ? run.finds[k] : 0;
               return c;
             });
  }
  return "<section id=\"forest\">\n<h2>Forest days</h2>\n<p>What a day in the forest brought, "
         "out of the days whose outcome showed, against the odds of the forest's rules for this "
         "catalogue of " +
         std::to_string(lines) +
         " lines. A share more than four standard errors from the rules' odds is marked.</p>\n" +
         t.Html() + "</section>\n";
}

}  // namespace porukami::cli
