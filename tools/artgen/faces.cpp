// The heroines' faces: eyes, brows, mouths, the portrait, the face pictures and the memories.
#include <QRadialGradient>
#include <cmath>

#include "artgen/heroine.h"

namespace artgen {

namespace {

QPainterPath FaceShape() {
  QPainterPath f;
  f.moveTo(-47, -25);
  f.cubicTo(-49, 8, -42, 32, -21, 50);
  f.quadTo(0, 64, 21, 50);
  f.cubicTo(42, 32, 49, 8, 47, -25);
  f.cubicTo(45, -72, -45, -72, -47, -25);
  f.closeSubpath();
  return f;
}

void Eye(QPainter& p, const Heroine& her, double cx, double cy, int side, Look look) {
  const QColor lash = Mix(her.hairDark, Rgb(0x2A1A20), 0.6);
  QPen lashPen(lash, 3.4);
  lashPen.setCapStyle(Qt::RoundCap);
  lashPen.setJoinStyle(Qt::RoundJoin);
  if (look == Look::Joy) {
    QPainterPath arc;
    arc.moveTo(cx - 11, cy + 4);
    arc.quadTo(cx, cy - 9, cx + 11, cy + 4);
    p.setPen(lashPen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    return;
  }
  const bool lowered = look == Look::Sad || look == Look::Worried;
  const double lidTop = lowered ? cy - 9 : (look == Look::Shy ? cy - 15 : cy - 13);
  const double outer = cx + side * 13.5, inner = cx - side * 11.5;
  QPainterPath white;
  white.moveTo(inner, cy - 3);
  white.quadTo(cx, lidTop - 5, outer, lidTop + 4);
  white.quadTo(outer - side * 1, cy + 10, cx, cy + 12);
  white.quadTo(inner + side * 1, cy + 8, inner, cy - 3);
  white.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Rgb(0xFFFFFF));
  p.drawPath(white);

  p.save();
  p.setClipPath(white);
  const double ix = cx + (look == Look::Shy ? -side * 2.5 : side * 0.5);
  const double iy = lowered ? cy + 2.5 : cy;
  const QRectF iris(ix - 8.5, iy - 11, 17, 23);
  QLinearGradient g(0, iris.top(), 0, iris.bottom());
  g.setColorAt(0, her.eyeDark);
  g.setColorAt(0.55, her.eye);
  g.setColorAt(1, Mix(her.eye, Qt::white, 0.45));
  p.setBrush(g);
  p.drawEllipse(iris);
  p.setBrush(Mix(her.eyeDark, Qt::black, 0.4));
  p.drawEllipse(QRectF(ix - 4, iy - 5, 8, 11));
  p.setBrush(WithAlpha(Qt::black, 0.18));
  p.drawRect(QRectF(cx - 16, lidTop - 8, 32, 8));
  p.restore();

  p.setBrush(Rgb(0xFFFFFF));
  p.drawEllipse(QPointF(ix - 3.5, std::max(iy - 4.5, lidTop + 1.5)), 3.4, 3.4);
  p.drawEllipse(QPointF(ix + 3.2, iy + 5), 1.6, 1.6);
  if (look == Look::Worried) {
    p.setBrush(WithAlpha(Rgb(0xCFEFFF), 0.9));
    p.drawEllipse(QPointF(outer - side * 1, cy + 12), 2.2, 3.2);
  }

  QPainterPath lid;
  lid.moveTo(inner - side * 0.5, cy - 2);
  lid.quadTo(cx, lidTop - 5.5, outer + side * 1.5, lidTop + 3);
  lid.lineTo(outer + side * 3.5, lidTop + 5.5);
  p.setPen(lashPen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(lid);
  QPen lower(WithAlpha(lash, 0.55), 1.3);
  p.setPen(lower);
  QPainterPath under;
  under.moveTo(outer - side * 2, cy + 7);
  under.quadTo(cx, cy + 13, inner + side * 3, cy + 9);
  p.drawPath(under);
  p.setPen(Qt::NoPen);
}

void Brow(QPainter& p, const Heroine& her, double cx, int side, Look look) {
  double in = -20, out = -22, mid = -24;
  if (look == Look::Sad || look == Look::Worried || look == Look::Shy) {
    in = -25;
    out = -19;
    mid = -25;
  } else if (look == Look::Pout) {
    in = -16;
    out = -23;
    mid = -21;
  } else if (look == Look::Grin) {
    in = side < 0 ? -21 : -19;
    out = side < 0 ? -25 : -22;
    mid = out - 2;
  }
  QPen pen(Mix(her.hairDark, Rgb(0x3A2020), 0.3), 2.4);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  QPainterPath b;
  b.moveTo(cx - side * 9, in);
  b.quadTo(cx + side * 2, mid, cx + side * 11, out);
  p.drawPath(b);
  p.setPen(Qt::NoPen);
}

void Mouth(QPainter& p, Look look) {
  QPen pen(Rgb(0x9A4A4A), 1.9);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  QPainterPath m;
  switch (look) {
    case Look::Calm:
      m.moveTo(-7, 36);
      m.quadTo(0, 41, 7, 36);
      p.drawPath(m);
      break;
    case Look::Joy:
    case Look::Bright: {
      m.moveTo(-10, 34);
      m.quadTo(0, 36, 10, 34);
      m.quadTo(0, 50, -10, 34);
      m.closeSubpath();
      p.setBrush(Rgb(0xB84A5C));
      p.setPen(QPen(Rgb(0x8A3A44), 1.4));
      p.drawPath(m);
      p.setPen(Qt::NoPen);
      p.setBrush(Rgb(0xF08A96));
      p.drawEllipse(QPointF(0, 42), 4.5, 2.6);
      break;
    }
    case Look::Shy:
      m.moveTo(-6, 38);
      m.quadTo(-3, 35, 0, 38);
      m.quadTo(3, 41, 6, 38);
      p.drawPath(m);
      break;
    case Look::Sad:
    case Look::Worried:
      m.moveTo(-6, 39);
      m.quadTo(0, 35.5, 6, 39);
      p.drawPath(m);
      break;
    case Look::Grin:
      m.moveTo(-9, 35);
      m.quadTo(1, 42, 10, 32);
      p.drawPath(m);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      {
        QPainterPath fang;
        fang.moveTo(3, 37.5);
        fang.lineTo(5.5, 37);
        fang.lineTo(4.6, 40.5);
        fang.closeSubpath();
        p.drawPath(fang);
      }
      break;
    case Look::Pout:
      m.moveTo(-5, 38);
      m.quadTo(0, 35, 5, 38);
      m.moveTo(-2, 39.5);
      m.lineTo(2, 39.5);
      p.drawPath(m);
      break;
  }
  p.setPen(Qt::NoPen);
}

}  // namespace

Heroine HeroineOf(int h) {
  switch (h) {
    case 0:  // ラテゥ: moon-silver hair, sea-glass eyes, a night-blue dress
      return {Rgb(0xC9C3F0),
              Rgb(0x8A82C8),
              Rgb(0xF3F0FF),
              Rgb(0x3FA9C8),
              Rgb(0x1D5A78),
              Rgb(0x34406F),
              Rgb(0x222A50),
              Rgb(0xF4F1FF),
              Rgb(0x8FA3D8),
              Rgb(0xE3E8FF),
              0};
    case 1:  // ヒョウ: flame-red hair, amber eyes, a travelling jacket and a yellow scarf
      return {Rgb(0xD9503F),
              Rgb(0x92272A),
              Rgb(0xFF9C7A),
              Rgb(0xE2A033),
              Rgb(0x8A4E12),
              Rgb(0x7A4A2C),
              Rgb(0x4E2C18),
              Rgb(0xF2C14E),
              Rgb(0xF2A07A),
              Rgb(0xFFE6C8),
              1};
    default:  // マム: honey-brown braids, leaf-green eyes, a rose dress and an apron
      return {Rgb(0xC98B4A),
              Rgb(0x7F4F26),
              Rgb(0xF2C38A),
              Rgb(0x5EA55A),
              Rgb(0x255C2A),
              Rgb(0xE98B6D),
              Rgb(0xB8604A),
              Rgb(0xFFFBF2),
              Rgb(0xB8D88A),
              Rgb(0xFFF6D0),
              2};
  }
}

const QColor kSkin = Rgb(0xFDE6D6);
const QColor kSkinShade = Rgb(0xF0C4AE);
const QColor kLine = Rgb(0x5A3A3A);

void Portrait(QPainter& p, int h, Look look, QPointF centre, double scale, double tilt) {
  const Heroine her = HeroineOf(h);
  p.save();
  p.translate(centre);
  p.rotate(tilt);
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);

