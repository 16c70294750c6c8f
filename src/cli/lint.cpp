// porukami-cli lint: checks a content folder against the file formats and what the game asks of it.
#include "cli/lint.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/cli.h"

namespace porukami::cli {

const char* const kLintUsage = R"(usage: porukami-cli lint [DIR]
Checks the content folder DIR (default: this program's folder): the item catalogue, every scene
the game can start and every scene named by ">ive", the pictures they show, the memories page
pieces and pictures, and bgm.mid. Prints one line per finding, "PATH:LINE: error: ..." or
"PATH:LINE: warning: ..." (PATH relative to DIR, LINE 0 for a file as a whole), then
"N errors, M warnings". Exit status 1 when there is an error, else 0.
)";

std::string Checker::Locate(const std::string& relative, const std::string& where, int line) {
  const text::FoundFile found = files_.Find(Native(relative));
  if (found.caseOnly.empty()) return relative;
  const std::string folder = relative.substr(0, relative.rfind('/') + 1);
  std::string names;
  for (const std::string& name : found.caseOnly)
    names += (names.empty() ? "" : " and ") + folder + name;
  std::string text = relative + " exists only as " + names +
                     ": the game finds it with case ignored, systems where case counts do not";
  if (found.caseOnly.size() > 1) text += "; the game opens " + folder + found.caseOnly.front();
  Warning(where, line, text);
  return folder + found.caseOnly.front();
}

text::TextFile Checker::ReadText(const std::string& relative, const std::string& where, int line) {
  text::TextFile f =
      text::ReadTextFile(Native(Locate(relative, where.empty() ? relative : where, line)));
  for (int line : f.badLines)
    Error(relative, line, "bytes that are not CP932 (the game shows U+FFFD in their place)");
  if (!f.loneLfLines.empty())
    Warning(relative, f.loneLfLines.front(),
            std::to_string(f.loneLfLines.size()) +
                " line(s) end in a lone LF, the first here; the game's files end lines with CR LF");
  return f;
}

void Checker::Picture(const std::string& name, const std::string& where, int line,
                      const std::string& why) {
  const std::string relative = "img/" + name + ".dat";
  const std::string found = Locate(relative, where, line);
  auto it = pictures_.find(found);
  if (it == pictures_.end()) {
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(Native(found), ec);
    const int state = !exists ? 1 : cache_.Load(Native(found)) ? 0 : 2;
    it = pictures_.emplace(found, state).first;
  }
  if (it->second == 1) Error(where, line, why + " " + relative + ", which is missing");
  if (it->second == 2) Error(where, line, why + " " + relative + ", which is not a picture");
}

void LintMusic(Checker& lint) {
  std::ifstream in(lint.Native(lint.Locate("bgm.mid", "bgm.mid", 0)), std::ios::binary);
  if (!in) {
    lint.Warning("bgm.mid", 0, "missing: the game runs without music");
    return;
  }
  char head[4] = {};
  in.read(head, 4);
  if (std::string_view(head, static_cast<std::size_t>(in.gcount())) != "MThd")
    lint.Warning("bgm.mid", 0, "not a MIDI file: the game runs without music");
}

namespace {

void Print(const std::vector<Finding>& found) {
  std::vector<const Finding*> sorted;
  for (const auto& f : found) sorted.push_back(&f);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Finding* a, const Finding* b) {
    return a->path != b->path ? a->path < b->path : a->line < b->line;
  });
  int errors = 0, warnings = 0;
  for (const Finding* f : sorted) {
    std::cout << f->path << ':' << f->line << (f->error ? ": error: " : ": warning: ") << f->text
              << '\n';
    ++(f->error ? errors : warnings);
  }
  std::cout << errors << " errors, " << warnings << " warnings\n";
}

}  // namespace

int Lint(const Args& args) {
  if (args.size() > 1 || (!args.empty() && args[0].starts_with("-"))) {
    std::cerr << kLintUsage;
    return 2;
  }
  const std::string dir = args.empty() ? ProgramFolder() : AbsoluteFolder(args[0]);
  Checker lint(dir);
  LintCatalogue(lint);
  LintScenes(lint);
  LintMusic(lint);
  Print(lint.findings());
  const auto& f = lint.findings();
  return std::any_of(f.begin(), f.end(), [](const Finding& x) { return x.error; }) ? 1 : 0;
}

}  // namespace porukami::cli
