// porukami-cli report: simulates the month with every strategy and writes one self-contained HTML
// page of what happened, with the content's lint result and its scenes.
#include "cli/report.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <optional>

#include "cli/cli.h"
#include "cli/report_html.h"
#include "cli/words.h"

namespace porukami::cli {

const char* const kReportUsage =
    R"(usage: porukami-cli report [--dir DIR] [--months N] [--seed S] [--out FILE.html]
Plays N months (default 1000) with each strategy of "sim" (greedy, explore, random), seeded with S
(default 1), on the content in DIR (default: this program's folder), and writes one HTML page
(to FILE.html, else to standard output): the lint result; how months end; the money through the
month; each heroine on day 28 against what her climax needs; the forest's odds as measured and
as the rules give them; every scene with how often it was reached; the scene flow as a graph.
Each strategy's figures are those "sim" prints for the same seed; the same inputs give the same
page, byte for byte.
)";

namespace {

std::optional<MonthReport> ParseOptions(const Args& args, std::string& out) {
  MonthReport r;
  r.dir = ProgramFolder();
  r.months = 1000;
  r.seed = 1;
  if (args.size() % 2) return std::nullopt;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string &key = args[i], &value = args[i + 1];
    const auto n = ParseInt(value);
    if (key == "--dir") {
      r.dir = AbsoluteFolder(value);
    } else if (key == "--out") {
      out = value;
    } else if (key == "--months" && n && *n >= 0) {
      r.months = *n;
    } else if (key == "--seed" && n && *n >= 0) {
      r.seed = static_cast<std::uint64_t>(*n);
    } else {
      return std::nullopt;
    }
  }
  return r;
}

void LintContent(MonthReport& r) {
  Checker lint(r.dir);
  LintCatalogue(lint);
  LintScenes(lint);
  LintMusic(lint);
  r.findings = lint.findings();
  std::stable_sort(r.findings.begin(), r.findings.end(), [](const Finding& a, const Finding& b) {
    return a.path != b.path ? a.path < b.path : a.line < b.line;
  });
}

const char* const kStyle = R"(
body { font-family: "IPAPGothic", "IPAGothic", "Noto Sans CJK JP", sans-serif; font-size: 15px;
  color: #222; max-width: 1120px; margin: 20px auto; padding: 0 12px; }
h1 { font-size: 26px; margin-bottom: 4px; }
h2 { font-size: 20px; border-bottom: 1px solid #ccc; margin-top: 36px; }
table { border-collapse: collapse; }
td, th { border: 1px solid #ddd; padding: 3px 8px; text-align: right; }
th { text-align: left; font-weight: normal; background: #f6f6f6; }
table.scenes td:nth-child(2) { text-align: left; font-size: 13px; }
tr.unreached td, tr.unreached th, td.off { background: #f4cccc; }
ul.lint li.error { color: #b00000; }
ul.lint li.warning { color: #7a5c00; }
p.summary, p.caption { color: #444; }
p.caption { margin: 14px 0 0; }
.strategy { font-weight: bold; }
svg.chart { display: block; }
svg.chart text { font-size: 13px; fill: #222; }
svg.chart text.axis { font-size: 11px; fill: #666; }
svg.chart text.on-bar { fill: #fff; font-weight: bold; }
svg.chart .grid { stroke: #e3e3e3; }
svg.chart .zero { stroke: #888; }
svg.chart .band { fill: #6d9eeb; opacity: 0.35; }
svg.chart polyline.median { fill: none; stroke: #1c4587; stroke-width: 2; }
svg.chart circle.median { fill: #1c4587; }
svg.chart line.median { stroke: #222; stroke-width: 2; }
svg.chart .need { stroke: #cc0000; stroke-width: 2; stroke-dasharray: 4 2; }
div.graph { overflow-x: auto; }
)";

}  // namespace

std::string LintSection(const MonthReport& r) {
  int errors = 0, warnings = 0;
  std::string items;
  for (const Finding& f : r.findings) {
    ++(f.error ? errors : warnings);
    const char* kind = f.error ? "error" : "warning";
    items += std::string("<li class=\"") + kind + "\">" + html::Esc(f.path) + ":" +
             std::to_string(f.line) + ": " + kind + ": " + html::Esc(f.text) + "</li>\n";
  }
  const std::string summary = r.findings.empty() ? "no problems"
                                                 : std::to_string(errors) + " errors, " +
                                                       std::to_string(warnings) + " warnings";
  return "<section id=\"lint\">\n<h2>Lint</h2>\n<p id=\"lint-result\">" + summary + "</p>\n" +
         (items.empty() ? "" : "<ul class=\"lint\">\n" + items + "</ul>\n") + "</section>\n";
}

namespace {

std::string Page(const MonthReport& r) {
  const std::string version = PORUKAMI_VERSION;
  const std::string title = "ぽるかみ: the month at a glance";
  std::string inputs = "<tr><th>content folder</th><td>" + html::Esc(r.dir) + "</td></tr>\n";
  inputs += "<tr><th>months per strategy</th><td>" + std::to_string(r.months) + "</td></tr>\n";
  inputs += "<tr><th>seed</th><td>" + std::to_string(r.seed) + "</td></tr>\n";
  std::string names;
  for (const auto& run : r.runs) names += (names.empty() ? "" : ", ") + html::Esc(run.name);
  inputs += "<tr><th>strategies</th><td>" + names + "</td></tr>\n";
  inputs += "<tr><th>game version</th><td>ぽるかみ " + html::Esc(version) + "</td></tr>\n";
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + title +
         "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" + title +
         "</h1>\n<p class=\"summary\">" + html::Esc(r.dir) + " · " + std::to_string(r.months) +
         " months per strategy · seed " + std::to_string(r.seed) + " · ぽるかみ " +
         html::Esc(version) + "</p>\n" + LintSection(r) + EndingsSection(r) + MoneySection(r) +
         ClimaxSection(r) + ForestSection(r) + ScenesSection(r) + FlowSection(r) +
         "<section id=\"inputs\">\n<h2>Inputs</h2>\n<table class=\"inputs\">\n" + inputs +
         "</table>\n<p>The same inputs give the same page: <code>porukami-cli report --dir " +
         html::Esc(r.dir) + " --months " + std::to_string(r.months) + " --seed " +
         std::to_string(r.seed) + "</code></p>\n</section>\n</body>\n</html>\n";
}

}  // namespace

int Report(const Args& args) {
  std::string out;
  auto r = ParseOptions(args, out);
  if (!r) {
    std::cerr << kReportUsage;
    return 2;
  }
  LintContent(*r);
  for (const char* strategy : kStrategies) {
    if (RunStrategy(*r, strategy)) continue;
    for (const auto& [m, n] : r->runs.back().results.messages)
      std::cerr << "porukami-cli report: " << m << '\n';
    return 1;
  }
  ReadScenes(*r);
  const std::string page = Page(*r);
  if (out.empty()) {
    std::cout << page;
    return std::cout ? 0 : 1;
  }
  std::ofstream file(out, std::ios::binary);
  file << page;
  if (!file.flush()) {
    std::cerr << "porukami-cli report: cannot write " << out << '\n';
    return 1;
  }
  return 0;
}

}  // namespace porukami::cli
