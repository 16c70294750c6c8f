// artgen: draws every picture of the demo content with QPainter, deterministically (all
// randomness comes from a fixed generator seeded by the picture's name).
//
//   porukami_artgen IMG_DIR ICON_DIR NAME...
//
// The names are the pictures the build expects; the generator refuses to run when that list and
// the pictures it knows how to draw disagree, so neither side can drift. Pictures are written to
// IMG_DIR/NAME.dat: the backgrounds as JPEG (a quarter of the PNG's size and a third of its
// decoding time, which the first frame waits for), the faces as PNG (small, sharp edges); the
// window icons as ICON_DIR/icon32.png and icon256.png.
#include <unistd.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kW = 960;  // backgrounds and memories: the picture box's 6:5 shape
constexpr int kH = 800;
constexpr int kFace = 162;
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Randomness and colour helpers

class Rng {
 public:
  explicit Rng(const std::string& seed) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : seed) h = (h ^ c) * 1099511628211ull;
    s_ = h | 1;
  }
  double Uni() {
    s_ ^= s_ >> 12;
    s_ ^= s_ << 25;
    s_ ^= s_ >> 27;
    return static_cast<double>((s_ * 2685821657736338717ull) >> 11) / 9007199254740992.0;
  }
  double Range(double a, double b) { return a + (b - a) * Uni(); }

 private:
  std::uint64_t s_;
};

QColor Rgb(unsigned hex, double alpha = 1.0) {
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

using Stops = std::vector<std::pair<double, QColor>>;

void FillVertical(QPainter& p, const QRectF& r, const Stops& stops) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  for (const auto& [at, c] : stops) g.setColorAt(at, c);
  p.fillRect(r, g);
}

