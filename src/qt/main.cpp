#include <QApplication>
#include <QStyleFactory>

#include "qt/window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  porukami::qt::InstallFonts();
  QApplication::setFont(QFont(QStringLiteral("IPAPGothic")));

  porukami::qt::GameWindow window;
  if (!window.Load()) return 1;
  window.show();
  window.ActivateOnce();
  return QApplication::exec();
}
