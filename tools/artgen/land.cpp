// The land: ridges, trees, houses, grass, flowers, lanterns and the windmill.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "artgen/artgen.h"

namespace artgen {

QPainterPath Ridge(Rng& rng, double baseY, double amp, double roughness, double bottom) {
  const double f1 = rng.Range(0.004, 0.007) * roughness, f2 = rng.Range(0.011, 0.017) * roughness,
               f3 = rng.Range(0.03, 0.05) * roughness;
  const double p1 = rng.Range(0, 6.28), p2 = rng.Range(0, 6.28), p3 = rng.Range(0, 6.28);
  QPainterPath path;
  path.moveTo(-10, bottom);
  for (double x = -10; x <= kW + 10; x += 6) {
    const double y = baseY - amp * (0.55 * std::sin(f1 * x + p1) + 0.3 * std::sin(f2 * x + p2) +
                                    0.15 * std::sin(f3 * x + p3));
    path.lineTo(x, y);
  }
  path.lineTo(kW + 10, bottom);
  path.closeSubpath();
  return path;
}

double RidgeY(const QPainterPath& ridge, double x) {
  // The ridge's points run left to right after the first one.
  for (int i = 1; i + 1 < ridge.elementCount(); ++i) {
    const auto a = ridge.elementAt(i), b = ridge.elementAt(i + 1);
    if (a.x <= x && x <= b.x && b.x > a.x) return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
  }
  return ridge.elementAt(1).y;
}

void Pine(QPainter& p, double x, double base, double h, const QColor& c) {
  QPainterPath path;
  const int tiers = 4;
  for (int i = 0; i < tiers; ++i) {
    const double top = base - h + h * 0.2 * i;
    const double bottom = base - h * 0.15 - h * 0.55 * (tiers - 1 - i) / tiers * 0.5;
    const double half = h * (0.16 + 0.07 * i);
    path.moveTo(x, top);
    path.quadTo(x + half * 0.4, top + (bottom - top) * 0.5, x + half, bottom);
    path.quadTo(x, bottom - h * 0.04, x - half, bottom);
    path.quadTo(x - half * 0.4, top + (bottom - top) * 0.5, x, top);
  }
  path.addRect(x - h * 0.025, base - h * 0.2, h * 0.05, h * 0.2);
  FillPath(p, path.simplified(), c);
}

void RoundTree(QPainter& p, Rng& rng, double x, double base, double h, const QColor& trunk,
               const QColor& leaves, const QColor& lit) {
  p.setPen(Qt::NoPen);
  p.setBrush(trunk);
  QPainterPath t;
  t.moveTo(x - h * 0.05, base);
  t.quadTo(x - h * 0.02, base - h * 0.3, x - h * 0.015, base - h * 0.55);
  t.lineTo(x + h * 0.015, base - h * 0.55);
  t.quadTo(x + h * 0.02, base - h * 0.3, x + h * 0.05, base);
  t.closeSubpath();
  p.drawPath(t);
  for (int i = 0; i < 9; ++i) {
    const double a = rng.Range(0, 2 * kPi);
    const double d = rng.Range(0, h * 0.2);
    const QPointF c(x + std::cos(a) * d * 1.3, base - h * 0.68 + std::sin(a) * d);
    const double r = h * rng.Range(0.16, 0.24);
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.4), r * 1.2);
    g.setColorAt(0, lit);
    g.setColorAt(0.7, leaves);
    g.setColorAt(1, leaves);
    p.setBrush(g);
    p.drawEllipse(c, r, r * 0.9);
  }
}

void TreeLine(QPainter& p, Rng& rng, const QPainterPath& ground, double hMin, double hMax,
              double spacing, const QColor& c) {
  for (double x = -20; x < kW + 20; x += spacing * rng.Range(0.6, 1.4)) {
    Pine(p, x, RidgeY(ground, x) + 6, rng.Range(hMin, hMax), c);
  }
}

void House(QPainter& p, double x, double base, double w, double h, const QColor& wall,
           const QColor& roof, bool lit, double windowGlow) {
  p.setPen(Qt::NoPen);
  p.setBrush(wall);
  p.drawRect(QRectF(x, base - h, w, h));
  QPainterPath r;
  r.moveTo(x - w * 0.12, base - h);
  r.lineTo(x + w / 2, base - h - w * 0.55);
  r.lineTo(x + w * 1.12, base - h);
  r.closeSubpath();
  p.setBrush(roof);
  p.drawPath(r);
  p.drawRect(QRectF(x + w * 0.68, base - h - w * 0.5, w * 0.12, w * 0.3));  // chimney
  const QRectF win(x + w * 0.2, base - h * 0.68, w * 0.22, h * 0.3);
  if (lit) {
    Glow(p, win.center(), w * 0.45, Rgb(0xFFC870, 0.35 * windowGlow));
    p.setBrush(Rgb(0xFFD98A, windowGlow));
  } else {
    p.setBrush(Mix(wall, Qt::black, 0.35));
  }
  p.drawRect(win);
  p.drawRect(QRectF(x + w * 0.58, base - h * 0.68, w * 0.22, h * 0.3));
}

