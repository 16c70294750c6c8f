// Every scene the game can start: present, not empty, readable, and no hand-over that loops
// without ever showing text.
#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <set>

#include "app/Frm.h"
#include "cli/lint.h"
#include "text/utf8.h"

namespace porukami::cli {
namespace {

struct Wanted {
  std::string name;
  std::string why;  // for a scene the game asks for by itself
  std::string fromPath = {};
  int fromLine = 0;  // for a scene named by ">ive"
};

std::vector<Wanted> AskedByTheGame() {
  std::vector<Wanted> w = {{Frm::kOpeningScene, "the game starts it at every new game"},
                           {"end", "the game starts it after day 30"},
                           {"moneyend", "the game starts it when the money runs out"}};
  for (int h = 0; h < 3; ++h) {
    const std::string who = "a visit to heroine " + std::to_string(h);
    for (int stage = 1; stage <= 4; ++stage)
      for (int v = 0; v < 3; ++v)
        w.push_back({std::to_string(h) + std::to_string(stage) + std::to_string(v),
                     who + " at stage " + std::to_string(stage) + " starts it"});
    w.push_back({std::to_string(h) + "5", who + " on day 28 starts it (her climax)"});
    w.push_back({std::to_string(h) + "6", who + " after her climax starts it (her finale)"});
  }
  for (int i = 0; i < 4; ++i) w.push_back({"mori_" + std::to_string(i), "the forest starts it"});
  for (int i = 0; i < 3; ++i) w.push_back({"ive" + std::to_string(i), "the forest starts it"});
  return w;
}

// Where a scene goes from its start before it shows any text: a ">ive" target, "opn" for
// ">end", or nothing when it shows text first or stops.
struct Entry {
  std::string target;
  int line = 0;
};

std::optional<Entry> EntryHandOver(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int n = static_cast<int>(i + 1);
    switch (Classify(line)) {
      case LineKind::Text:
        if (!line.empty()) return std::nullopt;
        break;
      case LineKind::RunAhead:
        if (NumberEnd(std::string_view(line).substr(2)) == std::string_view::npos)
          return std::nullopt;
        break;
      case LineKind::Tugi:
        return std::nullopt;
      case LineKind::End:
        return Entry{Frm::kOpeningScene, n};
      case LineKind::Ive:
        return Entry{std::string(text::MidFrom(line, 6)), n};
      default:
        break;
    }
  }
  return std::nullopt;
}

std::string ScenePath(const std::string& name) {
  return "txt/" + name + ".dat";
}

class SceneWalk {
 public:
  explicit SceneWalk(Checker& lint) : lint_(lint) {}
  void Run();

 private:
  void Visit(const Wanted& w);
  void Missing(const Wanted& w, const char* what);
  void Pieces();
  void Cycles();

  Checker& lint_;
  std::deque<Wanted> queue_;
  std::set<std::string> seen_;
  std::map<std::string, std::optional<Entry>> entries_;
  int firstHtm_ = 0;
  std::string htmPath_;
};

void SceneWalk::Run() {
  for (auto& w : AskedByTheGame()) {
    seen_.insert(w.name);
    queue_.push_back(std::move(w));
  }
  while (!queue_.empty()) {
    const Wanted w = std::move(queue_.front());
    queue_.pop_front();
    Visit(w);
  }
  Pieces();
  Cycles();
}

void SceneWalk::Missing(const Wanted& w, const char* what) {
  if (w.fromLine)
    lint_.Error(w.fromPath, w.fromLine,
                ">ive names scene \"" + w.name + "\", but " + ScenePath(w.name) + " is " + what);
  else
    lint_.Error(ScenePath(w.name), 0, std::string(what) + ": " + w.why);
}

void SceneWalk::Visit(const Wanted& w) {
  const std::string path = ScenePath(w.name);
  const text::TextFile f = lint_.ReadText(path, w.fromLine ? w.fromPath : path, w.fromLine);
  if (!f.opened) return Missing(w, "missing");
  if (f.lines.empty()) return Missing(w, "empty");
  SceneRefs refs;
  LintLines(lint_, path, f.lines, refs);
  const bool anyText = std::any_of(f.lines.begin(), f.lines.end(), [](const std::string& l) {
    return !l.empty() && Classify(l) == LineKind::Text;
  });
  if (!anyText) lint_.Warning(path, 0, "the scene shows no text");
  if (refs.firstHtm && !firstHtm_) {
    firstHtm_ = refs.firstHtm;
    htmPath_ = path;
  }
  entries_[w.name] = EntryHandOver(f.lines);
  for (const auto& h : refs.handOvers)
    if (seen_.insert(h.target).second) queue_.push_back({h.target, "", path, h.line});
}

// The memories page needs its head and foot pieces.
void SceneWalk::Pieces() {
  if (!firstHtm_) return;
  for (const char* piece : {"head", "foot"}) {
    const std::string path = ScenePath(piece);
    if (!lint_.ReadText(path, htmPath_, firstHtm_).opened)
      lint_.Error(htmPath_, firstHtm_, ">htm needs the page piece " + path + ", which is missing");
  }
}

// Scenes that hand over to each other before any text loop for ever without a click.
void SceneWalk::Cycles() {
  std::set<std::string> reported;
  for (const auto& [start, entry] : entries_) {
    std::vector<std::string> path{start};
    std::string at = start;
    while (true) {
      auto it = entries_.find(at);
      if (it == entries_.end() || !it->second) break;
      at = it->second->target;
      auto loop = std::find(path.begin(), path.end(), at);
      if (loop != path.end()) {
        if (loop != path.begin() || !reported.insert(*std::min_element(loop, path.end())).second)
          break;
        std::string chain;
        for (auto p = loop; p != path.end(); ++p) chain += *p + " → ";
        lint_.Error(ScenePath(start), entry->line,
                    "hand-over cycle that shows no text: " + chain + at);
        break;
      }
      path.push_back(at);
    }
  }
}

}  // namespace

void LintScenes(Checker& lint) {
  SceneWalk(lint).Run();
  lint.Picture("mori", "img/mori.dat", 0, "the forest shows");
}

}  // namespace porukami::cli
