#pragma once
// Full screen and maximised windows. The game keeps its 4:3 shape there too: it is laid out in the
// largest 4:3 area centred in the window, exactly as a window of that size; the rest is a margin
// (black in full screen, the window's colour when maximised) with nothing in it to click. Only the
// window maps that area: the game's model never learns of the margins.
#include <QObject>
#include <QRect>
#include <functional>

class QShortcut;
class QWidget;

namespace porukami::qt {

// The largest 4:3 area centred in a client area of this size.
QRect LetterboxArea(const QSize& client);
// Where the game is laid out: the whole client area of a window the game may size itself, the
// letterbox area of a maximised or full-screen one.
QRect GameArea(const QWidget& window);
// Blackens a full-screen window's margins; called from the window's paint handler.
void PaintMargins(QWidget& window);

// The keys of the screen modes: F11 and Alt+Enter switch full screen on and off (a maximised
// window goes back to maximised), Esc leaves it. `layOut` (the resize handler) runs when the window
// becomes maximised or full screen, as the platform may report the new state after the new size.
// A window going back to normal is laid out when the platform gives back its size (laid out at the
// size it still has, the game would keep that size); meanwhile `place` puts the controls back over
// its whole client area.
class ScreenModes : public QObject {
 public:
  ScreenModes(QWidget* window, std::function<void()> layOut, std::function<void()> place);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  QShortcut* escape_ = nullptr;
  std::function<void()> layOut_, place_;
};

}  // namespace porukami::qt
