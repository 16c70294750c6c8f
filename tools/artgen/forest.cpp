// The forest: the forest days' background and the spring deep inside it.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "artgen/artgen.h"

namespace artgen {

// The forest "mori": tall trees around a clearing at the upper left, where the morning light
// falls in through mist. The finds of a forest day are written over that corner in dark red, so
// it stays light and quiet.
void Forest(QPainter& p, Rng& rng) {
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0xE4F4DA)}, {0.45, Rgb(0xA8D4A0)}, {1, Rgb(0x5E8C58)}});
  Glow(p, QPointF(170, 40), 420, Rgb(0xFFFCE0, 0.85), 0.1);
  for (int layer = 0; layer < 3; ++layer) {
    const QColor c = Mix(Rgb(0xB8DAB0), Rgb(0x3E6B44), layer / 2.0);
    const QPainterPath g = Ridge(rng, 560 + layer * 40, 20, 1.0);
    for (double x = rng.Range(-40, 0); x < kW + 40; x += rng.Range(50, 110) - layer * 10) {
      const double w = 14 + layer * 12 + rng.Range(0, 10);
      // the nearer trees stand back from the clearing; the far ones fade into its mist
      if (layer > 0 && x + w / 2 < 220 + layer * 80) continue;
      p.setBrush(c);
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(x, 0, w, RidgeY(g, x)));
      RoundTree(p, rng, x + w / 2, 140 + layer * 40, 260, c, Mix(c, Rgb(0x6FA860), 0.3),
                Mix(c, Rgb(0xE8F5B0), 0.35));
    }
    VerticalFill(p, g, 520, 800, Mix(c, Rgb(0x9CC080), 0.3), Mix(c, Rgb(0x2E4A2A), 0.5));
  }
  // morning mist over the clearing, thinning towards the trees
  QRadialGradient mist(QPointF(80, 20), 680);
  mist.setColorAt(0, Rgb(0xF8FCEE, 0.9));
  mist.setColorAt(0.42, Rgb(0xF4FAE6, 0.75));
  mist.setColorAt(0.72, Rgb(0xEEF6DC, 0.3));
  mist.setColorAt(1, Rgb(0xEEF6DC, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(mist);
  p.drawRect(QRectF(0, 0, kW, kH));
  Rays(p, QPointF(120, -60), 0.7, 950, 7, Rgb(0xFFFBD8, 0.3), 0.55);
  // foreground trunks at the right, where the wood is deepest
  for (double x : {860.0, 930.0}) {
    QLinearGradient tg(x - 40, 0, x + 40, 0);
    tg.setColorAt(0, Rgb(0x2A3A24));
    tg.setColorAt(0.6, Rgb(0x4A5A36));
    tg.setColorAt(1, Rgb(0x253220));
    p.setBrush(tg);
    p.drawRect(QRectF(x - 40, 0, 80, kH));
  }
  const QPainterPath floor = Ridge(rng, 700, 15, 0.8);
  VerticalFill(p, floor, 680, 800, Rgb(0x4E7A40), Rgb(0x2C4A26));
  Grass(p, rng, floor, 700, 10, 26, Rgb(0x3A6A30), Rgb(0x86B060));
  Flowers(p, rng, QRectF(0, 710, kW, 80), 40, {0xFFFFFF, 0xF8E08A, 0xC8B8F0}, 7);
  Motes(p, rng, QRectF(100, 200, 760, 500), 30, Rgb(0xFFFFD0, 0.8), 2.5);
}

void Spring(QPainter& p, Rng& rng) {  // a clear spring deep in the forest, one beam of light
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x2E5A4A)}, {0.6, Rgb(0x4A7A5E)}, {1, Rgb(0x1E3A30)}});
  for (int layer = 0; layer < 2; ++layer) {
    const QColor c = Mix(Rgb(0x5A8A6A), Rgb(0x1E3A2A), layer);
    for (double x = rng.Range(-30, 0); x < kW + 30; x += rng.Range(70, 140)) {
      p.setBrush(c);
      p.drawRect(QRectF(x, 0, 20 + layer * 30, 520));
    }
  }
  Rays(p, QPointF(500, -50), 0.25, 900, 5, Rgb(0xF0FFE0, 0.35), 1.45);
  const QPainterPath bank = Ridge(rng, 500, 10, 0.5);
  VerticalFill(p, bank, 480, 800, Rgb(0x3E6A48), Rgb(0x1E3A26));
  QPainterPath pond;
  pond.addEllipse(QPointF(480, 620), 330, 110);
  QRadialGradient wg(QPointF(480, 610), 330);
  wg.setColorAt(0, Rgb(0xA8F0E0));
  wg.setColorAt(0.6, Rgb(0x4AB0A8));
  wg.setColorAt(1, Rgb(0x2A6A70));
  FillPath(p, pond, wg);
  p.save();
  p.setClipPath(pond);
  Water(p, rng, 510, Rgb(0x2A7A80, 0.0), Rgb(0x8AE0D0, 0.0), QPointF(500, 300), Rgb(0xFFFFF0, 0.6));
  p.restore();
  for (int i = 0; i < 9; ++i) {
    const double a = rng.Range(0, 2 * kPi);
    const QPointF c(480 + std::cos(a) * 340, 620 + std::sin(a) * 118);
    p.setBrush(Rgb(0x7A8A80));
    p.drawEllipse(c, rng.Range(24, 40), rng.Range(14, 22));
  }
  Grass(p, rng, Ridge(rng, 720, 10, 0.5), 300, 14, 30, Rgb(0x2E5A38), Rgb(0x7AB070));
  Motes(p, rng, QRectF(150, 250, 660, 400), 34, Rgb(0xE0FFF0, 0.85), 2.5);
}

}  // namespace artgen
