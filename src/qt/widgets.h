#pragma once
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/controls.h"

namespace porukami::qt {

// A picture box: its background colour and, when painted, a picture stretched over it.
//
// The smooth copy of the picture at the box's size is made once and kept (see QtImage). While the
// box is being resized, each new size is drawn at once by stretching the last smooth copy without
// smoothing, and the smooth copy for the new size is made when the size has held for
// kSettleMs: a window dragged by its corner keeps up with the pointer.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent = nullptr);
  void SetPicture(ImageRef img);
  void SetColour(const Rgb& c);
  void SetBorder(bool on);
  // The size in device pixels the picture is drawn at: inside the 1-pixel border, if any.
  QSize PictureSize() const;
  // The part of a box's rectangle its picture covers.
  static QRect InsideBorder(const QRect& box, bool border) {
    return border ? box.adjusted(1, 1, -1, -1) : box;
  }
  static constexpr int kSettleMs = 150;
  std::function<void()> onClick;
  std::function<void()> onActivateKey;  // Space or Enter while the box has the focus

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  ImageRef picture_;
  Rgb colour_{225, 184, 135};
  bool border_ = false;
  // The smooth copy last drawn, of picture_ (null after a change of picture), and whether it is
  // being stretched until the size settles.
  QImage drawn_;
  bool resizing_ = false;
  QTimer settle_;
};

// A filled rectangle without events: clicks fall through to the container.
class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeWidget(QWidget* parent = nullptr);
  void SetColours(const Rgb& fill, const Rgb& border, bool drawBorder);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Rgb fill_, border_;
  bool drawBorder_ = false;
};

// A label of plain text with a transparent background that reports clicks.
//
// Its text is drawn from a laid-out copy kept for the labels of the window: the scene's text and
// its two shadows show the same text in the same font and width, so it is laid out once for the
// three, and a repaint lays nothing out again.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(QWidget* parent = nullptr);
  std::function<void()> onClick;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace porukami::qt