  BackHair(p, her);
  Body(p, her);

  const QPainterPath face = FaceShape();
  QRadialGradient fg(QPointF(-8, 0), 70);
  fg.setColorAt(0, kSkin);
  fg.setColorAt(0.75, kSkin);
  fg.setColorAt(1, kSkinShade);
  p.setPen(QPen(Rgb(0xD9A18A), 1.4));
  p.setBrush(fg);
  p.drawPath(face);
  p.setPen(Qt::NoPen);

  // the fringe's shadow on the forehead
  p.save();
  p.setClipPath(face);
  p.setBrush(WithAlpha(kSkinShade, 0.8));
  p.drawEllipse(QRectF(-50, -70, 100, 58));
  p.restore();

  const double blush = look == Look::Shy                         ? 0.75
                       : look == Look::Joy || look == Look::Pout ? 0.5
                                                                 : 0.28;
  Glow(p, QPointF(-27, 21), 13, Rgb(0xFF8FA0, blush));
  Glow(p, QPointF(27, 21), 13, Rgb(0xFF8FA0, blush));
  if (look == Look::Shy) {
    QPen pen(Rgb(0xF07A8A, 0.7), 1.2);
    p.setPen(pen);
    for (int side : {-1, 1}) {
      for (int i = 0; i < 3; ++i) {
        const double x = side * (22 + i * 5);
        p.drawLine(QPointF(x - 2, 24), QPointF(x + 2, 18));
      }
    }
    p.setPen(Qt::NoPen);
  }

