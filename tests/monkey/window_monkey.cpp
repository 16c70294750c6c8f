// The real window, offscreen, played by a monkey on the demo and on the hostile content: clicks
// anywhere and on any control, ticks, typing, resizes from tiny to twice the screen; message boxes
// and the menu answered from inside their event loops. Nothing may crash, Qt may not warn, the
// rules hold, no descriptor stays open, resident memory settles. `porukami_window_monkey
// --start-up FOLDER` instead shows the window for three seconds, for memory checkers.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <QTest>
#include <QtWidgets>
#include <fstream>
#include <mutex>
#include <random>

#include "monkey/monkey.h"
#include "qt/window.h"

namespace porukami::monkey {
namespace {

std::mutex g_mutex;
std::set<std::string> g_warnings;
std::mt19937 g_random;

std::set<std::string> TakeWarnings() {
  const std::lock_guard lock(g_mutex);
  return std::exchange(g_warnings, {});
}

int Pick(qsizetype n) {
  return std::uniform_int_distribution<int>(0, std::max<int>(n, 1) - 1)(g_random);
}

void Click(QWidget* w, QPoint at) {
  if (w->isVisible() && w->rect().contains(at)) QTest::mouseClick(w, Qt::LeftButton, {}, at);
}

// Whatever modal thing is open: the menu gets a pick, a way into a submenu or Escape; a message
// box a click on any of its buttons.
void Answer() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    const QList<QAction*> actions = menu->actions();
    QAction* a = actions.isEmpty() || Pick(5) == 0 ? nullptr : actions[Pick(actions.size())];
    menu->setActiveAction(a);
    return QTest::keyClick(menu, !a ? Qt::Key_Escape : a->menu() ? Qt::Key_Right : Qt::Key_Return);
  }
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
      if (QAbstractButton* b = box->buttons().value(Pick(box->buttons().size()))) return b->click();
}

void Event(qt::GameWindow& win) {
  const int kind = Pick(12), how = Pick(8);
  const QList<QWidget*> all = win.findChildren<QWidget*>();
  QWidget* w =
      kind < 4 ? win.childAt(Pick(win.width()), Pick(win.height())) : all[Pick(all.size())];
  const QSize most = how > 2 ? win.screen()->size() * 2 : QSize(40, 40);
  static const char* kTexts[] = {"メイヒル", "-m", "名前が長すぎる名前", "", "a\\b", "𠮷野家"};
  const QString text = QString::fromUtf8(kTexts[how % 6]);
  QLineEdit* box = win.TxtNameWidget();
  if (kind < 7 && w) Click(w, QPoint(Pick(w->width()), Pick(w->height())));
  if ((kind == 7 || kind == 8) && how == 0) QTest::qWait(Pick(3) + 1);  // it fires by itself
  if ((kind == 7 || kind == 8) && how != 0 && win.TimSayTimer().isActive())
    QMetaObject::invokeMethod(&win.TimSayTimer(), "timeout", Qt::DirectConnection);
  if (kind == 9 && how == 1) win.showMaximized();
  if (kind == 9 && how == 2) win.showNormal();
  if (kind == 9 && how != 1 && how != 2)
    win.resize(Pick(most.width()) + 1, Pick(most.height()) + 1);
  if (kind == 10) box->setText(text);
  // Typed key by key, each key event carrying its text as an input method delivers it.
  for (const QChar c : kind == 11 && box->isVisible() ? text : "") {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
  if (kind == 11 && box->isVisible()) QTest::keyClick(box, Qt::Key_Backspace);
  QCoreApplication::processEvents();
}

void Play(const fs::path& content) {
  const long count = EnvNumber("PORUKAMI_MONKEY_EVENTS", 20000);
  const Copy copy(content);
  g_random.seed(EnvNumber("PORUKAMI_MONKEY_SEED", 1));
  TakeWarnings();   // what start-up said
  QTimer answerer;  // from the start: the opening may already have something to say
  answerer.callOnTimeout(Answer);
  answerer.start(1);
  qt::GameWindow win(copy.app.string());
  ASSERT_TRUE(win.Load());
  win.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&win));
  win.ActivateOnce();
  // Memory at one window size, freed memory handed back; it and the descriptors from a quarter
  // on, when what the window makes once (the decoder's thread, the icon, the caches) is made.
  const auto settledKiB = [&win] {
    win.showNormal();
    win.resize(800, 600);
    QCoreApplication::processEvents();
    ::malloc_trim(0);
    long size = 0, pages = 0;
    std::ifstream("/proc/self/statm") >> size >> pages;
    return pages * (::sysconf(_SC_PAGESIZE) / 1024);
  };
  long quarter = 0;
  int fds = 0;
  for (long i = 0; i < count; ++i) {
    Event(win);
    ASSERT_EQ(BrokenRule(win.model()), "") << "after event " << i;
    if (i + 1 == std::max(count / 4, 1L)) quarter = settledKiB(), fds = OpenFileDescriptors();
  }
  [[maybe_unused]] const long grown = settledKiB() - quarter;
  EXPECT_EQ(OpenFileDescriptors(), fds);
#ifndef __SANITIZE_ADDRESS__  // whose quarantine holds freed memory; its own checks stand in
  EXPECT_LT(grown, 24 * 1024) << "resident memory keeps growing from " << quarter << " KiB";
#endif
  win.close();
  for (const std::string& warning : TakeWarnings()) ADD_FAILURE() << "Qt warning: " << warning;
}

TEST(WindowMonkey, OnBrokenContent) {
  Play(PORUKAMI_HOSTILE_DIR);
}

TEST(WindowMonkey, OnTheDemoContent) {
  if (DemoDir().empty()) GTEST_SKIP() << "no demo content (build porukami_content first)";
  Play(DemoDir());
}

}  // namespace
}  // namespace porukami::monkey

int main(int argc, char** argv) {
  using namespace porukami;
  // The offscreen platform says what it cannot do (size hints, raising, grabbing the keyboard).
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    const std::lock_guard lock(monkey::g_mutex);
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("This plugin does not"))
      monkey::g_warnings.insert(message.toStdString());
  });
  QApplication app(argc, argv);
  qt::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3 || std::string(argv[1]) != "--start-up") return RUN_ALL_TESTS();
  qt::GameWindow window(argv[2]);
  if (!window.Load()) return 1;
  window.show();
  window.ActivateOnce();
  QTimer::singleShot(3000, &window, &QWidget::close);
  return QApplication::exec();
}
