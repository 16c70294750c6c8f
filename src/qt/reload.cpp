#include "qt/reload.h"

#include <QKeySequence>
#include <QShortcut>

#include "qt/window.h"

namespace porukami::qt {
namespace {

// The file a picture held by the model was decoded from, when that file has changed since.
const QtImage* Changed(const ImageRef& held) {
  const auto* picture = dynamic_cast<const QtImage*>(held.get());
  if (!picture || picture->file.empty()) return nullptr;
  return picture->stamp == FileStamp::Of(picture->file) ? nullptr : picture;
}

}  // namespace

void ReloadContent(Frm& frm, QtHost& host) {
  host.DropChangedPictures();
  // The background on screen, or else the one held for a repaint, and the face on screen. A
  // picture that cannot be read now goes as it would at any other time: the box is cleared.
  // (The names are copied: showing a picture first clears the box, its name with it.)
  if (Changed(frm.Pic.Painted)) {
    frm.ShowBackground(std::string(frm.Pic.PaintedName));
  } else if (const QtImage* held = Changed(frm.E.Painted)) {
    if (ImageRef fresh = host.LoadPicture(held->file)) frm.E.Painted = std::move(fresh);
  }
  if (frm.PicKao.Visible && Changed(frm.PicKao.Painted))
    frm.ShowFace(std::string(frm.PicKao.PaintedName));
  // The scene is read when it starts: starting it again reads it as it is now. (A scene a day
  // command abandoned is still open, but its text is hidden: that is the idle screen.)
  if (frm.Lbl.Visible && frm.OpenScene()) {
    const std::string scene = *frm.OpenScene();
    frm.StartScene(scene);
  }
}

void InstallReloadKey(GameWindow& window) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F5), &window);
  QObject::connect(key, &QShortcut::activated, &window, [&window] {
    if (!window.host().ModalOpen())
      window.Run([&window] { ReloadContent(window.model(), window.host()); });
  });
}

}  // namespace porukami::qt
