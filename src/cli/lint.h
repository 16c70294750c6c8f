#pragma once
// The content linter's pieces: findings, and the checks of each kind of file.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/host.h"
#include "text/paths.h"
#include "text/textfile.h"

namespace porukami::cli {

struct Finding {
  std::string path;  // relative to the content folder, with "/"
  int line = 0;      // 0: the file as a whole
  bool error = true;
  std::string text;
};

class Checker {
 public:
  explicit Checker(std::string dir) : dir_(std::move(dir)) {}

  void Error(const std::string& path, int line, std::string text) {
    findings_.push_back({path, line, true, std::move(text)});
  }
  void Warning(const std::string& path, int line, std::string text) {
    findings_.push_back({path, line, false, std::move(text)});
  }
  const std::vector<Finding>& findings() const { return findings_; }

  // The native path of a file given relative to the content folder.
  std::string Native(const std::string& relative) const { return dir_ + "/" + relative; }
  // The file the game opens for `relative`, relative to the content folder: the name itself, or
  // the one its name matches with case ignored, which is reported at `where`:`line` (such a
  // name is not found on systems where case counts).
  std::string Locate(const std::string& relative, const std::string& where, int line);
  // Reads a text file of the content as the game finds it (a name matched with case ignored is
  // reported at `where`:`line`, by default the file itself); reports its unreadable bytes and
  // lone LF line ends.
  text::TextFile ReadText(const std::string& relative, const std::string& where = {}, int line = 0);
  // Checks that a picture exists and decodes; `where`/`line` name the place that asks for it.
  void Picture(const std::string& name, const std::string& where, int line, const std::string& why);

 private:
  std::string dir_;
  std::vector<Finding> findings_;
  std::map<std::string, int> pictures_;  // 0 fine, 1 missing, 2 not a picture
  PictureCache cache_;
  text::CaseBlindFiles files_;
};

void LintCatalogue(Checker& lint);
void LintMusic(Checker& lint);
// Every scene the game can start, following ">ive", with the pictures and pages they ask for.
void LintScenes(Checker& lint);

// How a scene's line is read, in the order the interpreter tests it.
enum class LineKind { Tugi, RunAhead, End, Ive, Page, Htm, Img, Fce, Fcn, Text };
LineKind Classify(std::string_view line);
// Where the number that `s` begins with ends, as the game reads numbers; npos when there is none.
std::size_t NumberEnd(std::string_view s);

// What the lines of one scene refer to.
struct SceneRefs {
  struct HandOver {
    std::string target;
    int line = 0;
  };
  std::vector<HandOver> handOvers;  // ">ive" lines
  int firstHtm = 0;                 // line of the first ">htm", 0 when none
};
void LintLines(Checker& lint, const std::string& path, const std::vector<std::string>& lines,
               SceneRefs& refs);

}  // namespace porukami::cli
