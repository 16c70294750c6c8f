// The game's window started on a program folder, shown, played for its opening, and closed after
// a few seconds: a short, complete run for memory checkers.
// Usage: porukami_window_startup [FOLDER [MILLISECONDS]]
#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "qt/window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  const std::string folder = argc > 1 ? argv[1] : std::string();
  const int ms = argc > 2 ? std::atoi(argv[2]) : 3000;
  int code = 0;
  {
    porukami::qt::GameWindow window(folder);
    if (!window.Load()) return 1;
    window.show();
    window.ActivateOnce();
    QTimer::singleShot(ms, &window, [&window] { window.close(); });
    code = QApplication::exec();
  }
  return code;
}
