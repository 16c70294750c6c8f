#pragma once
// The demo content's pictures, drawn with QPainter. Every picture draws with its own generator,
// seeded by the picture's name, so the files come out the same on every build.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace artgen {

constexpr int kW = 960;  // backgrounds and memories: the picture box's 6:5 shape
constexpr int kH = 800;
constexpr int kFace = 162;
constexpr double kPi = 3.14159265358979323846;

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

QColor Rgb(unsigned hex, double alpha = 1.0);
QColor Mix(const QColor& a, const QColor& b, double t);
QColor WithAlpha(QColor c, double alpha);
using Stops = std::vector<std::pair<double, QColor>>;
void FillVertical(QPainter& p, const QRectF& r, const Stops& stops);
void Glow(QPainter& p, QPointF c, double radius, const QColor& col, double core = 0.0);
void FillPath(QPainter& p, const QPainterPath& path, const QBrush& brush);
void VerticalFill(QPainter& p, const QPainterPath& path, double y0, double y1, const QColor& top,
                  const QColor& bottom);
void Vignette(QPainter& p, double strength, const QColor& edge = QColor(20, 10, 30));

// Sky pieces (sky.cpp)
void Stars(QPainter& p, Rng& rng, const QRectF& area, int count, double brightness);
void Cloud(QPainter& p, Rng& rng, QPointF c, double w, const QColor& body, const QColor& lit);
void Clouds(QPainter& p, Rng& rng, double y0, double y1, int count, const QColor& body,
            const QColor& lit);
void Birds(QPainter& p, Rng& rng, QPointF c, int count, const QColor& col);
void Rays(QPainter& p, QPointF origin, double spread, double length, int count, const QColor& c,
          double start);
// Water below `top`: a gradient, the mirrored glow of a light, and shimmering strokes.
void Water(QPainter& p, Rng& rng, double top, const QColor& near, const QColor& far, QPointF light,
           const QColor& lightCol);

// Land, trees and houses (land.cpp)
// A silhouette whose upper edge is a sum of gentle waves.
QPainterPath Ridge(Rng& rng, double baseY, double amp, double roughness, double bottom = kH);
double RidgeY(const QPainterPath& ridge, double x);
void Pine(QPainter& p, double x, double base, double h, const QColor& c);
void RoundTree(QPainter& p, Rng& rng, double x, double base, double h, const QColor& trunk,
               const QColor& leaves, const QColor& lit);
void TreeLine(QPainter& p, Rng& rng, const QPainterPath& ground, double hMin, double hMax,
              double spacing, const QColor& c);
void House(QPainter& p, double x, double base, double w, double h, const QColor& wall,
           const QColor& roof, bool lit, double windowGlow = 1.0);
void Grass(QPainter& p, Rng& rng, const QPainterPath& ground, int count, double hMin, double hMax,
           const QColor& a, const QColor& b, double yMax = kH);
void Flowers(QPainter& p, Rng& rng, const QRectF& area, int count,
             const std::vector<unsigned>& colours, double size);
void Motes(QPainter& p, Rng& rng, const QRectF& area, int count, const QColor& c, double size = 3);
void Lantern(QPainter& p, QPointF c, double s, double alpha = 1.0);
void Windmill(QPainter& p, double x, double base, double h, double angle, const QColor& c);

// The heroines (faces.cpp, figure.cpp)
enum class Look { Calm, Joy, Shy, Sad, Grin, Pout, Bright, Worried };
// Draws heroine h's bust with the face centre at `centre`, `scale` screen pixels per unit.
void Portrait(QPainter& p, int h, Look look, QPointF centre, double scale, double tilt = 0);
void FacePicture(QPainter& p, Rng& rng, int h, Look look);

// Backgrounds (village.cpp, sky.cpp, forest.cpp)
using Painter = std::function<void(QPainter&, Rng&)>;
void Opening(QPainter& p, Rng& rng);
void Home(QPainter& p, Rng& rng);
void Ending(QPainter& p, Rng& rng);
void Town(QPainter& p, Rng& rng);
void Hill(QPainter& p, Rng& rng);
void Sunset(QPainter& p, Rng& rng);
void Bakery(QPainter& p, Rng& rng);
void Garden(QPainter& p, Rng& rng);
void Lake(QPainter& p, Rng& rng);
void TowerNight(QPainter& p, Rng& rng);
void Festival(QPainter& p, Rng& rng);
void Forest(QPainter& p, Rng& rng);
void Spring(QPainter& p, Rng& rng);

// Memories: a place and a moment with her, softly framed (faces.cpp).
struct Memory {
  Painter place;
  int heroine;
  Look look;
  double x, y, scale, tilt;
  QColor wash;
};
void DrawMemory(QPainter& p, Rng& rng, const Memory& m);

// The window icons (icons.cpp)
void Icon(QPainter& p, int size);
QImage ToPalette(const QImage& image);

}  // namespace artgen
