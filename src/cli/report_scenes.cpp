// The report's scenes: every scene the content has or the game asks for, what starts each, and
// how often the months reached it.
#include <algorithm>
#include <filesystem>

#include "cli/report.h"
#include "cli/report_html.h"
#include "text/textfile.h"
#include "text/utf8.h"

namespace porukami::cli {
namespace {

using html::Esc;

// Files of txt/ that the game reads for something else than a scene.
bool NotAScene(const std::string& name) {
  return name == "item" || name == "head" || name == "foot";
}

void AskedByTheGame(MonthReport& r) {
  r.scenes[Frm::kOpeningScene].events.push_back("new game");
  r.scenes["end"].events.push_back("day 31");
  r.scenes["moneyend"].events.push_back("money below 0");
  for (int h = 0; h < Frm::kHeroines; ++h) {
    const std::string d = std::to_string(h), visit = "visit " + r.heroines[h];
    for (int stage = 1; stage <= 4; ++stage) {
      for (int v = 0; v < 3; ++v) {
        SceneFacts& f = r.scenes[d + std::to_string(stage) + std::to_string(v)];
        f.events.push_back(visit);
        f.variants = d + std::to_string(stage);
      }
    }
    r.scenes[d + "5"].events.push_back(visit + " on day 28, ready");
    r.scenes[d + "6"].events.push_back(visit + " after her climax");
  }
  for (const auto& [prefix, count] : {std::pair<std::string, int>{"mori_", 4}, {"ive", 3}}) {
    for (int k = 0; k < count; ++k) {
      SceneFacts& f = r.scenes[prefix + std::to_string(k)];
      f.events.push_back("森に行く");
      f.variants = prefix;
    }
  }
}

}  // namespace

void ReadScenes(MonthReport& r) {
  AskedByTheGame(r);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(r.dir + "/txt", ec)) {
    const auto& p = entry.path();
    if (p.extension() == ".dat" && entry.is_regular_file(ec) && !NotAScene(p.stem().string()))
      r.scenes[p.stem().string()].file = true;
  }
  // Every scene file is known now: a ">ive" can only add scenes that have none.
  std::vector<std::string> named;
  for (auto& [name, facts] : r.scenes) {
    if (!facts.file) continue;
    for (const std::string& line : text::ReadTextFile(r.dir + "/txt/" + name + ".dat").lines) {
      const LineKind kind = Classify(line);
      facts.ends |= kind == LineKind::End;
      if (kind != LineKind::Ive) continue;
      const std::string target(text::MidFrom(line, 6));
      if (std::find(facts.handOvers.begin(), facts.handOvers.end(), target) ==
          facts.handOvers.end())
        facts.handOvers.push_back(target);
      named.push_back(target);
    }
  }
  for (const auto& target : named) r.scenes.try_emplace(target);
}

long long MonthReport::Reached(const std::string& scene) const {
  long long n = 0;
  for (const auto& run : runs) {
    const auto it = run.results.scenes.find(scene);
    if (it != run.results.scenes.end()) n += it->second;
  }
  return n;
}

std::string ScenesSection(const MonthReport& r) {
  std::map<std::string, std::vector<std::string>> from;  // the scenes that hand over to each
  for (const auto& [name, facts] : r.scenes)
    for (const auto& target : facts.handOvers) from[target].push_back(name);
  std::string unreached, rows;
  for (const auto& [name, facts] : r.scenes) {
    const long long all = r.Reached(name);
    std::string starts;
    for (const auto& e : facts.events) starts += (starts.empty() ? "" : ", ") + Esc(e);
    for (const auto& s : from[name])
      starts += (starts.empty() ? "" : ", ") + ("&gt;ive in " + Esc(s));
    std::string note = facts.file ? "" : "no file";
    if (!all) {
      unreached += "<li>" + Esc(name) + (facts.file ? "" : " (no file)") + "</li>";
      note = note.empty() ? "unreached" : "unreached, " + note;
    }
    rows += std::string("<tr") + (all ? "" : " class=\"unreached\"") + "><th>" + Esc(name) +
            "</th><td>" + (starts.empty() ? "nothing: no event, no &gt;ive" : starts) + "</td>";
    for (const auto& run : r.runs) {
      const auto it = run.results.scenes.find(name);
      rows += "<td>" +
              html::Count(it == run.results.scenes.end() ? 0 : it->second,
                          run.name + " scenes " + name) +
              "</td>";
    }
    rows += "<td>" + std::to_string(all) + "</td><td>" + note + "</td></tr>\n";
  }
  std::string head = "<tr><th>scene</th><th>started by</th>";
  for (const auto& run : r.runs) head += "<th>" + Esc(run.name) + "</th>";
  head += "<th>all</th><th>note</th></tr>\n";
  return "<section id=\"scenes\">\n<h2>Every scene, and how often the months reached it</h2>\n"
         "<p>Unreached scenes: " +
         std::string(unreached.empty() ? "none." : "") + "</p>\n<ul id=\"unreached\">" + unreached +
         "</ul>\n<table class=\"scenes\">\n" + head + rows + "</table>\n</section>\n";
}

}  // namespace porukami::cli
