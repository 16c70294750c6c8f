#pragma once
#include <QImage>
#include <QThreadPool>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <string>

#include "app/host.h"
#include "qt/image.h"

class QWidget;

namespace porukami::qt {

class QtHost : public Host {
 public:
  explicit QtHost(QWidget* window);
  void MsgBoxOk(const std::string& text, const std::string& caption) override;
  bool MsgBoxYesNo(const std::string& text, const std::string& caption) override;
  int PopupMenu(const Frm& frm) override;
  ImageRef LoadPicture(const std::string& nativePath) override;
  // Decodes the picture on a pool thread and, when the size its box is drawn at is known, makes
  // the smooth copy for that size there too; LoadPicture then takes the result (or decodes afresh
  // when the file has changed since). At most kMaxPrefetched are kept, the oldest dropped.
  void PrefetchPicture(const std::string& nativePath, const PictureBox& box) override;
  // Pictures hinted before their box's size was known get their smooth copy now.
  void ScaleHintedPictures();
  // Forgets the pictures decoded ahead (and their smooth copies) whose file has changed since.
  void DropChangedPictures();
  static constexpr std::size_t kMaxPrefetched = 2;
  std::string AppPath() override;
  std::int32_t ScreenWidth() override;
  std::int32_t ScreenHeight() override;
  bool SetOuterGeometry(double left, double top, double width, double height) override;

  // True while a message box or the pop-up menu is open: the game takes no ticks then.
  bool ModalOpen() const { return modal_ > 0; }
  // The size in device pixels a box of the game's model is drawn at (an empty size while that is
  // not known); the window answers.
  void SetDrawnSize(std::function<QSize(const PictureBox&)> drawnSize) {
    drawnSize_ = std::move(drawnSize);
  }
  // Another program folder than the binary's (for tests).
  void SetAppPath(std::string path) { appPath_ = std::move(path); }

 private:
  // A picture decoded from a file that has changed since is not used.
  struct Decoded {
    QImage image;
    FileStamp stamp;
  };
  struct Prefetched {
    std::string path;
    std::shared_future<Decoded> decoded;
    const PictureBox* box;  // the model's box it was hinted for
    QSize scaledFor;        // the size of the smooth copy asked for; empty: none
    std::shared_future<QImage> scaled;
  };
  void ScaleAhead(Prefetched& entry);

  QWidget* window_;
  std::function<QSize(const PictureBox&)> drawnSize_;
  std::deque<Prefetched> prefetched_;  // oldest first
  // One thread, so pictures decode in the order asked and take at most one core from the game.
  QThreadPool decoder_;
  std::string appPath_;
  int modal_ = 0;
};

}  // namespace porukami::qt
