#pragma once
#include <QString>

namespace porukami::qt {

class GameWindow;

// A text as the game's font shows it: every "\" is drawn as "¥", so it is read as "¥".
QString Spoken(QString text);

// What a screen reader is told about the game window (through the platform's accessibility
// bus): one object per control a player meets, with Japanese names, and none for hidden controls
// or for the shadows of the scene text; the stat bars as progress bars; and each new line of a
// scene, and each message, as text inserted into the picture and into its label.
//
// Everything published is derived from the model when it is asked for.
class Announcer {
 public:
  Announcer();  // installs the window's accessible objects (once per program)
  // After each sync of the widgets: tells the reader what text has appeared.
  void Sync(GameWindow& window);

 private:
  bool named_ = false;
  QString scene_, message_, picture_;
};

}  // namespace porukami::qt
