#pragma once
#include <QImage>
#include <QPixmap>
#include <QSize>

#include "app/host.h"

class QWidget;

namespace porukami::qt {

// A picture decoded by Qt, with the scaled copy last drawn kept so a repaint does not rescale.
struct QtImage : ImageData {
  QImage image;
  mutable QPixmap scaled;
  mutable QSize scaledFor;
  const QPixmap& ScaledTo(const QSize& devicePixels) const;
};

class QtHost : public Host {
 public:
  explicit QtHost(QWidget* window) : window_(window) {}
  void MsgBoxOk(const std::string& text, const std::string& caption) override;
  bool MsgBoxYesNo(const std::string& text, const std::string& caption) override;
  int PopupMenu(const Frm& frm) override;
  ImageRef LoadPicture(const std::string& nativePath) override;
  std::string AppPath() override;
  std::int32_t ScreenWidth() override;
  std::int32_t ScreenHeight() override;
  bool SetOuterGeometry(double left, double top, double width, double height) override;

  // True while a message box or the pop-up menu is open: the game takes no ticks then.
  bool ModalOpen() const { return modal_ > 0; }
  void SetWindow(QWidget* w) { window_ = w; }

 private:
  QWidget* window_;
  int modal_ = 0;
};

// Decodes a picture file whatever its name says: the format is taken from the content.
ImageRef LoadQtPicture(const std::string& nativePath);

}  // namespace porukami::qt
