#pragma once
// How the window reads the player's clicks and choices as the game's platform reported them.
#include <QListWidget>
#include <QObject>

namespace porukami::qt {

// The second press of a double click does nothing on the controls it is installed on: the game
// handles clicks and never double clicks, so a quick double click is one click, while a second
// click after the double-click interval is a click of its own.
class SingleClicks : public QObject {
 public:
  using QObject::QObject;
  void Watch(QWidget* w) { w->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QObject* swallowing_ = nullptr;  // the control whose double click's release is dropped too
};

// The selected line of a single-selection list, -1 when none is selected. (The current line is
// another thing: keyboard focus sets it, and it stays when Ctrl+click deselects.)
int SelectedRow(const QListWidget* w);

}  // namespace porukami::qt
