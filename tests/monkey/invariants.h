#pragma once
// What must hold after every event the window model handles, whatever the content and whatever
// the player did: the checks of the monkey tests and the fuzz targets.
#include <string>

#include "app/Frm.h"

namespace porukami::monkey {

// Empty when every rule holds; otherwise a description of the first rule broken. `played` is
// false before the first new game (start-up alone sets no day and no money).
std::string BrokenRule(const Frm& frm, bool played = true);

// The number of file descriptors the process holds open.
int OpenFileDescriptors();

}  // namespace porukami::monkey
