#pragma once
// Pictures decoded by Qt Gui (no widgets), shared by the window and the terminal tool.
#include <QImage>
#include <QSize>
#include <cstdint>
#include <future>
#include <string>

#include "ui/controls.h"

namespace porukami::qt {

// What a file looked like when it was read: its size and time of last change (size -1: missing).
struct FileStamp {
  std::int64_t size = -1;
  std::int64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
  static FileStamp Of(const std::string& nativePath);
};

// A picture decoded by Qt, with the scaled copy last drawn kept so a repaint does not rescale.
struct QtImage : ImageData {
  QImage image;
  // The file it was decoded from, as it was then (set by the window's host; empty elsewhere).
  std::string file;
  FileStamp stamp;
  mutable QImage scaled;
  mutable QSize scaledFor;
  // A copy for the size the picture was expected to be drawn at, made on another thread while
  // the game went on; taken by ScaledTo when that is the size asked for.
  mutable std::shared_future<QImage> ahead;
  mutable QSize aheadFor;
  // The picture at devicePixels: the picture itself at its own size, else a smooth copy.
  const QImage& ScaledTo(const QSize& devicePixels) const;
  // The size of the copy being made ahead; empty when there is none.
  QSize AheadSize() const { return ahead.valid() ? aheadFor : QSize(); }
  // The copy made ahead, whatever its size (waits while it is still being made).
  QImage TakeAhead() const;
};

// The smooth copy of a picture at a size, as the picture boxes draw it (any thread).
QImage ScaleForDrawing(const QImage& picture, const QSize& devicePixels);

// Decodes a picture file whatever its name says: the format is taken from the content.
ImageRef LoadQtPicture(const std::string& nativePath);

// The two halves of LoadQtPicture. DecodeQtPicture may run on any thread (a null image when the
// file is missing or not a picture); MakeQtPicture runs on the thread that paints.
QImage DecodeQtPicture(const std::string& nativePath);
std::shared_ptr<QtImage> MakeQtPicture(const QImage& decoded);

}  // namespace porukami::qt
