#include "qt/image.h"

#include <QImageReader>

namespace porukami::qt {

const QPixmap& QtImage::ScaledTo(const QSize& devicePixels) const {
  if (scaledFor != devicePixels || scaled.isNull()) {
    scaled = QPixmap::fromImage(
        image.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    scaledFor = devicePixels;
  }
  return scaled;
}

ImageRef LoadQtPicture(const std::string& nativePath) {
  QImageReader reader(QString::fromStdString(nativePath));
  reader.setDecideFormatFromContent(true);
  QImage img = reader.read();
  if (img.isNull()) return nullptr;
  auto out = std::make_shared<QtImage>();
  out->image = img.hasAlphaChannel() ? img.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                     : img.convertToFormat(QImage::Format_RGB32);
  out->width = img.width();
  out->height = img.height();
  return out;
}

}  // namespace porukami::qt
