// Takes the screenshots of the README: plays a scripted month in the real window and saves the
// whole screen at each kind of screen. Run it under an X server (xvfb-run) with the demo content:
//   porukami_screens OUTDIR
// fullscreen.png and maximised.png were taken on a 1920x1080 screen with openbox running.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <deque>

#include "qt/window.h"

namespace {

// The game's draws, scripted so every run shows the same screens.
class ScriptedRandom : public porukami::Random {
 public:
  std::deque<double> queue;
  double Next() override {
    if (queue.empty()) return 0.5;
    const double v = queue.front();
    queue.pop_front();
    return v;
  }
  void Seed(std::uint64_t) override {}
};

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void Shot(const QString& dir, const QString& name, QWidget* w) {
  Settle(300);
  const QRect r = w->frameGeometry();
  QScreen* s = QGuiApplication::primaryScreen();
  s->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(dir + "/" + name + ".png");
}

// The whole screen, for the window in full screen or maximised.
void ScreenShot(const QString& dir, const QString& name) {
  Settle(600);
  QGuiApplication::primaryScreen()->grabWindow(0).save(dir + "/" + name + ".png");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(out);

  ScriptedRandom rnd;
  porukami::qt::GameWindow w({}, &rnd);
  if (!w.Load()) return 1;
  w.show();
  w.ActivateOnce();
  porukami::Frm& m = w.model();
  Shot(out, "scene", &w);

  auto clickThrough = [&] {
    for (int i = 0; i < 200 && m.Lbl.Visible; ++i) w.Run([&] { m.Lbl_Click(); });
  };
  clickThrough();
  Shot(out, "screenshot", &w);

  // The forest: five finds.
  rnd.queue = {0.99, 0.5, 0.5, 0.9, 0.5,  0.3,  0.9, 0.5, 0.6,
               0.9,  0.5, 0.8, 0.9, 0.05, 0.97, 0.1, 0.5};
  w.Run([&] { m.Com_Click(3); });
  Shot(out, "forest", &w);

  // Home: two requests on the board, and the text-speed menu.
  rnd.queue = {0.9, 0.2, 0.3, 0.1, 0.6, 0.5, 0.8};
  w.Run([&] { m.Com_Click(4); });
  w.Run([&] {
    m.LstIrai.ListIndex = 0;
    m.Lst.ListIndex = 1;
  });
  Shot(out, "home", &w);
  QTimer::singleShot(400, [&] {
    QMenu* menu = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
      if (auto* mm = qobject_cast<QMenu*>(t); mm && mm->isVisible()) menu = mm;
    if (menu && !menu->actions().isEmpty()) {
      menu->setActiveAction(menu->actions().first());
      QTimer::singleShot(300, [&, menu] {
        QScreen* s = QGuiApplication::primaryScreen();
        const QRect r = w.frameGeometry();
        s->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(out + "/menu.png");
        menu->close();
        for (QWidget* t : QApplication::topLevelWidgets())
          if (auto* mm = qobject_cast<QMenu*>(t)) mm->close();
      });
    }
  });
  QCursor::setPos(w.MenuComButton()->mapToGlobal(w.MenuComButton()->rect().center()));
  w.Run([&] { m.MenuCom_Click(); });

  // Presents: the bars move.
  for (int i = 0; i < 3 && m.Lst.ListCount() > 0; ++i) {
    rnd.queue = {0.9, 0.5};
    w.Run([&] {
      m.Lst.ListIndex = 0;
      m.ComStr_Click(i);
    });
  }
  // A visit with faces.
  rnd.queue = {0.2, 0.9, 0.0};
  w.Run([&] { m.Com_Click(1); });
  for (int i = 0; i < 3 && m.Lbl.Visible && !m.PicKao.Visible; ++i) w.Run([&] { m.Lbl_Click(); });
  Shot(out, "visit", &w);
  // Full screen and maximised keep the game's 4:3 shape (maximised takes a window manager).
  w.showFullScreen();
  ScreenShot(out, "fullscreen");
  w.showMaximized();
  ScreenShot(out, "maximised");
  w.showNormal();
  Settle(300);
  clickThrough();

  // The month's end.
  w.Run([&] { m.AdvanceDay(static_cast<std::uint8_t>(30 - m.Day), 0); });
  rnd.queue = {0.2, 0.5, 0.0};
  w.Run([&] { m.Com_Click(2); });
  Shot(out, "ending", &w);
  return 0;
}
