// The village: the opening, the house, the square, the hill, the bakery and the ending.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "artgen/artgen.h"

namespace artgen {

void Opening(QPainter& p, Rng& rng) {  // the village at dawn, seen from the hill road
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x2B3A78)},
                {0.3, Rgb(0x7A79B8)},
                {0.5, Rgb(0xE6A8B0)},
                {0.62, Rgb(0xFFD3A0)},
                {1, Rgb(0xFFE9C0)}});
  Stars(p, rng, QRectF(0, 0, kW, 200), 60, 0.6);
  Glow(p, QPointF(640, 470), 420, Rgb(0xFFE2A8, 0.75), 0.05);
  Glow(p, QPointF(640, 470), 60, Rgb(0xFFFBEA, 1.0), 0.4);
  Clouds(p, rng, 200, 380, 6, Rgb(0xE7A6B8, 0.55), Rgb(0xFFE0C8, 0.8));
  VerticalFill(p, Ridge(rng, 440, 60, 1.0), 360, 520, Rgb(0x9C8DC0), Rgb(0xC7A9C8));
  VerticalFill(p, Ridge(rng, 500, 40, 1.4), 440, 560, Rgb(0x7E6FA8), Rgb(0xA58FB8));
  const QPainterPath village = Ridge(rng, 560, 20, 0.8);
  VerticalFill(p, village, 520, 800, Rgb(0x5D5286), Rgb(0x3E3866));
  for (int i = 0; i < 11; ++i) {
    const double x = 120 + i * 62 + rng.Range(-14, 14);
    const double w = rng.Range(34, 52);
    House(p, x, RidgeY(village, x + w / 2) + 14, w, rng.Range(26, 40), Rgb(0x4E4577), Rgb(0x3A3262),
          rng.Uni() < 0.6, 0.9);
  }
  TreeLine(p, rng, Ridge(rng, 600, 25, 1.2), 30, 70, 26, Rgb(0x36305A));
  const QPainterPath hill = Ridge(rng, 690, 40, 0.7);
  VerticalFill(p, hill, 640, 800, Rgb(0x3C4A5E), Rgb(0x1F2838));
  QPainterPath road;
  road.moveTo(430, 800);
  road.cubicTo(470, 760, 520, 720, 560, 690);
  road.lineTo(580, 690);
  road.cubicTo(560, 730, 560, 770, 600, 800);
  road.closeSubpath();
  FillPath(p, road, Rgb(0xC9A98E, 0.45));
  Grass(p, rng, hill, 500, 8, 22, Rgb(0x2E3B4C), Rgb(0x52607A));
  Birds(p, rng, QPointF(300, 260), 5, Rgb(0x4A3E6A, 0.8));
}

