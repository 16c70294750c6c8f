#pragma once
// The monkey's tools, for the monkey tests and the fuzz targets that play the game.
#include <set>
#include <string>
#include <vector>

#include "app/Frm.h"
#include "support/fakes.h"

namespace porukami::monkey {

namespace fs = std::filesystem;

// The txt, img and bgm.mid of a content folder, copied into the program folder `app`.
struct Copy : testing::TempContent {
  explicit Copy(const fs::path& from);
  // Removes the memories pages from the program folder (naming them in `pages`); returns what
  // else the game wrote or removed, there or beside it ("" when nothing).
  std::string Stray(std::vector<std::string>* pages = nullptr) const;
  const fs::path app = dir() / "app";
  std::set<fs::path> files;
};

// The demo content (PORUKAMI_APP_DIR, else the build's), or "" when it has not been built.
fs::path DemoDir();
long EnvNumber(const char* name, long fallback);

// A game on a copy of content with the files named replaced by `bytes` up to a NUL. After the NUL
// come the player's events, two bytes each, the first byte choosing between the opening alone and
// then the scene "s"; without a NUL, `count` events are drawn from a hash of the bytes. An event
// is one a window could deliver: a click on a control that is shown (and enabled), a tick of a
// running timer, a menu pick, an answer to the restart prompt, a selection, a name, a resize.
// Returns "" when every rule held after every event, no file descriptor stayed open and nothing
// was written but memories pages; else what went wrong and when.
std::string PlayGame(const Copy& copy, std::initializer_list<const char*> files,
                     std::string_view bytes, long count);

// "" when every rule holds; otherwise the rules broken.
std::string BrokenRule(const Frm& frm);
int OpenFileDescriptors();

}  // namespace porukami::monkey
