#pragma once
#include "app/host.h"
#include "qt/image.h"

class QWidget;

namespace porukami::qt {

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
  // Another program folder than the binary's (for tests).
  void SetAppPath(std::string path) { appPath_ = std::move(path); }

 private:
  QWidget* window_;
  std::string appPath_;
  int modal_ = 0;
};

}  // namespace porukami::qt