void Home(QPainter& p, Rng& rng) {  // the small rented house: a window at evening, a lamp
  QLinearGradient wall(0, 0, kW, 0);
  wall.setColorAt(0, Rgb(0x8A5E42));
  wall.setColorAt(0.5, Rgb(0xA87552));
  wall.setColorAt(1, Rgb(0x7A5238));
  p.fillRect(QRectF(0, 0, kW, kH), wall);
  p.setPen(QPen(Rgb(0x6A4630, 0.6), 2));
  for (int x = 0; x < kW; x += 64) p.drawLine(x, 0, x, 560);
  p.setPen(Qt::NoPen);
  // window with the evening outside
  const QRectF win(520, 110, 320, 300);
  FillVertical(p, win, {{0, Rgb(0x4A5CA0)}, {0.55, Rgb(0xF0A080)}, {1, Rgb(0xFFD8A0)}});
  p.save();
  p.setClipRect(win);
  Glow(p, QPointF(700, 380), 140, Rgb(0xFFE0A0, 0.8));
  VerticalFill(p, Ridge(rng, 360, 20, 2.0), 340, 410, Rgb(0x6E5A8A), Rgb(0x4A3E6A));
  Stars(p, rng, QRectF(520, 110, 320, 90), 14, 0.7);
  p.restore();
  p.setBrush(Rgb(0x5A3A26));
  p.drawRect(QRectF(510, 100, 340, 14));
  p.drawRect(QRectF(510, 404, 340, 20));
  p.drawRect(QRectF(510, 100, 14, 320));
  p.drawRect(QRectF(836, 100, 14, 320));
  p.drawRect(QRectF(673, 100, 14, 320));
  p.drawRect(QRectF(510, 250, 340, 10));
  // curtains
  for (int side : {-1, 1}) {
    QPainterPath c;
    const double x = side < 0 ? 500 : 860;
    c.moveTo(x, 80);
    c.lineTo(x - side * 70, 80);
    c.cubicTo(x - side * 40, 200, x - side * 30, 320, x - side * 10, 440);
    c.lineTo(x + side * 10, 440);
    c.closeSubpath();
    FillPath(p, c, Rgb(0xD8C090));
  }
  // floor and rug
  FillVertical(p, QRectF(0, 560, kW, 240), {{0, Rgb(0x6A4430)}, {1, Rgb(0x4A2E20)}});
  p.setBrush(Rgb(0x9A4A4A));
  p.drawEllipse(QPointF(420, 700), 300, 70);
  p.setBrush(Rgb(0xC07050, 0.6));
  p.drawEllipse(QPointF(420, 700), 240, 50);
  // shelf with jars
  p.setBrush(Rgb(0x5A3A26));
  p.drawRect(QRectF(80, 220, 300, 14));
  p.drawRect(QRectF(80, 340, 300, 14));
  const unsigned jars[] = {0x7AB8A0, 0xE0B060, 0x9A88D0, 0xD07A6A, 0x88B060};
  for (int i = 0; i < 5; ++i) {
    p.setBrush(Rgb(jars[i], 0.85));
    p.drawRoundedRect(QRectF(96 + i * 56, 172 + (i % 2) * 6, 36, 48 - (i % 2) * 6), 8, 8);
    p.setBrush(Rgb(jars[(i + 2) % 5], 0.8));
    p.drawRoundedRect(QRectF(100 + i * 56, 296, 30, 44), 6, 6);
  }
  // table with a lamp
  p.setBrush(Rgb(0x4A2E1E));
  p.drawRect(QRectF(180, 520, 16, 150));
  p.drawRect(QRectF(444, 520, 16, 150));
  p.setBrush(Rgb(0x7A4E32));
  p.drawRoundedRect(QRectF(150, 500, 340, 28), 6, 6);
  Glow(p, QPointF(300, 420), 330, Rgb(0xFFC070, 0.45), 0.1);
  p.setBrush(Rgb(0x5A4A3A));
  p.drawRect(QRectF(292, 460, 16, 40));
  p.setBrush(Rgb(0xFFE6A8, 0.9));
  p.drawEllipse(QPointF(300, 440), 26, 30);
  Glow(p, QPointF(300, 440), 50, Rgb(0xFFF4D0, 0.8));
  p.setBrush(Rgb(0xE8D8B8));
  p.drawRect(QRectF(360, 488, 70, 12));
  p.drawRect(QRectF(370, 478, 60, 10));
  Vignette(p, 0.35);
}

void Ending(QPainter& p, Rng& rng) {  // the end of the month: golden fields, the first star
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x3A4A8A)},
                {0.35, Rgb(0xA080B0)},
                {0.55, Rgb(0xF8A878)},
                {0.66, Rgb(0xFFD890)},
                {1, Rgb(0xFFE8B0)}});
  Stars(p, rng, QRectF(0, 0, kW, 220), 40, 0.55);
  Glow(p, QPointF(720, 150), 26, Rgb(0xFFFFF0, 0.9), 0.2);
  Glow(p, QPointF(480, 520), 480, Rgb(0xFFD890, 0.6), 0.05);
  Glow(p, QPointF(480, 525), 46, Rgb(0xFFF4D8), 0.6);
  Clouds(p, rng, 300, 440, 5, Rgb(0xF0A0A0, 0.45), Rgb(0xFFE8C8, 0.7));
  VerticalFill(p, Ridge(rng, 520, 30, 1.0), 480, 600, Rgb(0xB08AA8), Rgb(0xD8A8A0));
  const QPainterPath field = Ridge(rng, 560, 16, 0.6);
  VerticalFill(p, field, 540, 800, Rgb(0xD8A860), Rgb(0x8A6030));
  QPainterPath road;
  road.moveTo(380, 800);
  road.cubicTo(440, 700, 470, 620, 478, 560);
  road.lineTo(486, 560);
  road.cubicTo(500, 620, 560, 700, 640, 800);
  road.closeSubpath();
  FillPath(p, road, Rgb(0xF0D0A0, 0.55));
  Grass(p, rng, field, 900, 10, 34, Rgb(0xB07A38), Rgb(0xF0C070));
  RoundTree(p, rng, 180, 600, 200, Rgb(0x5A3A3A), Rgb(0x6A4A5A), Rgb(0x9A6A6A));
  Birds(p, rng, QPointF(620, 300), 4, Rgb(0x5A4060, 0.8));
  Motes(p, rng, QRectF(0, 560, kW, 240), 26, Rgb(0xFFF0B0, 0.7), 2);
}

