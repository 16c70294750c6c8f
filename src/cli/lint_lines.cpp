// The lines of one scene script, each as the interpreter will read it.
#include "cli/lint.h"
#include "text/utf8.h"

namespace porukami::cli {
namespace {

constexpr std::size_t kMaxTextChars = 257;

struct Place {
  Checker& lint;
  const std::string& path;
  int line;
  void Error(const std::string& text) const { lint.Error(path, line, text); }
  void Warning(const std::string& text) const { lint.Warning(path, line, text); }
};

void Exact(const Place& at, const std::string& line, std::string_view command,
           const char* meaning) {
  if (line != command)
    at.Warning("read as \"" + std::string(command) + "\" (" + meaning +
               "); the rest of the line, \"" + line.substr(command.size()) + "\", is ignored");
}

// ">ive", ">htm", ">img" and ">fce" skip their fifth character whatever it is.
void Separator(const Place& at, const std::string& line) {
  const std::string_view fifth = text::CharAt(line, 5);
  if (!fifth.empty() && fifth != " ")
    at.Warning("the fifth character \"" + std::string(fifth) +
               "\" is skipped as the separator; the argument is \"" +
               std::string(text::MidFrom(line, 6)) + "\"");
}

void RunAhead(const Place& at, const std::string& line) {
  const std::string_view count = std::string_view(line).substr(2);
  const std::size_t end = NumberEnd(count);
  if (end == std::string_view::npos)
    at.Error("\"--\" without a number runs no step");
  else if (end < count.size())
    at.Warning("the text after the run-ahead count is ignored");
}

bool Digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string PlusOne(std::string digits) {
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
  if (i == 0)
    digits.insert(digits.begin(), '1');
  else
    ++digits[i - 1];
  const std::size_t first = digits.find_first_not_of('0');
  return digits.substr(first);
}

// ">htm set,name": the page NAME＿おまけ.html with the pictures of the set.
void Memories(const Place& at, const std::string& argument) {
  const std::size_t comma = argument.find(',');
  if (comma == std::string::npos) {
    at.Error(">htm needs \"set,name\"; \"" + argument + "\" has no comma, so no page is written");
    return;
  }
  const std::string a = argument.substr(0, comma);
  const std::string b = argument.substr(comma + 1, argument.find(',', comma + 1) - comma - 1);
  if (b.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos)
    at.Error(">htm page name \"" + b + "\" cannot name a file in the program folder");
  if (!Digits(a)) {
    at.Error(">htm picture set \"" + a + "\" is not a number, so no page is written");
    return;
  }
  at.lint.Picture("opn0" + PlusOne(a), at.path, at.line, "the memories page shows");
  for (char i = '1'; i <= '6'; ++i)
    at.lint.Picture(a + i, at.path, at.line, "the memories page shows");
}

void Face(const Place& at, const std::string& line) {
  const std::size_t len = text::Len(line);
  if (len < 6) {
    at.Error(">fce without its face character");
    return;
  }
  Separator(at, line);
  if (len > 6) at.Warning(">fce uses only its sixth character; the rest is ignored");
  at.lint.Picture("face_" + std::string(text::CharAt(line, 6)), at.path, at.line, ">fce shows");
}

void Text(const Place& at, const std::string& line) {
  const std::size_t len = text::Len(line);
  if (len > kMaxTextChars)
    at.Error(std::to_string(len) + " characters; a text line holds at most 257");
  if (len >= 3 && line.ends_with("-m"))
    at.Warning("\"-m\" in the last two characters is not replaced by the player's name");
  if (line.size() > 1 && line[0] == '>' &&
      ((line[1] >= 'a' && line[1] <= 'z') || (line[1] >= 'A' && line[1] <= 'Z')))
    at.Warning("starts like a command but is no command: it is shown as text");
}

void Line(const Place& at, const std::string& line, SceneRefs& refs) {
  switch (Classify(line)) {
    case LineKind::Tugi:
      return Exact(at, line, "tugi", "the end of the scene");
    case LineKind::RunAhead:
      return RunAhead(at, line);
    case LineKind::End:
      return Exact(at, line, ">end", "the ending");
    case LineKind::Fcn:
      return Exact(at, line, ">fcn", "no face");
    case LineKind::Page:
      if (line != ">p")
        at.Warning("read as \">p\" (new page), but only \">p\" alone ends the page before it");
      return;
    case LineKind::Ive:
      Separator(at, line);
      if (text::Len(line) <= 5) return at.Error(">ive without a scene name");
      refs.handOvers.push_back({std::string(text::MidFrom(line, 6)), at.line});
      return;
    case LineKind::Htm:
      Separator(at, line);
      if (!refs.firstHtm) refs.firstHtm = at.line;
      return Memories(at, std::string(text::MidFrom(line, 6)));
    case LineKind::Img:
      Separator(at, line);
      if (text::Len(line) <= 5)
        return at.Warning(">img without a name repaints the picture loaded last");
      return at.lint.Picture(std::string(text::MidFrom(line, 6)), at.path, at.line, ">img shows");
    case LineKind::Fce:
      return Face(at, line);
    case LineKind::Text:
      return Text(at, line);
  }
}

bool Chained(const std::string& line) {
  const LineKind k = Classify(line);
  return k == LineKind::Htm || k == LineKind::Img || k == LineKind::Fce || k == LineKind::Fcn ||
         (k == LineKind::Text && line.empty());
}

// A text line marks the end of its page by looking at the next line; commands in between hide
// a following ">p" or the end of the scene, and the page moves on without waiting for a click.
void HiddenPageEnds(Checker& lint, const std::string& path, const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Classify(lines[i]) != LineKind::Text || lines[i].empty()) continue;
    std::size_t j = i + 1;
    while (j < lines.size() && Chained(lines[j])) ++j;
    if (j == i + 1) continue;
    const LineKind k = j < lines.size() ? Classify(lines[j]) : LineKind::Tugi;
    if (k == LineKind::Page || k == LineKind::Tugi || k == LineKind::End || k == LineKind::Ive)
      lint.Warning(
          path, static_cast<int>(i + 1),
          "the lines between this text and " +
              (j < lines.size() ? "line " + std::to_string(j + 1) : "the end of the file") +
              " hide the page's end: the page goes on without waiting for a click");
  }
}

}  // namespace

LineKind Classify(std::string_view line) {
  if (line.starts_with("tugi")) return LineKind::Tugi;
  if (line.starts_with("--")) return LineKind::RunAhead;
  if (line.starts_with(">end")) return LineKind::End;
  if (line.starts_with(">ive")) return LineKind::Ive;
  if (line.starts_with(">p")) return LineKind::Page;
  if (line.starts_with(">htm")) return LineKind::Htm;
  if (line.starts_with(">img")) return LineKind::Img;
  if (line.starts_with(">fce")) return LineKind::Fce;
  if (line.starts_with(">fcn")) return LineKind::Fcn;
  return LineKind::Text;
}

void LintLines(Checker& lint, const std::string& path, const std::vector<std::string>& lines,
               SceneRefs& refs) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    Line(Place{lint, path, static_cast<int>(i + 1)}, lines[i], refs);
  HiddenPageEnds(lint, path, lines);
}

}  // namespace porukami::cli
