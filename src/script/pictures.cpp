#include "app/Frm.h"
#include "text/textfile.h"

namespace porukami {

std::string Frm::PicturePath(const std::string& name) {
  return FileOf(ImgDir + name + ".dat");
}

// Backgrounds are held in E so an empty name (a resize) repaints the last one. Faces are held
// apart, so a repaint never stretches a face over the whole picture.
void Frm::ShowBackground(const std::string& name) {
  Pic.Cls();
  if (!name.empty()) {
    ImageRef img = host_.LoadPicture(PicturePath(name));
    if (!img) return;
    E.Painted = std::move(img);
    E.PaintedName = name;
  }
  if (!E.Painted) return;
  Pic.Painted = E.Painted;
  Pic.PaintedName = E.PaintedName;
  Pic.Visible = true;
}

void Frm::ShowFace(const std::string& name) {
  PicKao.Cls();
  ImageRef img = host_.LoadPicture(PicturePath(name));
  if (!img) return;
  face_ = img;
  PicKao.Painted = std::move(img);
  PicKao.PaintedName = name;
  PicKao.Visible = true;
}

}  // namespace porukami