void Town(QPainter& p, Rng& rng) {  // the village square on a fine day
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x6FA8E0)}, {0.5, Rgb(0xBFE0F6)}, {1, Rgb(0xF0F4F0)}});
  Clouds(p, rng, 80, 260, 6, Rgb(0xFFFFFF, 0.8), Rgb(0xFFFFFF));
  VerticalFill(p, Ridge(rng, 380, 40, 1.0), 320, 460, Rgb(0x9AC0A8), Rgb(0xB8D4B8));
  const unsigned walls[] = {0xF4E6CC, 0xE8D4B8, 0xF6EEDC, 0xEAD8C6, 0xF0E0C0};
  const unsigned roofs[] = {0xC8604A, 0x5A7AB0, 0xD8904A, 0x7A9A5A, 0xB05A6A};
  for (int i = 0; i < 7; ++i) {
    const double w = rng.Range(110, 150);
    const double x = -40 + i * 145 + rng.Range(-10, 10);
    House(p, x, 520, w, rng.Range(130, 180), Rgb(walls[i % 5]), Rgb(roofs[(i * 3) % 5]), false);
  }
  FillVertical(p, QRectF(0, 520, kW, 280), {{0, Rgb(0xD8C8A8)}, {1, Rgb(0xB09A7A)}});
  p.setPen(QPen(Rgb(0x9A8666, 0.5), 1.5));
  for (int row = 0; row < 12; ++row) {
    const double y = 530 + row * row * 2.0 + row * 6;
    p.drawLine(QPointF(0, y), QPointF(kW, y));
    for (double x = (row % 2) * 20; x < kW; x += 40 + row * 6) {
      p.drawLine(QPointF(x, y), QPointF(x, 530 + (row + 1) * (row + 1) * 2.0 + (row + 1) * 6));
    }
  }
  p.setPen(Qt::NoPen);
  // the well in the middle of the square
  p.setBrush(Rgb(0x9A9A9A));
  p.drawRoundedRect(QRectF(400, 560, 160, 70), 12, 12);
  p.setBrush(Rgb(0xB8B8B0));
  p.drawEllipse(QRectF(396, 548, 168, 30));
  p.setBrush(Rgb(0x6A4A30));
  p.drawRect(QRectF(410, 470, 10, 90));
  p.drawRect(QRectF(540, 470, 10, 90));
  QPainterPath roof;
  roof.moveTo(390, 480);
  roof.lineTo(480, 430);
  roof.lineTo(570, 480);
  roof.closeSubpath();
  FillPath(p, roof, Rgb(0xC8604A));
  // bunting across the square
  p.setPen(QPen(Rgb(0x8A6A4A), 1.5));
  p.drawLine(QPointF(0, 300), QPointF(kW, 330));
  p.setPen(Qt::NoPen);
  const unsigned flags[] = {0xF0B0B0, 0xF8E08A, 0xA8D8F0, 0xB8E0A8};
  for (int i = 0; i < 24; ++i) {
    const double x = 10 + i * 40;
    const double y = 300 + x * 30 / kW + 2;
    QPainterPath f;
    f.moveTo(x, y);
    f.lineTo(x + 24, y + 1);
    f.lineTo(x + 12, y + 26);
    f.closeSubpath();
    FillPath(p, f, Rgb(flags[i % 4]));
  }
  Birds(p, rng, QPointF(700, 150), 3, Rgb(0x4A5A7A, 0.7));
}

