// For sound_server.sh: porukami_play_and_close APPDIR MS RECORDING plays the game offscreen, then
// closes its window after MS ms and prints the size of the file RECORDING at that moment.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "qt/window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 4) return 2;
  porukami::qt::GameWindow window(argv[1]);
  if (!window.Load()) return 1;
  window.show();
  window.ActivateOnce();
  QTimer::singleShot(std::atoi(argv[2]), &window, [&] {
    std::printf("%lld\n", static_cast<long long>(QFileInfo(argv[3]).size()));
    std::fflush(stdout);
    window.close();
  });
  return QApplication::exec();
}
