// The sky and water: stars, clouds, birds, rays of light, and the scenes under an open sky.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "artgen/artgen.h"

namespace artgen {

void Stars(QPainter& p, Rng& rng, const QRectF& area, int count, double brightness) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const QPointF at(rng.Range(area.left(), area.right()), rng.Range(area.top(), area.bottom()));
    const double fade = 1.0 - (at.y() - area.top()) / area.height() * 0.7;
    const double size = std::pow(rng.Uni(), 3.0) * 2.2 + 0.6;
    const double a = brightness * fade * rng.Range(0.4, 1.0);
    if (size > 2.0) Glow(p, at, size * 4, Rgb(0xDDE6FF, a * 0.35));
    p.setBrush(Rgb(rng.Uni() < 0.2 ? 0xFFF1CF : 0xF4F7FF, a));
    p.drawEllipse(at, size * 0.6, size * 0.6);
  }
}

void Cloud(QPainter& p, Rng& rng, QPointF c, double w, const QColor& body, const QColor& lit) {
  p.setPen(Qt::NoPen);
  const int puffs = 5 + static_cast<int>(rng.Uni() * 3);
  for (int i = 0; i < puffs; ++i) {
    const double t = (i + 0.5) / puffs;
    const double x = c.x() - w / 2 + w * t + rng.Range(-w * 0.04, w * 0.04);
    const double r = w * rng.Range(0.16, 0.24) * (1.0 - std::abs(t - 0.5) * 1.1);
    const double y = c.y() - r * rng.Range(0.2, 0.7);
    QRadialGradient g(QPointF(x, y - r * 0.35), r * 1.25);
    g.setColorAt(0, lit);
    g.setColorAt(0.55, body);
    g.setColorAt(1, WithAlpha(body, 0));
    p.setBrush(g);
    p.drawEllipse(QPointF(x, y), r * 1.25, r);
  }
}

void Clouds(QPainter& p, Rng& rng, double y0, double y1, int count, const QColor& body,
            const QColor& lit) {
  for (int i = 0; i < count; ++i) {
    Cloud(p, rng, QPointF(rng.Range(-60, kW + 60), rng.Range(y0, y1)), rng.Range(160, 360), body,
          lit);
  }
}

void Birds(QPainter& p, Rng& rng, QPointF c, int count, const QColor& col) {
  QPen pen(col, 2.0);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < count; ++i) {
    const QPointF at = c + QPointF(rng.Range(-90, 90), rng.Range(-40, 40));
    const double s = rng.Range(6, 11);
    QPainterPath b;
    b.moveTo(at + QPointF(-s, -s * 0.3));
    b.quadTo(at + QPointF(-s * 0.4, -s * 0.6), at);
    b.quadTo(at + QPointF(s * 0.4, -s * 0.6), at + QPointF(s, -s * 0.3));
    p.drawPath(b);
  }
  p.setPen(Qt::NoPen);
}

void Rays(QPainter& p, QPointF origin, double spread, double length, int count, const QColor& c,
          double start) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double a = start + spread * i / std::max(1, count - 1);
    const double w = 0.035 + 0.02 * (i % 3);
    QPainterPath ray;
    ray.moveTo(origin);
    ray.lineTo(origin + QPointF(std::cos(a - w) * length, std::sin(a - w) * length));
    ray.lineTo(origin + QPointF(std::cos(a + w) * length, std::sin(a + w) * length));
    ray.closeSubpath();
    QRadialGradient g(origin, length);
    g.setColorAt(0, c);
    g.setColorAt(1, WithAlpha(c, 0));
    p.setBrush(g);
    p.drawPath(ray);
  }
}

void Water(QPainter& p, Rng& rng, double top, const QColor& near, const QColor& far, QPointF light,
           const QColor& lightCol) {
  FillVertical(p, QRectF(0, top, kW, kH - top), {{0, far}, {1, near}});
  const double mirrorY = top + (top - light.y()) * 0.35;
  for (int i = 0; i < 90; ++i) {
    const double y = rng.Range(top + 2, kH);
    const double depth = (y - top) / (kH - top);
    const double spread = 30 + depth * 220;
    const double x = light.x() + rng.Range(-spread, spread);
    const double w = rng.Range(8, 40) * (0.5 + depth);
    QPen pen(WithAlpha(lightCol, lightCol.alphaF() * rng.Range(0.25, 0.9) *
                                     (1.0 - std::abs(x - light.x()) / (spread + 1))),
             1 + depth * 2.5);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(x - w / 2, y), QPointF(x + w / 2, y));
  }
  (void)mirrorY;
  p.setPen(Qt::NoPen);
}

