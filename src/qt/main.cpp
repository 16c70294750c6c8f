#include <QApplication>

#include "qt/window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();

  porukami::qt::GameWindow window;
  if (!window.Load()) return 1;
  window.show();
  window.ActivateOnce();
  return QApplication::exec();
}
