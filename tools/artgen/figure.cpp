// The heroines' hair and bodies.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "artgen/heroine.h"

namespace artgen {

QPainterPath Bangs(const std::vector<QPointF>& tips, double notchY, double crown, double width) {
  QPainterPath b;
  b.moveTo(-width, 14);
  b.cubicTo(-width - 6, -58, -30, -crown, 0, -crown);
  b.cubicTo(30, -crown, width + 6, -58, width, 14);
  // back along the fringe, right to left
  QPointF prev(width - 2, -8);
  b.lineTo(prev);
  for (int i = static_cast<int>(tips.size()) - 1; i >= 0; --i) {
    const QPointF tip = tips[static_cast<std::size_t>(i)];
    const double nextX =
        i > 0
            ? (tips[static_cast<std::size_t>(i)].x() + tips[static_cast<std::size_t>(i - 1)].x()) /
                  2
            : -width + 2;
    const QPointF notch(nextX, i > 0 ? notchY : -8);
    b.quadTo(QPointF((prev.x() + tip.x()) / 2 + 2, (prev.y() + tip.y()) / 2 + 4), tip);
    b.quadTo(QPointF((tip.x() + notch.x()) / 2 + 2, (tip.y() + notch.y()) / 2 + 2), notch);
    prev = notch;
  }
  b.closeSubpath();
  return b;
}

QBrush HairBrush(const Heroine& her, double top, double bottom) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, her.hair);
  g.setColorAt(0.6, Mix(her.hair, her.hairDark, 0.35));
  g.setColorAt(1, her.hairDark);
  return g;
}

void HairShine(QPainter& p, const Heroine& her, double y) {
  QPen pen(WithAlpha(her.hairLit, 0.6), 5);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  QPainterPath left, right;
  left.moveTo(-36, y + 10);
  left.quadTo(-24, y - 4, -6, y - 6);
  right.moveTo(6, y - 6);
  right.quadTo(24, y - 4, 34, y + 8);
  p.drawPath(left);
  p.drawPath(right);
  p.setPen(Qt::NoPen);
}

void BackHair(QPainter& p, const Heroine& her) {
  QPainterPath b;
  if (her.style == 0) {  // long and straight, past the shoulders
    b.moveTo(-52, -30);
    b.cubicTo(-70, 40, -78, 120, -92, 205);
    b.lineTo(92, 205);
    b.cubicTo(78, 120, 70, 40, 52, -30);
    b.cubicTo(50, -85, -50, -85, -52, -30);
  } else if (her.style == 1) {  // short, with a tail tied at the side
    b.moveTo(-50, -30);
    b.cubicTo(-56, 10, -54, 40, -46, 58);
    b.lineTo(46, 58);
    b.cubicTo(54, 40, 56, 10, 50, -30);
    b.cubicTo(48, -85, -48, -85, -50, -30);
    QPainterPath tail;
    tail.moveTo(40, -40);
    tail.cubicTo(95, -60, 120, -5, 104, 60);
    tail.cubicTo(100, 30, 90, 0, 74, -10);
    tail.cubicTo(110, 40, 96, 90, 80, 110);
    tail.cubicTo(88, 60, 76, 10, 50, -10);
    tail.closeSubpath();
    b.addPath(tail);
  } else {  // shoulder length under the kerchief
    b.moveTo(-52, -30);
    b.cubicTo(-62, 20, -60, 60, -54, 80);
    b.lineTo(54, 80);
    b.cubicTo(60, 60, 62, 20, 52, -30);
    b.cubicTo(50, -85, -50, -85, -52, -30);
  }
  b.setFillRule(Qt::WindingFill);
  p.setPen(QPen(Mix(her.hairDark, Qt::black, 0.25), 1.5));
  p.setBrush(HairBrush(her, -80, 205));
  p.drawPath(b);
  p.setPen(Qt::NoPen);
}

