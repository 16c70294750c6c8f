#include "qt/image.h"

#include <QImageReader>
#include <filesystem>

namespace porukami::qt {

FileStamp FileStamp::Of(const std::string& nativePath) {
  std::error_code ec;
  const std::filesystem::path p(nativePath);
  const auto size = std::filesystem::file_size(p, ec);
  if (ec) return {};
  const auto modified = std::filesystem::last_write_time(p, ec);
  if (ec) return {};
  return {static_cast<std::int64_t>(size),
          static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

QImage ScaleForDrawing(const QImage& picture, const QSize& devicePixels) {
  if (picture.size() == devicePixels) return picture;
  return picture.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

const QImage& QtImage::ScaledTo(const QSize& devicePixels) const {
  if (image.size() == devicePixels) return image;
  if (scaledFor != devicePixels || scaled.isNull()) {
    if (ahead.valid() && aheadFor == devicePixels) {
      scaled = ahead.get();  // waits while it is still being made
    } else {
      scaled = ScaleForDrawing(image, devicePixels);
    }
    ahead = {};
    scaledFor = devicePixels;
  }
  return scaled;
}

QImage QtImage::TakeAhead() const {
  QImage copy = ahead.valid() ? ahead.get() : QImage();
  ahead = {};
  return copy;
}

QImage DecodeQtPicture(const std::string& nativePath) {
  QImageReader reader(QString::fromStdString(nativePath));
  reader.setDecideFormatFromContent(true);
  QImage img = reader.read();
  if (img.isNull()) return img;
  return img.hasAlphaChannel() ? img.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                               : img.convertToFormat(QImage::Format_RGB32);
}

std::shared_ptr<QtImage> MakeQtPicture(const QImage& decoded) {
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
