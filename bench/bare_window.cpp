// The baseline of start-up, memory and idle CPU: a bare Qt Widgets window with one Japanese label
// and nothing else, started like the game (same font, and the size the game takes on the same
// screen: 4:3, 0.8 of the screen's height), reporting its first painted frame.
//   bench_bare_window [--quit]
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <cstring>

#include "frame_probe.h"

int main(int argc, char** argv) {
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