void Body(QPainter& p, const Heroine& her) {
  // neck
  QLinearGradient ng(0, 30, 0, 90);
  ng.setColorAt(0, kSkinShade);
  ng.setColorAt(0.4, kSkin);
  p.setPen(Qt::NoPen);
  p.setBrush(ng);
  p.drawRect(QRectF(-15, 30, 30, 62));

  QPainterPath body;
  body.moveTo(-17, 78);
  body.cubicTo(-22, 102, -72, 106, -106, 128);
  body.cubicTo(-124, 140, -132, 170, -134, 205);
  body.lineTo(-136, 400);
  body.lineTo(136, 400);
  body.lineTo(134, 205);
  body.cubicTo(132, 170, 124, 140, 106, 128);
  body.cubicTo(72, 106, 22, 102, 17, 78);
  body.closeSubpath();
  QLinearGradient bg(0, 80, 0, 205);
  bg.setColorAt(0, her.cloth);
  bg.setColorAt(1, her.clothDark);
  p.setPen(QPen(Mix(her.clothDark, Qt::black, 0.3), 1.5));
  p.setBrush(bg);
  p.drawPath(body);
  p.setPen(Qt::NoPen);

  if (her.style == 0) {  // a round white collar and a star pendant
    QPainterPath collar;
    collar.moveTo(-20, 84);
    collar.cubicTo(-44, 96, -46, 122, -18, 124);
    collar.quadTo(-4, 118, 0, 104);
    collar.quadTo(4, 118, 18, 124);
    collar.cubicTo(46, 122, 44, 96, 20, 84);
    collar.quadTo(0, 100, -20, 84);
    p.setBrush(her.trim);
    p.setPen(QPen(Rgb(0xB8B4D8), 1.2));
    p.drawPath(collar);
    p.setPen(Qt::NoPen);
    Glow(p, QPointF(0, 140), 16, Rgb(0xFFF0B0, 0.6));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
      const double r = i % 2 ? 3.2 : 8.0;
      const double a = -kPi / 2 + i * kPi / 5;
      const QPointF pt(std::cos(a) * r, 140 + std::sin(a) * r);
      if (i == 0)
        star.moveTo(pt);
      else
        star.lineTo(pt);
    }
    star.closeSubpath();
    p.setBrush(Rgb(0xFFD86A));
    p.drawPath(star);
  } else if (her.style == 1) {  // a yellow scarf wound at the throat
    QPainterPath scarf;
    scarf.moveTo(-28, 78);
    scarf.cubicTo(-40, 100, -20, 114, 0, 112);
    scarf.cubicTo(20, 114, 40, 100, 28, 78);
    scarf.quadTo(0, 92, -28, 78);
    QPainterPath end;
    end.moveTo(8, 104);
    end.cubicTo(26, 130, 22, 160, 34, 186);
    end.lineTo(14, 188);
    end.cubicTo(8, 160, 0, 130, -4, 108);
    end.closeSubpath();
    QLinearGradient sg(0, 78, 0, 190);
    sg.setColorAt(0, her.trim);
    sg.setColorAt(1, Mix(her.trim, Rgb(0xC07020), 0.5));
    p.setPen(QPen(Rgb(0xB07A20), 1.2));
    p.setBrush(sg);
    p.drawPath(end);
    p.drawPath(scarf);
    p.setPen(QPen(her.clothDark, 2));
    p.drawLine(QPointF(-64, 120), QPointF(-36, 400));
    p.drawLine(QPointF(64, 120), QPointF(40, 400));
    p.setPen(Qt::NoPen);
  } else {  // an apron bib over the dress
    QPainterPath bib;
    bib.moveTo(-42, 400);
    bib.lineTo(-36, 130);
    bib.quadTo(0, 122, 36, 130);
    bib.lineTo(42, 400);
    bib.closeSubpath();
    p.setPen(QPen(Rgb(0xE8DCCB), 1.2));
    p.setBrush(her.trim);
    p.drawPath(bib);
    p.setPen(QPen(her.trim, 5));
    p.drawLine(QPointF(-36, 132), QPointF(-20, 92));
    p.drawLine(QPointF(36, 132), QPointF(20, 92));
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xF7B8A8));
    p.drawEllipse(QPointF(0, 160), 6, 6);  // a little heart-shaped patch, kept round
  }
}