  for (int side : {-1, 1}) {
    Eye(p, her, side * 21, 6, side, look);
    Brow(p, her, side * 21, side, look);
  }
  QPen nose(Rgb(0xD99A86), 1.5);
  nose.setCapStyle(Qt::RoundCap);
  p.setPen(nose);
  p.drawLine(QPointF(-1, 24), QPointF(1, 26));
  p.setPen(Qt::NoPen);
  Mouth(p, look);
  FrontHair(p, her);
  p.restore();
}

void DrawMemory(QPainter& p, Rng& rng, const Memory& m) {
  m.place(p, rng);
  p.fillRect(QRectF(0, 0, kW, kH), WithAlpha(m.wash, 0.12));
  Portrait(p, m.heroine, m.look, QPointF(m.x, m.y), m.scale, m.tilt);
  // a soft bloom of light and a pale frame, like a photograph kept in a book
  Glow(p, QPointF(m.x - 120, m.y - 180), 260, WithAlpha(m.wash, 0.25));
  Vignette(p, 0.45, Mix(m.wash, Qt::black, 0.6));
  QPen frame(Rgb(0xFFFBF2, 0.85), 18);
  p.setPen(frame);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(9, 9, kW - 18, kH - 18));
  p.setPen(Qt::NoPen);
}

void FacePicture(QPainter& p, Rng& rng, int h, Look look) {
  const Heroine her = HeroineOf(h);
  QRadialGradient g(QPointF(kFace * 0.4, kFace * 0.35), kFace);
  g.setColorAt(0, her.themeLit);
  g.setColorAt(1, her.theme);
  p.fillRect(QRectF(0, 0, kFace, kFace), g);
  for (int i = 0; i < 7; ++i) {
    Glow(p, QPointF(rng.Range(0, kFace), rng.Range(0, kFace)), rng.Range(6, 16),
         Rgb(0xFFFFFF, 0.35));
  }
  const double extraTop = her.style == 1 ? 4 : 0;
  Portrait(p, h, look, QPointF(kFace / 2.0, kFace * 0.47 + extraTop), kFace / 172.0);
}

}  // namespace artgen
