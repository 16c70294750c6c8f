#include "qt/letterbox.h"

#include <QEvent>
#include <QKeySequence>
#include <QPainter>
#include <QRegion>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

namespace porukami::qt {

QRect LetterboxArea(const QSize& client) {
  // Full height when the client area is at least 4:3, full width when it is taller.
  const int h = std::min(client.height(), qRound(client.width() * 3.0 / 4.0));
  const int w = std::min(client.width(), qRound(h * 4.0 / 3.0));
  return {(client.width() - w) / 2, (client.height() - h) / 2, w, h};
}

QRect GameArea(const QWidget& window) {
  if (window.isMaximized() || window.isFullScreen()) return LetterboxArea(window.size());
  return window.rect();
}

void PaintMargins(QWidget& window) {
  if (!window.isFullScreen()) return;  // a maximised window's margins keep its own colour
  QPainter p(&window);
  p.setClipRegion(QRegion(window.rect()).subtracted(GameArea(window)));
  p.fillRect(window.rect(), Qt::black);
}

ScreenModes::ScreenModes(QWidget* window, std::function<void()> layOut, std::function<void()> place)
    : QObject(window), window_(window), layOut_(std::move(layOut)), place_(std::move(place)) {
  const auto toggle = [this] {
    window_->setWindowState(window_->windowState() ^ Qt::WindowFullScreen);
  };
  // Enter beside the letters and Enter on the keypad.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_F11), QKeySequence(Qt::ALT | Qt::Key_Return),
        QKeySequence(Qt::ALT | Qt::Key_Enter)})
    connect(new QShortcut(keys, window), &QShortcut::activated, this, toggle);
  // Only while in full screen: otherwise Esc stays with the control that has the focus.
  escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  escape_->setEnabled(false);
  connect(escape_, &QShortcut::activated, this, toggle);
  window->installEventFilter(this);
}

bool ScreenModes::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::WindowStateChange) {
    escape_->setEnabled(window_->isFullScreen());
    if (window_->isMaximized() || window_->isFullScreen())
      layOut_();
    else
      place_();
    window_->update();  // the margins change colour
  }
  return false;
}

}  // namespace porukami::qt
