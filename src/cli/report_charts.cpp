// The report's two charts of whole months: how they end, and the money through them. Plain SVG.
#include <algorithm>
#include <cmath>

#include "cli/json.h"
#include "cli/report.h"
#include "cli/report_html.h"

namespace porukami::cli {
namespace {

using html::Esc;
using html::Fixed;

constexpr int kWidth = 1100;
constexpr const char* kHeroineColours[] = {"#e69138", "#c27ba0", "#45818e"};

std::string Describe(const std::string& strategy) {
  if (strategy == "greedy") return "brings the heroine of month i (i mod 3) to her climax";
  if (strategy == "explore") return "like greedy, but raises her stat (i / 3) mod 3";
  return "chooses uniformly among what the screen offers";
}

struct Kind {
  std::string key, label, colour;
};

// Every way a month ends that the page shows: the usual ones always, the others when they came up.
std::vector<Kind> Kinds(const MonthReport& r) {
  std::vector<Kind> kinds;
  for (int h = 0; h < Frm::kHeroines; ++h)
    kinds.push_back({std::to_string(h) + "6", r.heroines[h] + "'s finale", kHeroineColours[h]});
  kinds.push_back({"end", "the month's end (day 31)", "#6d9eeb"});
  kinds.push_back({"moneyend", "out of money", "#cc0000"});
  for (const auto& [key, label] : {std::pair<std::string, std::string>{"other", "another >end"},
                                   {"restart", "started over (no command left)"}}) {
    for (const auto& run : r.runs)
      if (run.results.endings.count(key)) {
        kinds.push_back({key, label, "#999999"});
        break;
      }
  }
  return kinds;
}

std::string Svg(int height, const std::string& label) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
         "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(kWidth) +
         " " + std::to_string(height) + "\" class=\"chart\" role=\"img\" aria-label=\"" +
         Esc(label) + "\">\n";
}

std::string Text(double x, double y, const std::string& body, const std::string& attrs = "") {
  return "<text x=\"" + Fixed(x, 1) + "\" y=\"" + Fixed(y, 1) + "\"" + attrs + ">" + body +
         "</text>\n";
}

}  // namespace

std::string EndingsSection(const MonthReport& r) {
  const std::vector<Kind> kinds = Kinds(r);
  constexpr int kRow = 24, kTitle = 30, kLeft = 270, kBar = 680;
  const int group = kTitle + kRow * static_cast<int>(kinds.size()) + 12;
  const int height = 24 + group * static_cast<int>(r.runs.size());
  std::string s = Svg(height, "How months end, per strategy");
  const auto grid = [&](int top, int bottom) {
    for (int p = 0; p <= 100; p += 25) {
      const double x = kLeft + kBar * p / 100.0;
      s += "<line x1=\"" + Fixed(x, 1) + "\" y1=\"" + std::to_string(top) + "\" x2=\"" +
           Fixed(x, 1) + "\" y2=\"" + std::to_string(bottom) + "\" class=\"grid\"/>\n";
      if (top < kTitle)
        s += Text(x, 13, std::to_string(p) + " %", " text-anchor=\"middle\" class=\"axis\"");
    }
  };
  grid(0, 0);
  int y = 24;
  for (const auto& run : r.runs) {
    const long long months = run.results.months;
    s +=
        Text(0, y + 20,
             "<tspan class=\"strategy\">" + Esc(run.name) + "</tspan>: " + Esc(Describe(run.name)));
    y += kTitle;
    grid(y, y + kRow * static_cast<int>(kinds.size()));
    for (const Kind& k : kinds) {
      const auto it = run.results.endings.find(k.key);
      const long long n = it == run.results.endings.end() ? 0 : it->second;
      const double w = months ? kBar * static_cast<double>(n) / static_cast<double>(months) : 0;
      s += Text(kLeft - 10, y + 16, Esc(k.label), " text-anchor=\"end\"");
      s += "<rect x=\"" + std::to_string(kLeft) + "\" y=\"" + std::to_string(y + 3) +
           "\" width=\"" + Fixed(w, 1) + "\" height=\"" + std::to_string(kRow - 6) + "\" fill=\"" +
           k.colour + "\"/>\n";
      const std::string figure = html::Percent(n, months) + " (" +
                                 html::Count(n, run.name + " endings " + k.key, true) + ")";
      s += w > 150 ? Text(kLeft + w - 6, y + 16, figure, " text-anchor=\"end\" class=\"on-bar\"")
                   : Text(kLeft + w + 6, y + 16, figure);
      y += kRow;
    }
    y += 12;
  }
  s += "</svg>\n";
  return "<section id=\"endings\">\n<h2>How months end</h2>\n<p>Share of the " +
         std::to_string(r.months) +
         " months of each strategy that ended each way, with the number of months.</p>\n" + s +
         "</section>\n";
}

