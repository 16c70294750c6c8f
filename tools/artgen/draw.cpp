// The shared drawing helpers: colours, gradients, glows and fills.
#include <QLinearGradient>
#include <QRadialGradient>

#include "artgen/artgen.h"

namespace artgen {

QColor Rgb(unsigned hex, double alpha) {
  QColor c((hex >> 16) & 0xFF, (hex >> 8) & 0xFF, hex & 0xFF);
  c.setAlphaF(static_cast<float>(alpha));
  return c;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto lerp = [t](double x, double y) { return x + (y - x) * t; };
  QColor c;
  c.setRgbF(static_cast<float>(lerp(a.redF(), b.redF())),
            static_cast<float>(lerp(a.greenF(), b.greenF())),
            static_cast<float>(lerp(a.blueF(), b.blueF())),
            static_cast<float>(lerp(a.alphaF(), b.alphaF())));
  return c;
}

QColor WithAlpha(QColor c, double alpha) {
  c.setAlphaF(static_cast<float>(alpha));
  return c;
}

void FillVertical(QPainter& p, const QRectF& r, const Stops& stops) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  for (const auto& [at, c] : stops) g.setColorAt(at, c);
  p.fillRect(r, g);
}

void Glow(QPainter& p, QPointF c, double radius, const QColor& col, double core) {
  QRadialGradient g(c, radius);
  g.setColorAt(0, col);
  if (core > 0) g.setColorAt(core, col);
  g.setColorAt(1, WithAlpha(col, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, radius, radius);
}

void FillPath(QPainter& p, const QPainterPath& path, const QBrush& brush) {
  p.setPen(Qt::NoPen);
  p.setBrush(brush);
  p.drawPath(path);
}

void VerticalFill(QPainter& p, const QPainterPath& path, double y0, double y1, const QColor& top,
                  const QColor& bottom) {
  QLinearGradient g(0, y0, 0, y1);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  FillPath(p, path, g);
}

void Vignette(QPainter& p, double strength, const QColor& edge) {
  QRadialGradient g(QPointF(kW / 2.0, kH / 2.0), kW * 0.72);
  g.setColorAt(0.55, WithAlpha(edge, 0));
  g.setColorAt(1, WithAlpha(edge, strength));
  p.fillRect(QRectF(0, 0, kW, kH), g);
}

}  // namespace artgen
