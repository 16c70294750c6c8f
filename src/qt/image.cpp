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

QImage DecodeQtPicture(const std::string& nativePath) {
  QImageReader reader(QString::fromStdString(nativePath));
  reader.setDecideFormatFromContent(true);
  QImage img = reader.read();
  if (img.isNull()) return img;
  return img.hasAlphaChannel() ? img.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                               : img.convertToFormat(QImage::Format_RGB32);
}

ImageRef MakeQtPicture(const QImage& decoded) {
  if (decoded.isNull()) return nullptr;
  auto out = std::make_shared<QtImage>();
  out->image = decoded;
  out->width = decoded.width();
  out->height = decoded.height();
  return out;
}

ImageRef LoadQtPicture(const std::string& nativePath) {
  return MakeQtPicture(DecodeQtPicture(nativePath));
}

}  // namespace porukami::qt