void Hill(QPainter& p, Rng& rng) {  // ヒョウ's windy hill: the road, the windmill, big clouds
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x3F8AD8)}, {0.55, Rgb(0xA8D8F4)}, {1, Rgb(0xE8F6FF)}});
  Glow(p, QPointF(820, 90), 200, Rgb(0xFFFFF0, 0.8), 0.1);
  Clouds(p, rng, 120, 360, 7, Rgb(0xF4F8FF, 0.9), Rgb(0xFFFFFF));
  VerticalFill(p, Ridge(rng, 470, 40, 0.8), 420, 560, Rgb(0x8CC0A0), Rgb(0xA8D0A8));
  const QPainterPath mid = Ridge(rng, 540, 50, 0.6);
  VerticalFill(p, mid, 480, 800, Rgb(0x7CC070), Rgb(0x5A9A50));
  Windmill(p, 250, RidgeY(mid, 250) + 8, 240, 0.35, Rgb(0xF4EEE0));
  const QPainterPath near = Ridge(rng, 660, 60, 0.5);
  VerticalFill(p, near, 600, 800, Rgb(0x6AB858), Rgb(0x3E8038));
  QPainterPath road;
  road.moveTo(520, 800);
  road.cubicTo(560, 720, 700, 660, 760, 600);
  road.lineTo(776, 604);
  road.cubicTo(740, 670, 660, 740, 660, 800);
  road.closeSubpath();
  FillPath(p, road, Rgb(0xE8D8A8, 0.8));
  Grass(p, rng, near, 700, 12, 30, Rgb(0x3E8038), Rgb(0x9AD070));
  Flowers(p, rng, QRectF(0, 700, kW, 100), 50, {0xFFFFFF, 0xF8D060, 0xF0A0B0}, 8);
  Birds(p, rng, QPointF(560, 220), 4, Rgb(0x3A5A8A, 0.7));
}

void Sunset(QPainter& p, Rng& rng) {  // the same hill at sunset, in silhouette
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x4A3A7A)},
                {0.35, Rgb(0xD86A7A)},
                {0.55, Rgb(0xF8A860)},
                {0.7, Rgb(0xFFD890)},
                {1, Rgb(0xFFE8B0)}});
  Glow(p, QPointF(560, 520), 420, Rgb(0xFFD080, 0.7), 0.05);
  Glow(p, QPointF(560, 520), 60, Rgb(0xFFF6D0), 0.6);
  Clouds(p, rng, 160, 420, 7, Rgb(0xE07A8A, 0.5), Rgb(0xFFD0A0, 0.8));
  VerticalFill(p, Ridge(rng, 540, 40, 0.8), 480, 620, Rgb(0xA05A78), Rgb(0xC07080));
  const QPainterPath mid = Ridge(rng, 600, 50, 0.6);
  FillPath(p, mid, Rgb(0x5A2E4A));
  Windmill(p, 760, RidgeY(mid, 760) + 8, 200, 0.9, Rgb(0x4A2440));
  const QPainterPath near = Ridge(rng, 700, 50, 0.5);
  FillPath(p, near, Rgb(0x2E1A30));
  RoundTree(p, rng, 170, RidgeY(near, 170) + 10, 300, Rgb(0x2E1A30), Rgb(0x2E1A30), Rgb(0x3E2440));
  Grass(p, rng, near, 300, 12, 28, Rgb(0x2E1A30), Rgb(0x3E2440));
  Birds(p, rng, QPointF(420, 260), 6, Rgb(0x4A2440, 0.8));
}