void Glow(QPainter& p, QPointF c, double radius, const QColor& col, double core = 0.0) {
  QRadialGradient g(c, radius);
  g.setColorAt(0, col);
  if (core > 0) g.setColorAt(core, col);
  g.setColorAt(1, WithAlpha(col, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, radius, radius);
}

// ---------------------------------------------------------------------------------------------
// Landscape pieces

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

// A silhouette whose upper edge is a sum of gentle waves.
QPainterPath Ridge(Rng& rng, double baseY, double amp, double roughness, double bottom = kH) {
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
           const QColor& roof, bool lit, double windowGlow = 1.0) {
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
           const QColor& a, const QColor& b, double yMax = kH) {
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

void Motes(QPainter& p, Rng& rng, const QRectF& area, int count, const QColor& c, double size = 3) {
  for (int i = 0; i < count; ++i) {
    const QPointF at(rng.Range(area.left(), area.right()), rng.Range(area.top(), area.bottom()));
    const double r = size * rng.Range(0.5, 1.5);
    Glow(p, at, r * 4, WithAlpha(c, c.alphaF() * 0.45));
    p.setBrush(WithAlpha(Qt::white, c.alphaF()));
    p.drawEllipse(at, r * 0.5, r * 0.5);
  }
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

// Water below `top`: a gradient, the mirrored glow of a light, and shimmering strokes.
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

void Lantern(QPainter& p, QPointF c, double s, double alpha = 1.0) {
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

void Vignette(QPainter& p, double strength, const QColor& edge = QColor(20, 10, 30)) {
  QRadialGradient g(QPointF(kW / 2.0, kH / 2.0), kW * 0.72);
  g.setColorAt(0.55, WithAlpha(edge, 0));
  g.setColorAt(1, WithAlpha(edge, strength));
  p.fillRect(QRectF(0, 0, kW, kH), g);
}

// ---------------------------------------------------------------------------------------------
// The heroines: simple stylised busts. The drawing space has the face centre at (0, 0); the
// face is about 96 units wide and the bust reaches down to y = 200.

enum class Look { Calm, Joy, Shy, Sad, Grin, Pout, Bright, Worried };

struct Heroine {
  QColor hair, hairDark, hairLit;
  QColor eye, eyeDark;
  QColor cloth, clothDark, trim;
  QColor theme, themeLit;
  int style;  // 0 long straight, 1 short with a side tail, 2 braids and a kerchief
};

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

// The bangs: a cap over the crown whose lower edge is a row of pointed locks.
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

// Draws heroine h's bust with the face centre at `centre`, `scale` screen pixels per unit.
void Portrait(QPainter& p, int h, Look look, QPointF centre, double scale, double tilt = 0) {
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

// ---------------------------------------------------------------------------------------------
// Backgrounds

using Painter = std::function<void(QPainter&, Rng&)>;

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

void Forest(QPainter& p, Rng& rng) {  // the forest "mori": green light through tall trees
  FillVertical(p, QRectF(0, 0, kW, kH),
               {{0, Rgb(0xD8F0D0)}, {0.45, Rgb(0xA8D4A0)}, {1, Rgb(0x5E8C58)}});
  Glow(p, QPointF(620, 80), 380, Rgb(0xFFFCE0, 0.8), 0.1);
  for (int layer = 0; layer < 3; ++layer) {
    const QColor c = Mix(Rgb(0xB8DAB0), Rgb(0x3E6B44), layer / 2.0);
    const QPainterPath g = Ridge(rng, 560 + layer * 40, 20, 1.0);
    for (double x = rng.Range(-40, 0); x < kW + 40; x += rng.Range(50, 110) - layer * 10) {
      const double w = 14 + layer * 12 + rng.Range(0, 10);
      p.setBrush(c);
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(x, 0, w, RidgeY(g, x)));
      RoundTree(p, rng, x + w / 2, 140 + layer * 40, 260, c, Mix(c, Rgb(0x6FA860), 0.3),
                Mix(c, Rgb(0xE8F5B0), 0.35));
    }
    VerticalFill(p, g, 520, 800, Mix(c, Rgb(0x9CC080), 0.3), Mix(c, Rgb(0x2E4A2A), 0.5));
  }
  Rays(p, QPointF(640, -40), 0.6, 900, 7, Rgb(0xFFFBD8, 0.28), 1.65);
  // foreground trunks
  for (double x : {40.0, 860.0, 930.0}) {
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

// ---------------------------------------------------------------------------------------------
// Memories: a place and a moment with her, softly framed.

struct Memory {
  Painter place;
  int heroine;
  Look look;
  double x, y, scale, tilt;
  QColor wash;
};

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

void Icon(QPainter& p, int size) {
  const double s = size / 256.0;
  p.save();
  p.scale(s, s);
  QPainterPath round;
  round.addRoundedRect(QRectF(8, 8, 240, 240), 48, 48);
  p.setClipPath(round);
  FillVertical(p, QRectF(0, 0, 256, 256),
               {{0, Rgb(0x2B3A78)}, {0.6, Rgb(0xA080B8)}, {1, Rgb(0xFFD3A0)}});
  Glow(p, QPointF(128, 200), 150, Rgb(0xFFE2A8, 0.8), 0.05);
  // a crescent moon and a lantern over a hill
  p.setBrush(Rgb(0xFFF6D8));
  QPainterPath moon;
  moon.addEllipse(QPointF(86, 78), 44, 44);
  QPainterPath bite;
  bite.addEllipse(QPointF(108, 64), 40, 40);
  p.drawPath(moon.subtracted(bite));
  QPainterPath hill;
  hill.moveTo(0, 256);
  hill.lineTo(0, 200);
  hill.quadTo(128, 150, 256, 196);
  hill.lineTo(256, 256);
  hill.closeSubpath();
  FillPath(p, hill, Rgb(0x3C2E5A));
  Lantern(p, QPointF(168, 124), 30);
  p.restore();
  if (size >= 64) {
    p.setPen(QPen(Rgb(0xFFFFFF, 0.6), 4 * s));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(8 * s, 8 * s, 240 * s, 240 * s), 48 * s, 48 * s);
  }
}

// 256 colours for the small icon: the most used colours (after merging near ones), then each
// pixel mapped to its nearest, without dithering – a 32-pixel picture only gets noisy with it.
QImage ToPalette(const QImage& image) {
  const QImage src = image.convertToFormat(QImage::Format_ARGB32);
  struct Bucket {
    long count = 0;
    long r = 0, g = 0, b = 0, a = 0;
  };
  std::map<unsigned, Bucket> buckets;
  for (int y = 0; y < src.height(); ++y) {
    for (int x = 0; x < src.width(); ++x) {
      const QRgb c = src.pixel(x, y);
      const unsigned key = qAlpha(c) < 128
                               ? 0xFFFFFFFFu
                               : ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
      Bucket& bk = buckets[key];
      ++bk.count;
      bk.r += qRed(c);
      bk.g += qGreen(c);
      bk.b += qBlue(c);
      bk.a += qAlpha(c);
    }
  }
  std::vector<std::pair<long, QRgb>> ranked;
  for (const auto& [key, bk] : buckets) {
    const QRgb mean =
        key == 0xFFFFFFFFu
            ? qRgba(0, 0, 0, 0)
            : qRgba(static_cast<int>(bk.r / bk.count), static_cast<int>(bk.g / bk.count),
                    static_cast<int>(bk.b / bk.count), static_cast<int>(bk.a / bk.count));
    ranked.push_back({bk.count, mean});
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& x, const auto& y) { return x.first > y.first; });
  QList<QRgb> table;
  for (const auto& [count, colour] : ranked) {
    if (table.size() == 256) break;
    table.push_back(colour);
  }
  return src.convertToFormat(QImage::Format_Indexed8, table,
                             Qt::ThresholdDither | Qt::ThresholdAlphaDither | Qt::AvoidDither);
}

// ---------------------------------------------------------------------------------------------

struct Picture {
  int w, h;
  std::function<void(QPainter&, Rng&)> draw;
};

std::map<std::string, Picture> AllPictures() {
  std::map<std::string, Picture> all;
  auto bg = [&](const std::string& name, Painter f) { all[name] = {kW, kH, f}; };
  bg("opn", Opening);
  bg("mori", Forest);
  bg("home", Home);
  bg("end", Ending);
  bg("town", Town);
  bg("lake", Lake);
  bg("tower", TowerNight);
  bg("hill", Hill);
  bg("sunset", Sunset);
  bg("bakery", Bakery);
  bg("garden", Garden);
  bg("fest", Festival);
  bg("spring", Spring);

  const Look faces[9] = {Look::Calm, Look::Joy,    Look::Sad, Look::Grin,   Look::Shy,
                         Look::Pout, Look::Bright, Look::Joy, Look::Worried};
  for (int i = 0; i < 9; ++i) {
    const int h = i / 3;
    const Look look = faces[i];
    all["face_" + std::to_string(i + 1)] = {
        kFace, kFace, [h, look](QPainter& p, Rng& rng) { FacePicture(p, rng, h, look); }};
  }

  auto memory = [&](const std::string& name, Memory m) {
    all[name] = {kW, kH, [m](QPainter& p, Rng& rng) { DrawMemory(p, rng, m); }};
  };
  const QColor blue = Rgb(0x8FA3E8), warm = Rgb(0xF8B080), green = Rgb(0xC8E090);
  // the first picture of each page: her portrait in her own place
  memory("opn01", {Lake, 0, Look::Calm, 480, 340, 2.35, 0, blue});
  memory("opn02", {Hill, 1, Look::Grin, 480, 340, 2.35, 0, warm});
  memory("opn03", {Bakery, 2, Look::Bright, 480, 340, 2.35, 0, green});
  // ラテゥ
  memory("01", {Lake, 0, Look::Sad, 300, 380, 1.9, -4, blue});
  memory("02", {TowerNight, 0, Look::Calm, 640, 400, 1.8, 3, blue});
  memory("03", {Spring, 0, Look::Joy, 330, 420, 1.7, 0, Rgb(0xA8E0D0)});
  memory("04", {Town, 0, Look::Calm, 660, 420, 1.7, -3, blue});
  memory("05", {Festival, 0, Look::Shy, 480, 400, 2.0, 0, warm});
  memory("06", {Lake, 0, Look::Joy, 620, 380, 2.1, 4, Rgb(0xE0C8F0)});
  // ヒョウ
  memory("11", {Hill, 1, Look::Pout, 330, 420, 1.8, 5, warm});
  memory("12", {Town, 1, Look::Grin, 640, 420, 1.75, -4, warm});
  memory("13", {Forest, 1, Look::Shy, 330, 420, 1.75, 0, green});
  memory("14", {Sunset, 1, Look::Grin, 620, 400, 1.9, 3, warm});
  memory("15", {Festival, 1, Look::Shy, 480, 400, 2.0, 0, warm});
  memory("16", {Hill, 1, Look::Joy, 600, 380, 2.1, -3, Rgb(0xF8D0A0)});
  // マム
  memory("21", {Bakery, 2, Look::Joy, 320, 420, 1.8, -3, warm});
  memory("22", {Garden, 2, Look::Bright, 620, 420, 1.75, 3, green});
  memory("23", {Town, 2, Look::Worried, 340, 420, 1.75, 0, green});
  memory("24", {Home, 2, Look::Calm, 640, 420, 1.8, -3, warm});
  memory("25", {Festival, 2, Look::Shy, 480, 400, 2.0, 0, warm});
  memory("26", {Garden, 2, Look::Joy, 600, 380, 2.1, 4, Rgb(0xF8E0B0)});
  return all;
}

QImage Render(const Picture& pic, const std::string& name) {
  QImage img(pic.w, pic.h, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  Rng rng(name);
  pic.draw(p, rng);
  p.end();
  return img;
}

bool Save(const QImage& img, const QString& path, const char* format = "PNG") {
  const QString temp = path + ".tmp";
  if (!img.save(temp, format, std::strcmp(format, "JPG") == 0 ? 92 : -1)) return false;
  QFile::remove(path);
  return QFile::rename(temp, path);
}

}  // namespace

int main(int argc, char** argv) {
  // Qt wants a private runtime folder; a build machine often has none. Lend it a fresh one.
  char runtimeDir[] = "/tmp/porukami-artgen-XXXXXX";
  const bool ownRuntimeDir = std::getenv("XDG_RUNTIME_DIR") == nullptr && mkdtemp(runtimeDir);
  if (ownRuntimeDir) setenv("XDG_RUNTIME_DIR", runtimeDir, 1);
  struct RemoveDir {
    const char* dir;
    ~RemoveDir() {
      if (dir) rmdir(dir);
    }
  } removeRuntimeDir{ownRuntimeDir ? runtimeDir : nullptr};

  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: porukami_artgen IMG_DIR ICON_DIR NAME...\n");
    return 2;
  }
  const QString imgDir = QString::fromLocal8Bit(argv[1]);
  const QString iconDir = QString::fromLocal8Bit(argv[2]);
  const std::map<std::string, Picture> all = AllPictures();

  std::set<std::string> asked;
  for (int i = 3; i < argc; ++i) asked.insert(argv[i]);
  bool agree = true;
  for (const std::string& name : asked) {
    if (!all.count(name)) {
      std::fprintf(stderr, "porukami_artgen: error: no drawing for picture \"%s\"\n", name.c_str());
      agree = false;
    }
  }
  for (const auto& [name, pic] : all) {
    if (!asked.count(name)) {
      std::fprintf(stderr, "porukami_artgen: error: picture \"%s\" is drawn but not listed\n",
                   name.c_str());
      agree = false;
    }
  }
  if (!agree) return 1;

  if (!QDir().mkpath(imgDir) || !QDir().mkpath(iconDir)) {
    std::fprintf(stderr, "porukami_artgen: error: cannot make the output folders\n");
    return 1;
  }
  for (const auto& [name, pic] : all) {
    const QString path = imgDir + "/" + QString::fromStdString(name) + ".dat";
    const bool face = name.rfind("face_", 0) == 0;
    if (!Save(Render(pic, name), path, face ? "PNG" : "JPG")) {
      std::fprintf(stderr, "porukami_artgen: error: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  for (int size : {32, 256}) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    Icon(p, size);
    p.end();
    QImage out = size == 32 ? ToPalette(icon) : icon;
    const QString path = iconDir + QString("/icon%1.png").arg(size);
    if (!Save(out, path)) {
      std::fprintf(stderr, "porukami_artgen: error: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
