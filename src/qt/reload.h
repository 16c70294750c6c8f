#pragma once
// F5, for content authors: what changed on disk is shown again.
#include "app/Frm.h"
#include "qt/qthost.h"

namespace porukami::qt {

class GameWindow;

// Pictures whose file changed are decoded again (the copies decoded ahead, and the smooth copies
// made of them, are dropped); then a running scene starts again from its first line, read anew.
// Day, money, stats, items and stages are untouched; on the idle screen nothing else changes.
// The catalogue and the page pieces are not read here: held items copy the catalogue's lines,
// and the pieces are read each time a page is written.
void ReloadContent(Frm& frm, QtHost& host);

// Binds F5 in the window to ReloadContent.
void InstallReloadKey(GameWindow& window);

}  // namespace porukami::qt