namespace {

// A step for the money axis that gives at most eight lines.
double Step(double span) {
  for (double step : {1000.0, 2000.0, 5000.0, 10000.0, 20000.0, 50000.0})
    if (span / step <= 8) return step;
  return 100000.0;
}

std::string MoneyChart(const StrategyRun& run, double low, double high, double step) {
  constexpr int kHeight = 230, kLeft = 70, kRight = 1080, kTop = 16, kBottom = 196;
  constexpr int kPoints = kLastDay + 1;  // each morning, then the month's end
  std::vector<Spread> spread;
  std::vector<std::size_t> count;
  for (const auto& day : run.morning) {
    spread.push_back(SpreadOf(std::vector<double>(day.begin(), day.end())));
    count.push_back(day.size());
  }
  const auto& end = run.results.money;
  spread.push_back(SpreadOf(std::vector<double>(end.begin(), end.end())));
  count.push_back(end.size());
  const auto x = [&](int i) { return kLeft + (kRight - kLeft) * (i + 0.5) / kPoints; };
  const auto y = [&](double v) { return kBottom - (kBottom - kTop) * (v - low) / (high - low); };

  std::string s = Svg(kHeight, "Money through the month: " + run.name);
  for (double v = low; v <= high + 0.5; v += step) {
    s += "<line x1=\"" + std::to_string(kLeft) + "\" y1=\"" + Fixed(y(v), 1) + "\" x2=\"" +
         std::to_string(kRight) + "\" y2=\"" + Fixed(y(v), 1) + "\" class=\"" +
         (v == 0 ? "zero" : "grid") + "\"/>\n";
    s += Text(kLeft - 6, y(v) + 4, Fixed(v, 0), " text-anchor=\"end\" class=\"axis\"");
  }
  std::string band, lows, median;
  for (int i = 0; i < kPoints; ++i) {
    if (!count[i]) continue;
    band += Fixed(x(i), 1) + "," + Fixed(y(spread[i].high), 1) + " ";
    lows = Fixed(x(i), 1) + "," + Fixed(y(spread[i].low), 1) + " " + lows;
    median += Fixed(x(i), 1) + "," + Fixed(y(spread[i].median), 1) + " ";
  }
  s += "<polygon points=\"" + band + lows + "\" class=\"band\"/>\n";
  s += "<polyline points=\"" + median + "\" class=\"median\"/>\n";
  for (int i = 0; i < kPoints; ++i) {
    if (i < kLastDay && i % 5 != 4 && i != 0 && i + 1 != kClimaxDay) continue;
    s += Text(x(i), kBottom + 18, i < kLastDay ? std::to_string(i + 1) : "end",
              " text-anchor=\"middle\" class=\"axis\"");
  }
  for (int i = 0; i < kPoints; ++i) {
    if (!count[i]) continue;
    const std::string day = i < kLastDay ? "day " + std::to_string(i + 1) : "the month's end";
    s += "<circle cx=\"" + Fixed(x(i), 1) + "\" cy=\"" + Fixed(y(spread[i].median), 1) +
         "\" r=\"3\" class=\"median\"><title>" + day + ": median " + Fixed(spread[i].median, 0) +
         ", 10 % " + Fixed(spread[i].low, 0) + ", 90 % " + Fixed(spread[i].high, 0) + " (" +
         std::to_string(count[i]) + " months)</title></circle>\n";
  }
  s += "</svg>\n";
  std::string caption = "<p class=\"caption\"><span class=\"strategy\">" + Esc(run.name) +
                        "</span>: at the month's end";
  if (!end.empty()) {
    const auto [mn, mx] = std::minmax_element(end.begin(), end.end());
    const std::string tag = run.name + " money ";
    caption += ", min " + html::Count(*mn, tag + "min") + ", median <span data-sim=\"" +
               Esc(tag + "median") + "\">" + JsonNumber(spread.back().median) + "</span>, max " +
               html::Count(*mx, tag + "max");
  }
  return caption + "</p>\n" + s;
}

}  // namespace

std::string MoneySection(const MonthReport& r) {
  double low = 0, high = 10000;
  for (const auto& run : r.runs) {
    for (const auto& day : run.morning) {
      const auto sp = SpreadOf(std::vector<double>(day.begin(), day.end()));
      if (!day.empty()) low = std::min(low, sp.low), high = std::max(high, sp.high);
    }
    const auto& end = run.results.money;
    const auto sp = SpreadOf(std::vector<double>(end.begin(), end.end()));
    if (!end.empty()) low = std::min(low, sp.low), high = std::max(high, sp.high);
  }
  const double step = Step(high - low);
  low = std::floor(low / step) * step;
  high = std::ceil(high / step) * step;
  std::string s =
      "<section id=\"money\">\n<h2>Money through the month</h2>\n<p>Each morning's money: the "
      "median (line) and the band from the 10th to the 90th percentile, over the months still "
      "running that morning; the last point is the money at the month's end.</p>\n";
  for (const auto& run : r.runs) s += MoneyChart(run, low, high, step);
  return s + "</section>\n";
}

}  // namespace porukami::cli
