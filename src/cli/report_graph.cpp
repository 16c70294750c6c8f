// The report's scene flow: which game event or ">ive" starts which scene, laid out by Graphviz.
#include <graphviz/gvc.h>

#include <map>
#include <memory>
#include <set>

#include "cli/report.h"
#include "cli/report_html.h"

namespace porukami::cli {
namespace {

// A DOT string literal.
std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : html::CleanUtf8(s)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c == '\n' ? ' ' : c;
  }
  return out + "\"";
}

constexpr const char* kUnreached = "#f4cccc";

// A scene's text in the graph: its name, how often it was reached, whether it ends the month.
std::string Label(const MonthReport& r, const std::string& name, const SceneFacts& facts) {
  return name + "  " + (facts.file ? std::to_string(r.Reached(name)) + "×" : "no file") +
         (facts.ends ? "  >end" : "");
}

class Graph {
 public:
  explicit Graph(const MonthReport& r) : r_(r) {}

  std::string Dot() {
    std::map<std::string, std::vector<std::string>> groups;  // variants, in one node
    for (const auto& [name, facts] : r_.scenes) {
      if (facts.variants.empty()) {
        Scene(name, facts);
      } else {
        groups[facts.variants].push_back(name);
      }
    }
    for (const auto& [key, names] : groups) Variants(key, names);
    for (const auto& [name, facts] : r_.scenes) {
      for (const auto& e : facts.events) {
        events_.insert(e);
        Edge(Quoted("e:" + e), Target(name, facts), "");
      }
      for (const auto& t : facts.handOvers)
        Edge(endpoint_[name], endpoint_[t],
             "label=\">ive\", color=\"#3d85c6\", fontcolor=\"#3d85c6\"");
    }
    std::string dot =
        "digraph flow {\n"
        "graph [rankdir=LR, nodesep=0.15, ranksep=0.8, fontname=\"IPAPGothic\"];\n"
        "node [fontname=\"IPAPGothic\", fontsize=12, shape=box, style=\"rounded,filled\", "
        "fillcolor=\"#ffffff\", color=\"#666666\", height=0.3];\n"
        "edge [fontname=\"IPAPGothic\", fontsize=10, color=\"#777777\", arrowsize=0.6];\n";
    for (const auto& e : events_)
      dot += Quoted("e:" + e) + " [label=" + Quoted(e) +
             ", shape=box, style=filled, fillcolor=\"#fde9c9\", color=\"#b45f06\"];\n";
    return dot + nodes_ + edges_ + "}\n";
  }

 private:
  void Scene(const std::string& name, const SceneFacts& facts) {
    endpoint_[name] = Quoted("s:" + name);
    std::string attrs = "label=" + Quoted(Label(r_, name, facts));
    if (!facts.file) attrs += ", style=\"rounded,dashed,filled\"";
    if (!facts.file || !r_.Reached(name))
      attrs += std::string(", fillcolor=\"") + kUnreached + "\", color=\"#cc0000\"";
    nodes_ += endpoint_[name] + " [" + attrs + "];\n";
  }

  // Scenes the game picks among at random, side by side in one node; each its own port.
  void Variants(const std::string& key, const std::vector<std::string>& names) {
    const std::string id = Quoted("v:" + key);
    std::string cells;
    for (std::size_t i = 0; i < names.size(); ++i) {
      const SceneFacts& facts = r_.scenes.at(names[i]);
      const bool red = !facts.file || !r_.Reached(names[i]);
      cells += "<TD PORT=\"p" + std::to_string(i) + "\"" +
               (red ? std::string(" BGCOLOR=\"") + kUnreached + "\"" : "") + ">" +
               html::Esc(Label(r_, names[i], facts)) + "</TD>";
      endpoint_[names[i]] = id + ":p" + std::to_string(i);
    }
    nodes_ += id +
              " [shape=plain, label=<<TABLE BORDER=\"0\" CELLBORDER=\"1\" CELLSPACING=\"0\" "
              "CELLPADDING=\"4\" COLOR=\"#666666\"><TR>" +
              cells + "</TR></TABLE>>];\n";
  }

  // Where an event's edge goes: a scene, or the node of its variants (one edge for them all).
  std::string Target(const std::string& name, const SceneFacts& facts) {
    if (facts.variants.empty()) return endpoint_[name];
    return Quoted("v:" + facts.variants);
  }

  void Edge(const std::string& from, const std::string& to, const std::string& attrs) {
    const std::string line = from + " -> " + to + (attrs.empty() ? "" : " [" + attrs + "]") + ";\n";
    if (drawn_.insert(line).second) edges_ += line;
  }

  const MonthReport& r_;
  std::map<std::string, std::string> endpoint_;
  std::set<std::string> events_, drawn_;
  std::string nodes_, edges_;
};

// The SVG Graphviz makes of the graph, from its <svg> on; empty when it could not.
std::string Layout(const std::string& dot) {
  std::unique_ptr<GVC_t, int (*)(GVC_t*)> gvc(gvContext(), gvFreeContext);
  std::unique_ptr<Agraph_t, int (*)(Agraph_t*)> g(agmemread(dot.c_str()), agclose);
  if (!gvc || !g || gvLayout(gvc.get(), g.get(), "dot") != 0) return {};
  char* data = nullptr;
  unsigned int length = 0;
  const int rendered = gvRenderData(gvc.get(), g.get(), "svg", &data, &length);
  std::string svg = rendered == 0 && data ? std::string(data, length) : std::string();
  gvFreeRenderData(data);
  gvFreeLayout(gvc.get(), g.get());
  const std::size_t start = svg.find("<svg");
  return start == std::string::npos ? std::string() : svg.substr(start);
}

}  // namespace

std::string FlowSection(const MonthReport& r) {
  const std::string svg = Layout(Graph(r).Dot());
  return "<section id=\"flow\">\n<h2>Scene flow</h2>\n<p>What starts each scene: the game's "
         "events (orange boxes) and the scenes' own <code>&gt;ive</code> hand-overs (blue). Scenes "
         "the game picks among at random sit side by side. Each scene shows how often the months "
         "reached it, and <code>&gt;end</code> when it ends the month (a new game follows); red "
         "ones were never reached or have no file.</p>\n"
         "<div class=\"graph\">\n" +
         (svg.empty() ? "<p class=\"error\">Graphviz could not lay out the graph.</p>\n" : svg) +
         "</div>\n</section>\n";
}

}  // namespace porukami::cli
