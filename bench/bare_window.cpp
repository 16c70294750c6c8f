// The baseline of start-up, memory and idle CPU: a bare Qt Widgets window with one Japanese label
// and nothing else, started like the game (same font, and the size the game takes on the same
// screen: 4:3, 0.8 of the screen's height), reporting its first painted frame.
//   bench_bare_window [--quit]
//
// The floor of the repaint figure: the same window with one picture box laid out as the game's
// (30 of 40 units across, 25 of 30 down), which draws a smooth copy of a 1920x1600 picture made
// once per size, repainted whole at 800x600 and at 1600x1200 as bench_game_window paint does.
//   bench_bare_window paint [--repeats=N]
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame_probe.h"

namespace {

// A picture box with its smooth copy cached, and nothing else.
class CachedPicture : public QWidget {
 public:
  explicit CachedPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_ = QImage(1920, 1600, QImage::Format_RGB32);
    QPainter p(&picture_);
    QLinearGradient g(0, 0, 1920, 1600);
    g.setColorAt(0, QColor(40, 60, 140));
    g.setColorAt(1, QColor(250, 200, 180));
    p.fillRect(picture_.rect(), g);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (scaled_.size() != size())
      scaled_ = picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(this);
    p.drawImage(0, 0, scaled_);
  }

 private:
  QImage picture_, scaled_;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

int Paint(int argc, char** argv) {
  QApplication app(argc, argv);
  int repeats = 41;
  for (int i = 2; i < argc; ++i) {
    if (std::strncmp(argv[i], "--repeats=", 10) == 0)
      repeats = std::max(7, std::atoi(argv[i] + 10));
  }
  QWidget window;
  window.setAutoFillBackground(true);
  CachedPicture picture(&window);
  QLabel label(QStringLiteral("ぽるかみ　ムルの月、一日。夜明けの丘の道。"), &window);
  label.setFont(QFont(QStringLiteral("IPAPGothic"), 16));
  window.show();
  auto repaints = [&](QSize s) {
    window.resize(s);
    picture.setGeometry(0, 0, s.width() * 30 / 40, s.height() * 25 / 30);
    label.setGeometry(0, s.height() * 25 / 30, s.width() * 30 / 40, s.height() / 12);
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
      QElapsedTimer t;
      t.start();
      picture.update();
      label.update();
      window.repaint();
      ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return Median(ms);
  };
  const double small = repaints(QSize(800, 600));
  const double large = repaints(QSize(1600, 1200));
  std::printf("window=%dx%d picture=%dx%d\n", window.width(), window.height(), picture.width(),
              picture.height());
  std::printf("repaint_800x600_ms=%.3f\nrepaint_1600x1200_ms=%.3f\n", small, large);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "paint") == 0) return Paint(argc, argv);
  QApplication app(argc, argv);
  const bool quit = argc > 1 && std::strcmp(argv[1], "--quit") == 0;
  QLabel label(QStringLiteral("ぽるかみ　ムルの月、一日。夜明けの丘の道。"));
  label.setFont(QFont(QStringLiteral("IPAPGothic"), 16));
  label.setAlignment(Qt::AlignCenter);
  label.setWindowTitle(QStringLiteral("ぽるかみ"));
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const int height = screen.height() * 4 / 5;
  label.resize(height * 4 / 3, height);
  porukami::bench::FrameProbe probe(&label, {}, quit);
  label.show();
  return QApplication::exec();
}
