// The finds of a forest day are drawn in dark red over the forest picture's top-left corner:
// the picture must leave them readable there (WCAG contrast of at least 4.5:1).
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double Luminance(QRgb c) {
  auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

TEST(DemoPictures, ForestFindsStayReadableOverTheTopLeftCorner) {
  const QImage forest(PORUKAMI_CONTENT_DIR "/img/mori.dat");
  ASSERT_FALSE(forest.isNull());
  const double text = Luminance(qRgb(100, 0, 0));
  std::vector<double> contrast;
  for (int y = 0; y < forest.height() * 20 / 100; ++y) {
    for (int x = 0; x < forest.width() * 35 / 100; ++x) {
      const double bg = Luminance(forest.pixel(x, y));
      contrast.push_back((std::max(bg, text) + 0.05) / (std::min(bg, text) + 0.05));
    }
  }
  std::sort(contrast.begin(), contrast.end());
  EXPECT_GE(contrast[contrast.size() / 20], 4.5) << "median " << contrast[contrast.size() / 2];
}

}  // namespace