void FrontHair(QPainter& p, const Heroine& her) {
  const QPen outline(Mix(her.hairDark, Qt::black, 0.25), 1.5);
  if (her.style == 0) {
    // long side locks framing the face
    for (int side : {-1, 1}) {
      QPainterPath lock;
      lock.moveTo(side * 44, -40);
      lock.cubicTo(side * 58, 10, side * 54, 70, side * 64, 150);
      lock.quadTo(side * 58, 140, side * 50, 152);
      lock.cubicTo(side * 44, 90, side * 44, 20, side * 34, -20);
      lock.closeSubpath();
      p.setPen(outline);
      p.setBrush(HairBrush(her, -40, 150));
      p.drawPath(lock);
    }
    const std::vector<QPointF> tips = {{-42, 6}, {-30, -4}, {-18, 2}, {-6, -6},
                                       {8, 0},   {20, -5},  {33, 4},  {44, 8}};
    p.setPen(outline);
    p.setBrush(HairBrush(her, -80, 10));
    p.drawPath(Bangs(tips, -22, 78, 52));
    HairShine(p, her, -50);
    // a small star hairpin
    p.setPen(Qt::NoPen);
    Glow(p, QPointF(-36, -40), 10, Rgb(0xFFF2B0, 0.7));
    p.setBrush(Rgb(0xFFE27A));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
      const double r = i % 2 ? 2.4 : 6.0;
      const double a = -kPi / 2 + i * kPi / 5;
      const QPointF pt(-36 + std::cos(a) * r, -40 + std::sin(a) * r);
      if (i == 0)
        star.moveTo(pt);
      else
        star.lineTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
  } else if (her.style == 1) {
    // short, sharp fringe swept to one side
    const std::vector<QPointF> tips = {{-46, 8}, {-36, -6}, {-24, 0}, {-12, -10},
                                       {2, -4},  {16, -14}, {30, -2}, {44, 4}};
    for (int side : {-1, 1}) {
      QPainterPath lock;
      lock.moveTo(side * 44, -36);
      lock.cubicTo(side * 56, -4, side * 54, 30, side * 50, 56);
      lock.quadTo(side * 44, 40, side * 38, 30);
      lock.cubicTo(side * 40, 10, side * 38, -10, side * 32, -24);
      lock.closeSubpath();
      p.setPen(outline);
      p.setBrush(HairBrush(her, -40, 60));
      p.drawPath(lock);
    }
    p.setPen(outline);
    p.setBrush(HairBrush(her, -80, 10));
    p.drawPath(Bangs(tips, -26, 82, 52));
    HairShine(p, her, -52);
    // a blue feather tucked above the ear
    p.setPen(Qt::NoPen);
    QPainterPath feather;
    feather.moveTo(46, -40);
    feather.cubicTo(70, -70, 86, -96, 84, -118);
    feather.cubicTo(70, -100, 52, -76, 46, -40);
    QLinearGradient fg(46, -40, 84, -118);
    fg.setColorAt(0, Rgb(0x2E6FB8));
    fg.setColorAt(1, Rgb(0x8FD0F0));
    p.setBrush(fg);
    p.drawPath(feather);
    p.setPen(QPen(Rgb(0xEAF6FF), 1));
    p.drawLine(QPointF(47, -42), QPointF(82, -114));
    p.setPen(Qt::NoPen);
  } else {
    const std::vector<QPointF> tips = {{-44, 2}, {-30, -6}, {-15, -1}, {0, -8},
                                       {15, -1}, {30, -6},  {44, 2}};
    p.setPen(outline);
    p.setBrush(HairBrush(her, -80, 10));
    p.drawPath(Bangs(tips, -20, 78, 52));
    // braids over the shoulders, tied with ribbons
    for (int side : {-1, 1}) {
      for (int i = 0; i < 7; ++i) {
        const QPointF c(side * (48 + i * 2.2), 40 + i * 15);
        const double r = 11 - i * 0.6;
        QRadialGradient g(c + QPointF(-2, -4), r * 1.4);
        g.setColorAt(0, her.hairLit);
        g.setColorAt(0.5, her.hair);
        g.setColorAt(1, her.hairDark);
        p.setPen(outline);
        p.setBrush(g);
        p.drawEllipse(c, r, r * 0.85);
      }
      p.setPen(Qt::NoPen);
      p.setBrush(Rgb(0x7CC08A));
      const QPointF knot(side * 63, 144);
      QPainterPath ribbon;
      ribbon.moveTo(knot);
      ribbon.lineTo(knot + QPointF(-12, -7));
      ribbon.lineTo(knot + QPointF(-12, 7));
      ribbon.closeSubpath();
      ribbon.moveTo(knot);
      ribbon.lineTo(knot + QPointF(12, -7));
      ribbon.lineTo(knot + QPointF(12, 7));
      ribbon.closeSubpath();
      p.drawPath(ribbon);
      p.drawEllipse(knot, 3.5, 3.5);
    }
    // the kerchief over the crown, knotted at the side
    QPainterPath cloth;
    cloth.moveTo(-55, -34);
    cloth.cubicTo(-52, -88, 52, -88, 55, -34);
    cloth.quadTo(0, -52, -55, -34);
    cloth.closeSubpath();
    QLinearGradient kg(0, -86, 0, -34);
    kg.setColorAt(0, Rgb(0xFFF3B8));
    kg.setColorAt(1, Rgb(0xF2D27A));
    p.setPen(QPen(Rgb(0xC9A24A), 1.3));
    p.setBrush(kg);
    p.drawPath(cloth);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xFFFFFF, 0.85));
    for (int i = 0; i < 6; ++i) {
      p.drawEllipse(QPointF(-36 + i * 14, -58 - (i % 2) * 8 + std::abs(i - 2.5) * 3), 2.2, 2.2);
    }
    p.setPen(QPen(Rgb(0xC9A24A), 1.3));
    p.setBrush(kg);
    QPainterPath knot;
    knot.moveTo(-54, -36);
    knot.quadTo(-76, -52, -74, -30);
    knot.quadTo(-66, -28, -54, -36);
    knot.moveTo(-54, -36);
    knot.quadTo(-78, -30, -68, -14);
    knot.quadTo(-60, -20, -54, -36);
    p.drawPath(knot);
    p.setPen(Qt::NoPen);
  }
}

}  // namespace artgen