void Lake(QPainter& p, Rng& rng) {  // ラテゥ's lake at twilight, the moon rising
  FillVertical(
      p, QRectF(0, 0, kW, 480),
      {{0, Rgb(0x1E2A5A)}, {0.5, Rgb(0x5A5A9A)}, {0.85, Rgb(0xC89AB8)}, {1, Rgb(0xF0C0B8)}});
  Stars(p, rng, QRectF(0, 0, kW, 300), 120, 0.8);
  Glow(p, QPointF(300, 170), 140, Rgb(0xE8ECFF, 0.45), 0.1);
  p.setBrush(Rgb(0xF8F6EA));
  p.drawEllipse(QPointF(300, 170), 38, 38);
  p.setBrush(Rgb(0xE6E2D0, 0.5));
  p.drawEllipse(QPointF(290, 160), 9, 7);
  p.drawEllipse(QPointF(312, 182), 6, 5);
  Clouds(p, rng, 300, 400, 4, Rgb(0xB08AB0, 0.4), Rgb(0xF0C8D8, 0.5));
  VerticalFill(p, Ridge(rng, 440, 70, 1.2, 480), 360, 480, Rgb(0x4A4A80), Rgb(0x5E5A90));
  VerticalFill(p, Ridge(rng, 465, 30, 1.6, 480), 430, 480, Rgb(0x34345E), Rgb(0x3E3C6A));
  Water(p, rng, 480, Rgb(0x1E2650), Rgb(0x6A6AA0), QPointF(300, 170), Rgb(0xF0F0FF, 0.8));
  // a small pier and reeds
  p.setBrush(Rgb(0x1A1A30));
  p.drawRect(QRectF(600, 600, 360, 18));
  for (int i = 0; i < 6; ++i) p.drawRect(QRectF(620 + i * 60, 610, 10, 120));
  QPen reed(Rgb(0x141428), 3);
  reed.setCapStyle(Qt::RoundCap);
  p.setPen(reed);
  for (int i = 0; i < 26; ++i) {
    const double x = rng.Range(0, 220);
    const double h = rng.Range(80, 200);
    p.drawLine(QPointF(x, kH), QPointF(x + rng.Range(-20, 20), kH - h));
  }
  p.setPen(Qt::NoPen);
  Motes(p, rng, QRectF(0, 450, 500, 300), 14, Rgb(0xD0FFE8, 0.8), 2);
}

void TowerNight(QPainter& p, Rng& rng) {  // the star-watching tower under the milky way
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0x0A1030)}, {0.6, Rgb(0x22306A)}, {1, Rgb(0x48508A)}});
  p.save();
  p.translate(kW / 2.0, kH / 2.0);
  p.rotate(-28);
  for (int i = 0; i < 5; ++i) {
    QRadialGradient g(QPointF(0, 0), 1);
    p.save();
    p.scale(700, 90 - i * 12);
    g.setColorAt(0, Rgb(0xC8C8FF, 0.12));
    g.setColorAt(1, Rgb(0xC8C8FF, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), 1, 1);
    p.restore();
  }
  p.restore();
  Stars(p, rng, QRectF(0, 0, kW, 620), 420, 1.0);
  const QPainterPath hill = Ridge(rng, 640, 50, 0.8);
  FillPath(p, hill, Rgb(0x0C1028));
  // the tower
  const double tx = 640;
  const double base = RidgeY(hill, tx) + 10;
  QPainterPath tower;
  tower.moveTo(tx - 46, base);
  tower.lineTo(tx - 34, base - 330);
  tower.lineTo(tx + 34, base - 330);
  tower.lineTo(tx + 46, base);
  tower.closeSubpath();
  tower.addRect(QRectF(tx - 48, base - 350, 96, 22));
  QPainterPath dome;
  dome.moveTo(tx - 40, base - 350);
  dome.cubicTo(tx - 40, base - 410, tx + 40, base - 410, tx + 40, base - 350);
  tower.addPath(dome);
  FillPath(p, tower.simplified(), Rgb(0x0C1028));
  Glow(p, QPointF(tx, base - 290), 60, Rgb(0xFFD080, 0.5));
  p.setBrush(Rgb(0xFFE0A0));
  p.drawRoundedRect(QRectF(tx - 9, base - 306, 18, 30), 8, 8);
  p.drawRect(QRectF(tx - 6, base - 160, 12, 20));
  for (int i = 0; i < 5; ++i) {
    Pine(p, 120 + i * 70 + rng.Range(-10, 10), RidgeY(hill, 120 + i * 70) + 8, rng.Range(90, 160),
         Rgb(0x080A1E));
  }
  // a falling star
  QLinearGradient sg(QPointF(200, 120), QPointF(340, 200));
  sg.setColorAt(0, Rgb(0xFFFFFF, 0));
  sg.setColorAt(1, Rgb(0xFFFFFF, 0.9));
  p.setPen(QPen(QBrush(sg), 2.5));
  p.drawLine(QPointF(200, 120), QPointF(340, 200));
  p.setPen(Qt::NoPen);
}

void Festival(QPainter& p, Rng& rng) {  // the night of lights on day 28: lanterns on the water
  FillVertical(p, QRectF(0, 0, kW, 500),
               {{0, Rgb(0x0E1640)}, {0.7, Rgb(0x2E2E6A)}, {1, Rgb(0x5A3E70)}});
  Stars(p, rng, QRectF(0, 0, kW, 380), 180, 0.8);
  VerticalFill(p, Ridge(rng, 460, 40, 1.0, 500), 400, 500, Rgb(0x1E1C40), Rgb(0x2A2450));
  // village lights along the far shore
  for (int i = 0; i < 40; ++i) {
    Glow(p, QPointF(rng.Range(0, kW), rng.Range(476, 496)), rng.Range(4, 9), Rgb(0xFFC070, 0.9));
  }
  Water(p, rng, 500, Rgb(0x0E1434), Rgb(0x2E2A58), QPointF(480, 300), Rgb(0xFFC880, 0.5));
  // lanterns drifting up and floating
  for (int i = 0; i < 26; ++i) {
    const double y = rng.Range(60, 470);
    Lantern(p, QPointF(rng.Range(30, kW - 30), y), 7 + (y / 470) * 8, rng.Range(0.6, 1.0));
  }
  for (int i = 0; i < 18; ++i) {
    const double y = rng.Range(520, 780);
    const QPointF c(rng.Range(20, kW - 20), y);
    const double s = 6 + (y - 500) / 300 * 14;
    Lantern(p, c, s);
    p.setBrush(Rgb(0xFFB060, 0.3));
    p.drawEllipse(QPointF(c.x(), c.y() + s * 1.6), s * 0.6, s * 1.2);
  }
}

}  // namespace artgen