void Bakery(QPainter& p, Rng& rng) {  // マム's bakery in the morning
  FillVertical(p, QRectF(0, 0, kW, kH), {{0, Rgb(0xF8E2C0)}, {1, Rgb(0xE8C090)}});
  // window with morning light
  const QRectF win(80, 90, 300, 280);
  FillVertical(p, win, {{0, Rgb(0xA8D8F8)}, {1, Rgb(0xF0F8FF)}});
  p.save();
  p.setClipRect(win);
  Clouds(p, rng, 150, 260, 3, Rgb(0xFFFFFF, 0.9), Rgb(0xFFFFFF));
  VerticalFill(p, Ridge(rng, 340, 20, 2.0), 320, 380, Rgb(0x9ACB8A), Rgb(0x7AB070));
  p.restore();
  p.setBrush(Rgb(0xFFFFFF));
  p.drawRect(QRectF(70, 80, 320, 12));
  p.drawRect(QRectF(70, 366, 320, 16));
  p.drawRect(QRectF(70, 80, 12, 300));
  p.drawRect(QRectF(378, 80, 12, 300));
  p.drawRect(QRectF(225, 80, 10, 300));
  Rays(p, QPointF(120, 90), 0.5, 900, 5, Rgb(0xFFF8E0, 0.35), 0.55);
  // shelves of bread
  p.setBrush(Rgb(0x9A6A40));
  for (int s = 0; s < 3; ++s) p.drawRect(QRectF(480, 150 + s * 120, 420, 14));
  for (int s = 0; s < 3; ++s) {
    for (int i = 0; i < 6; ++i) {
      const QPointF c(515 + i * 68 + rng.Range(-4, 4), 128 + s * 120);
      QRadialGradient g(c + QPointF(-6, -8), 40);
      g.setColorAt(0, Rgb(0xF8D090));
      g.setColorAt(1, Rgb(0xC07A3A));
      p.setBrush(g);
      if ((i + s) % 3 == 0) {
        p.drawEllipse(c, 30, 20);
      } else if ((i + s) % 3 == 1) {
        p.drawEllipse(c + QPointF(0, 4), 24, 16);
      } else {
        p.drawRoundedRect(QRectF(c.x() - 28, c.y() - 16, 56, 30), 12, 12);
      }
      p.setPen(QPen(Rgb(0xFFF0D0, 0.7), 2));
      p.drawLine(c + QPointF(-8, -6), c + QPointF(-2, 4));
      p.drawLine(c + QPointF(4, -6), c + QPointF(10, 4));
      p.setPen(Qt::NoPen);
    }
  }
  // counter
  FillVertical(p, QRectF(0, 560, kW, 240), {{0, Rgb(0xB07A4A)}, {1, Rgb(0x7A4E2A)}});
  p.setBrush(Rgb(0xD8A870));
  p.drawRect(QRectF(0, 548, kW, 22));
  p.setBrush(Rgb(0xFFFFFF, 0.9));
  p.drawEllipse(QPointF(250, 548), 90, 16);
  p.setBrush(Rgb(0xE8A060));
  p.drawEllipse(QPointF(230, 536), 34, 18);
  p.drawEllipse(QPointF(275, 540), 28, 14);
  // a jar of flowers
  p.setBrush(Rgb(0xA8D0E0, 0.8));
  p.drawRoundedRect(QRectF(760, 480, 50, 70), 10, 10);
  Flowers(p, rng, QRectF(740, 420, 90, 60), 7, {0xFFFFFF, 0xF8D060, 0xF0A0B0}, 18);
  Motes(p, rng, QRectF(100, 100, 400, 400), 18, Rgb(0xFFF8E0, 0.7), 2);
  Vignette(p, 0.25, Rgb(0x5A3010));
}

void Garden(QPainter& p, Rng& rng) {  // the flower field behind the bakery
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x8FC4E8)}, {0.5, Rgb(0xD8ECF4)}, {1, Rgb(0xFFF8E8)}});
  Clouds(p, rng, 80, 300, 5, Rgb(0xFFFFFF, 0.85), Rgb(0xFFFFFF));
  VerticalFill(p, Ridge(rng, 420, 30, 0.9), 380, 500, Rgb(0xA8C8B0), Rgb(0xB8D8B0));
  const QPainterPath field = Ridge(rng, 470, 20, 0.6);
  VerticalFill(p, field, 450, 800, Rgb(0x9AC878), Rgb(0x5A9A48));
  RoundTree(p, rng, 780, RidgeY(field, 780) + 20, 340, Rgb(0x6A4A30), Rgb(0x5A9A50), Rgb(0xB8E090));
  // fence
  p.setBrush(Rgb(0xFFF8F0));
  for (int i = 0; i < 14; ++i) p.drawRect(QRectF(20 + i * 50, 500, 10, 60));
  p.drawRect(QRectF(0, 512, 700, 8));
  p.drawRect(QRectF(0, 540, 700, 8));
  Flowers(p, rng, QRectF(0, 480, kW, 120), 220, {0xF8A8C0, 0xFFFFFF, 0xF8E08A, 0xC8B0F0}, 6);
  Flowers(p, rng, QRectF(0, 600, kW, 200), 160, {0xF07A9A, 0xFFFFFF, 0xF8D060, 0xB090E0}, 12);
  // butterflies
  for (int i = 0; i < 4; ++i) {
    const QPointF c(rng.Range(150, 700), rng.Range(300, 500));
    p.setBrush(Rgb(i % 2 ? 0xFFF0A0 : 0xFFFFFF, 0.9));
    p.drawEllipse(c + QPointF(-6, 0), 7, 5);
    p.drawEllipse(c + QPointF(6, 0), 7, 5);
  }
}

}  // namespace artgen
