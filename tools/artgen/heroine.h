#pragma once
// The heroines as simple stylised busts. The drawing space has the face centre at (0, 0); the
// face is about 96 units wide and the bust reaches down to y = 200.
#include "artgen/artgen.h"

namespace artgen {

struct Heroine {
  QColor hair, hairDark, hairLit;
  QColor eye, eyeDark;
  QColor cloth, clothDark, trim;
  QColor theme, themeLit;
  int style;  // 0 long straight, 1 short with a side tail, 2 braids and a kerchief
};

Heroine HeroineOf(int h);
extern const QColor kSkin;
extern const QColor kSkinShade;
extern const QColor kLine;

// The bangs: a cap over the crown whose lower edge is a row of pointed locks.
QPainterPath Bangs(const std::vector<QPointF>& tips, double notchY, double crown, double width);
QBrush HairBrush(const Heroine& her, double top, double bottom);
void HairShine(QPainter& p, const Heroine& her, double y);
void BackHair(QPainter& p, const Heroine& her);
void Body(QPainter& p, const Heroine& her);
void FrontHair(QPainter& p, const Heroine& her);

}  // namespace artgen