void Grass(QPainter& p, Rng& rng, const QPainterPath& ground, int count, double hMin, double hMax,
           const QColor& a, const QColor& b, double yMax) {
  for (int i = 0; i < count; ++i) {
    const double x = rng.Range(-5, kW + 5);
    const double top = RidgeY(ground, x);
    const double y = rng.Range(top, std::min(yMax, top + 400.0));
    const double depth = (y - top) / 400.0;
    const double h = rng.Range(hMin, hMax) * (0.6 + depth);
    const double lean = rng.Range(-0.35, 0.35) * h;
    QPen pen(Mix(a, b, rng.Uni()), 1.2 + depth * 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    QPainterPath blade;
    blade.moveTo(x, y);
    blade.quadTo(x + lean * 0.2, y - h * 0.6, x + lean, y - h);
    p.setBrush(Qt::NoBrush);
    p.drawPath(blade);
  }
}

void Flowers(QPainter& p, Rng& rng, const QRectF& area, int count,
             const std::vector<unsigned>& colours, double size) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double y = rng.Range(area.top(), area.bottom());
    const double depth = (y - area.top()) / area.height();
    const double r = size * (0.35 + depth);
    const QPointF c(rng.Range(area.left(), area.right()), y);
    const QColor col = Rgb(colours[static_cast<std::size_t>(rng.Uni() * colours.size())]);
    p.setBrush(WithAlpha(col, 0.9));
    for (int k = 0; k < 5; ++k) {
      const double a = k * 2 * kPi / 5 + i;
      p.drawEllipse(c + QPointF(std::cos(a) * r * 0.6, std::sin(a) * r * 0.45), r * 0.5, r * 0.4);
    }
    p.setBrush(Rgb(0xFFF4B0));
    p.drawEllipse(c, r * 0.28, r * 0.25);
  }
}

void Motes(QPainter& p, Rng& rng, const QRectF& area, int count, const QColor& c, double size) {
  for (int i = 0; i < count; ++i) {
    const QPointF at(rng.Range(area.left(), area.right()), rng.Range(area.top(), area.bottom()));
    const double r = size * rng.Range(0.5, 1.5);
    Glow(p, at, r * 4, WithAlpha(c, c.alphaF() * 0.45));
    p.setBrush(WithAlpha(Qt::white, c.alphaF()));
    p.drawEllipse(at, r * 0.5, r * 0.5);
  }
}

void Lantern(QPainter& p, QPointF c, double s, double alpha) {
  Glow(p, c, s * 3.2, Rgb(0xFFB560, 0.32 * alpha));
  QPainterPath body;
  body.moveTo(c.x() - s * 0.55, c.y() - s * 0.7);
  body.lineTo(c.x() + s * 0.55, c.y() - s * 0.7);
  body.quadTo(c.x() + s * 0.75, c.y(), c.x() + s * 0.5, c.y() + s * 0.75);
  body.lineTo(c.x() - s * 0.5, c.y() + s * 0.75);
  body.quadTo(c.x() - s * 0.75, c.y(), c.x() - s * 0.55, c.y() - s * 0.7);
  QLinearGradient g(c.x(), c.y() - s, c.x(), c.y() + s);
  g.setColorAt(0, Rgb(0xFFE7A8, alpha));
  g.setColorAt(1, Rgb(0xFF9A48, alpha));
  FillPath(p, body, g);
}

void Windmill(QPainter& p, double x, double base, double h, double angle, const QColor& c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  QPainterPath tower;
  tower.moveTo(x - h * 0.14, base);
  tower.lineTo(x - h * 0.08, base - h * 0.75);
  tower.lineTo(x + h * 0.08, base - h * 0.75);
  tower.lineTo(x + h * 0.14, base);
  tower.closeSubpath();
  p.drawPath(tower);
  QPainterPath cap;
  cap.moveTo(x - h * 0.11, base - h * 0.75);
  cap.quadTo(x, base - h * 0.92, x + h * 0.11, base - h * 0.75);
  cap.closeSubpath();
  p.drawPath(cap);
  const QPointF hub(x, base - h * 0.78);
  for (int i = 0; i < 4; ++i) {
    const double a = angle + i * kPi / 2;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF side(-dir.y(), dir.x());
    QPainterPath blade;
    blade.moveTo(hub + side * h * 0.015);
    blade.lineTo(hub + dir * h * 0.55 + side * h * 0.015);
    blade.lineTo(hub + dir * h * 0.55 + side * h * 0.09);
    blade.lineTo(hub + dir * h * 0.12 + side * h * 0.09);
    blade.lineTo(hub + dir * h * 0.12 - side * h * 0.015);
    blade.lineTo(hub - side * h * 0.015);
    blade.closeSubpath();
    p.drawPath(blade);
  }
  p.drawEllipse(hub, h * 0.03, h * 0.03);
}

}  // namespace artgen
