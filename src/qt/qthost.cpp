#include "qt/qthost.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QThreadPool>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/Frm.h"

namespace porukami::qt {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// The file a picture came from, so that a reload can tell whether it has changed since.
std::shared_ptr<QtImage> FromFile(std::shared_ptr<QtImage> picture, const std::string& path,
                                  const FileStamp& stamp) {
  if (picture) {
    picture->file = path;
    picture->stamp = stamp;
  }
  return picture;
}

struct ModalScope {
  explicit ModalScope(int& n) : n_(n) { ++n_; }
  ~ModalScope() { --n_; }
  int& n_;
};

}  // namespace

void QtHost::MsgBoxOk(const std::string& text, const std::string& caption) {
  ModalScope scope(modal_);
  QMessageBox box(QMessageBox::NoIcon, Q(caption), Q(text), QMessageBox::Ok, window_);
  box.exec();
}

bool QtHost::MsgBoxYesNo(const std::string& text, const std::string& caption) {
  ModalScope scope(modal_);
  QMessageBox box(QMessageBox::NoIcon, Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No,
                  window_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

int QtHost::PopupMenu(const Frm& frm) {
  ModalScope scope(modal_);
  QMenu menu(window_);
  QMenu* speed = menu.addMenu(Q(frm.menu_tim.Caption));
  QList<QAction*> items;
  for (const auto& item : frm.menu_tim_Click) {
    QAction* a = speed->addAction(Q(item.Caption));
    a->setCheckable(true);
    a->setChecked(item.Checked);
    items.push_back(a);
  }
  QAction* picked = menu.exec(QCursor::pos());
  return picked ? static_cast<int>(items.indexOf(picked)) : -1;
}

QtHost::QtHost(QWidget* window) : window_(window) {
  decoder_.setMaxThreadCount(1);
  decoder_.setExpiryTimeout(-1);  // made once, kept: it sleeps between pictures
}

void QtHost::PrefetchPicture(const std::string& nativePath, const PictureBox& box) {
  auto entry = std::find_if(prefetched_.begin(), prefetched_.end(),
                            [&](const Prefetched& p) { return p.path == nativePath; });
  if (entry == prefetched_.end()) {
    auto promise = std::make_shared<std::promise<Decoded>>();
    // Dropping a decode still running costs nothing here: the pool thread keeps its promise.
    if (prefetched_.size() == kMaxPrefetched) prefetched_.pop_front();
    prefetched_.push_back({nativePath, promise->get_future().share(), &box, {}, {}});
    entry = std::prev(prefetched_.end());
    decoder_.start([promise, nativePath] {
      Decoded d;
      d.stamp =
          FileStamp::Of(nativePath);  // before reading: a change while reading shows as a change
      d.image = DecodeQtPicture(nativePath);
      promise->set_value(std::move(d));
    });
  }
  ScaleAhead(*entry);
}

void QtHost::ScaleHintedPictures() {
  for (Prefetched& entry : prefetched_) ScaleAhead(entry);
}

void QtHost::DropChangedPictures() {
  std::erase_if(prefetched_, [](const Prefetched& p) {
    return p.decoded.get().stamp != FileStamp::Of(p.path);  // waits for a decode still running
  });
}

void QtHost::ScaleAhead(Prefetched& entry) {
  // One copy per picture: if the box's size has changed since, the picture box draws this copy
  // stretched until the size holds, as during a resize, rather than wait for another.
  if (!entry.scaledFor.isEmpty()) return;
  const QSize size = drawnSize_ ? drawnSize_(*entry.box) : QSize();
  if (size.isEmpty()) return;
  // Queued after the decode on the same thread, so the decoded picture is there when it runs.
  auto promise = std::make_shared<std::promise<QImage>>();
  entry.scaledFor = size;
  entry.scaled = promise->get_future().share();
  decoder_.start([promise, decoded = entry.decoded, size] {
    const QImage& picture = decoded.get().image;
    promise->set_value(picture.isNull() ? QImage() : ScaleForDrawing(picture, size));
  });
}

ImageRef QtHost::LoadPicture(const std::string& nativePath) {
  for (auto it = prefetched_.begin(); it != prefetched_.end(); ++it) {
    if (it->path != nativePath) continue;
    const Prefetched taken = std::move(*it);
    prefetched_.erase(it);
    const Decoded& decoded = taken.decoded.get();  // waits while it is still being decoded
    if (decoded.stamp.size >= 0 && decoded.stamp == FileStamp::Of(nativePath)) {
      auto picture = FromFile(MakeQtPicture(decoded.image), nativePath, decoded.stamp);
      if (picture && taken.scaled.valid()) {
        picture->ahead = taken.scaled;  // still being made, maybe: the paint waits for it
        picture->aheadFor = taken.scaledFor;
      }
      return picture;
    }
    break;  // missing then or changed since: read it as it is now
  }
  const FileStamp stamp = FileStamp::Of(nativePath);  // before reading, as for a decode ahead
  return FromFile(MakeQtPicture(DecodeQtPicture(nativePath)), nativePath, stamp);
}

std::string QtHost::AppPath() {
  return appPath_.empty() ? QCoreApplication::applicationDirPath().toStdString() : appPath_;
}

std::int32_t QtHost::ScreenWidth() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? static_cast<std::int32_t>(s->geometry().width() * Frm::kTwipsPerPixel) : 0;
}

std::int32_t QtHost::ScreenHeight() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? static_cast<std::int32_t>(s->geometry().height() * Frm::kTwipsPerPixel) : 0;
}

bool QtHost::SetOuterGeometry(double left, double top, double width, double height) {
  if (!window_ || window_->isMaximized() || window_->isFullScreen() || window_->isMinimized())
    return false;
  const QSize frameExtra = window_->frameGeometry().size() - window_->geometry().size();
  const int w = static_cast<int>(std::lround(width / Frm::kTwipsPerPixel)) - frameExtra.width();
  const int h = static_cast<int>(std::lround(height / Frm::kTwipsPerPixel)) - frameExtra.height();
  if (w <= 0 || h <= 0) return false;
  window_->resize(w, h);
  window_->move(static_cast<int>(std::lround(left / Frm::kTwipsPerPixel)),
                static_cast<int>(std::lround(top / Frm::kTwipsPerPixel)));
  return true;
}

}  // namespace porukami::qt
