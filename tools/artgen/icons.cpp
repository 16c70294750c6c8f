// The window icons.
#include <QList>
#include <algorithm>
#include <map>

#include "artgen/artgen.h"

namespace artgen {

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

}  // namespace artgen
