#pragma once
// The monkey's tools, for the monkey tests, the robustness tests and the fuzz targets.
#include <cstdlib>
#include <set>

#include "app/Frm.h"
#include "support/fakes.h"

namespace porukami::monkey {

namespace fs = std::filesystem;

// The demo content, if built; the number of events a monkey plays.
inline const fs::path kDemo = PORUKAMI_DEMO_DIR;
inline const char* const kEventsEnv = std::getenv("PORUKAMI_MONKEY_EVENTS");
inline const long kEvents = kEventsEnv ? std::atol(kEventsEnv) : 20000;

// A content folder copied as `app`. Stray removes the memories pages (naming them in `pages`)
// and tells what else the game wrote or removed, there or beside it.
struct Copy : testing::TempContent {
  explicit Copy(const fs::path& from);
  std::string Stray(std::vector<std::string>* pages = nullptr) const;
  const fs::path app = dir() / "app";
  std::set<fs::path> files;
};

// A game on the copy with the files named replaced by `bytes` up to a NUL. After it come events,
// two bytes each (the first byte chooses the opening alone or then the scene "s"), then events
// drawn from a hash of the bytes, up to `count`; each one a window could deliver. "" when every
// rule held throughout, no descriptor stayed open and only memories pages were written.
std::string PlayGame(const Copy& copy, std::initializer_list<const char*> files,
                     std::string_view bytes, long count);

// "" when every rule holds; otherwise the rules broken.
std::string BrokenRule(const Frm& frm);
int OpenFileDescriptors();

}  // namespace porukami::monkey
