#pragma once
// Pictures decoded by Qt Gui (no widgets), shared by the window and the terminal tool.
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <string>

#include "ui/controls.h"

namespace porukami::qt {

// A picture decoded by Qt, with the scaled copy last drawn kept so a repaint does not rescale.
struct QtImage : ImageData {
  QImage image;
  mutable QPixmap scaled;
  mutable QSize scaledFor;
  const QPixmap& ScaledTo(const QSize& devicePixels) const;
};

// Decodes a picture file whatever its name says: the format is taken from the content.
ImageRef LoadQtPicture(const std::string& nativePath);

// The two halves of LoadQtPicture. DecodeQtPicture may run on any thread (a null image when the
// file is missing or not a picture); MakeQtPicture runs on the thread that paints.
QImage DecodeQtPicture(const std::string& nativePath);
ImageRef MakeQtPicture(const QImage& decoded);

}  // namespace porukami::qt
