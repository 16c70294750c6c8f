// The report's chart of day 28: each heroine's key stat and 親しさ against what her climax needs.
#include "cli/report.h"
#include "cli/report_html.h"

namespace porukami::cli {
namespace {

using html::Esc;
using html::Fixed;

constexpr int kWidth = 1100, kRow = 26, kTitle = 30, kLeft = 230, kAxis = 460;
// The stats' colours, as their bars have them: 陽だまり yellow, ときめき pink, やすらぎ light
// blue, 親しさ white.
constexpr const char* kStatColours[] = {"#e6b800", "#e06c9f", "#45b5c4", "#9e9e9e"};

double X(double stat) {
  return kLeft + kAxis * stat / 100.0;
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& cls) {
  return "<line x1=\"" + Fixed(x1, 1) + "\" y1=\"" + Fixed(y1, 1) + "\" x2=\"" + Fixed(x2, 1) +
         "\" y2=\"" + Fixed(y2, 1) + "\" class=\"" + cls + "\"/>\n";
}

std::string Text(double x, double y, const std::string& body, const std::string& attrs = "") {
  return "<text x=\"" + Fixed(x, 1) + "\" y=\"" + Fixed(y, 1) + "\"" + attrs + ">" + body +
         "</text>\n";
}

// One stat of one heroine over the months that reached day 28: band, median, and the need.
std::string StatRow(int y, const std::string& label, int stat, const std::vector<int>& values,
                    int need, const std::string& right) {
  std::string s = Text(kLeft - 10, y + 17, label, " text-anchor=\"end\"");
  s += Line(X(0), y + 13, X(100), y + 13, "grid");
  if (!values.empty()) {
    const auto sp = SpreadOf(std::vector<double>(values.begin(), values.end()));
    s += "<rect x=\"" + Fixed(X(sp.low), 1) + "\" y=\"" + std::to_string(y + 6) + "\" width=\"" +
         Fixed(X(sp.high) - X(sp.low) + 1, 1) + "\" height=\"14\" fill=\"" + kStatColours[stat] +
         "\" opacity=\"0.6\"><title>10 % " + Fixed(sp.low, 0) + ", median " + Fixed(sp.median, 1) +
         ", 90 % " + Fixed(sp.high, 0) + "</title></rect>\n";
    s += Line(X(sp.median), y + 3, X(sp.median), y + 23, "median");
  }
  s += Line(X(need), y + 1, X(need), y + 25, "need");
  const std::string median =
      values.empty()
          ? ""
          : "median " + Fixed(SpreadOf({values.begin(), values.end()}).median, 0) + " · ";
  return s + Text(X(100) + 16, y + 17, median + right);
}

std::string Block(const MonthReport& r, const StrategyRun& run, int& y) {
  const long long months = run.results.months;
  std::string s = Text(0, y + 20,
                       "<tspan class=\"strategy\">" + Esc(run.name) +
                           "</tspan>: " + std::to_string(run.reachedDay28) + " of " +
                           std::to_string(months) + " months reached day 28");
  y += kTitle;
  for (int h = 0; h < Frm::kHeroines; ++h) {
    const auto& d = run.day28[h];
    const int key = KeyStat(h);
    const std::string climax = std::to_string(h) + "5";
    const auto it = run.results.scenes.find(climax);
    const long long played = it == run.results.scenes.end() ? 0 : it->second;
    const long long visits = static_cast<long long>(d.key.size());
    s += StatRow(y, Esc(r.heroines[h]) + " · " + Frm::kStatNames[key] + " (her key stat)", key,
                 d.key, kClimaxKey,
                 "visits on day 28: " + std::to_string(visits) + ", ready: " +
                     std::to_string(d.ready) + " (" + html::Percent(d.ready, months) + ")");
    y += kRow;
    s += StatRow(y, Esc(r.heroines[h]) + " · " + Frm::kStatNames[3], 3, d.bond, kClimaxBond,
                 "climax " + Esc(climax) + " played: " + html::Percent(played, months) + " (" +
                     html::Count(played, run.name + " scenes " + climax, true) + ")");
    y += kRow + 4;
  }
  y += 10;
  return s;
}

}  // namespace

std::string ClimaxSection(const MonthReport& r) {
  const int height = 30 + static_cast<int>(r.runs.size()) * (kTitle + 3 * (2 * kRow + 4) + 10);
  std::string s =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
      "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(kWidth) + " " +
      std::to_string(height) +
      "\" class=\"chart\" role=\"img\" aria-label=\"Day 28 against each climax's needs\">\n";
  for (int v = 0; v <= 100; v += 20)
    s += Text(X(v), 14, std::to_string(v), " text-anchor=\"middle\" class=\"axis\"");
  int y = 22;
  for (const auto& run : r.runs) s += Block(r, run, y);
  s += "</svg>\n";
  return "<section id=\"climax\">\n<h2>Day 28: what each climax needs</h2>\n<p>Each heroine as "
         "the visits on day 28 found her (親しさ with the visit's own gain): her key stat and "
         "親しさ, the band from the 10th to the 90th percentile with the median marked; the red "
         "line is what her climax needs: the key stat at least " +
         std::to_string(kClimaxKey) + " and her strongest of stats 0 to 2, 親しさ at least " +
         std::to_string(kClimaxBond) +
         ". \"Ready\" counts the visits that found her with all of it (and the share of all "
         "months); each of them starts her climax, unless running out of money replaces it.</p>\n" +
         s + "</section>\n";
}

}  // namespace porukami::cli
