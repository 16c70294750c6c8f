// The real window, offscreen, played by a monkey on the demo and on the hostile content: clicks
// anywhere and on any control, ticks, names typed, resizes from tiny to twice the screen; message
// boxes and the menu answered from inside their event loops. Nothing may crash, Qt may not warn,
// the rules hold, no descriptor stays open, and the memory in use settles.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QTest>
#include <QtWidgets>
#include <random>

#include "monkey/monkey.h"
#include "qt/window.h"

namespace porukami::monkey {
namespace {

std::mt19937 g_random;

int Pick(qsizetype n) {
  return std::uniform_int_distribution<int>(0, std::max<int>(n, 1) - 1)(g_random);
}

// Answers whatever modal thing is open, a menu or a message box.
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
  const int kind = Pick(10), how = Pick(8);
  const QList<QWidget*> all = win.findChildren<QWidget*>();
  QWidget* w =
      kind < 4 ? win.childAt(Pick(win.width()), Pick(win.height())) : all[Pick(all.size())];
  const QSize most = how > 2 ? win.screen()->size() * 2 : QSize(40, 40);
  static const char* kNames[] = {"メイヒル", "-m", "名前が長すぎる名前", "", "a\\b", "𠮷野家"};
  QLineEdit* box = win.TxtNameWidget();
  if (kind < 7 && w && w->isVisible())
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(Pick(w->width()), Pick(w->height())));
  if (kind == 7 && win.TimSayTimer().isActive())
    QMetaObject::invokeMethod(&win.TimSayTimer(), "timeout", Qt::DirectConnection);
  if (kind == 8 && how < 2) how == 0 ? win.showMaximized() : win.showNormal();
  if (kind == 8 && how >= 2) win.resize(Pick(most.width()) + 1, Pick(most.height()) + 1);
  // Typed key by key, each key event carrying its text as an input method delivers it.
  for (const QChar c : kind == 9 && box->isVisible() ? QString::fromUtf8(kNames[how % 6]) : "") {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
  if (kind == 9 && box->isVisible()) QTest::keyClick(box, Qt::Key_Backspace);
  QCoreApplication::processEvents();
}

void Play(const fs::path& content) {
  // The offscreen platform says what it cannot do (size hints, raising, grabbing the keyboard).
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("This plugin does not"))
      ADD_FAILURE() << "Qt warning: " << message.toStdString();
  });
  const Copy copy(content);
  g_random.seed(1);
  QTimer answerer;  // from the start: the opening may already have something to say
  answerer.callOnTimeout(Answer);
  answerer.start(1);
  qt::GameWindow win(copy.app.string());
  ASSERT_TRUE(win.Load());
  win.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&win));
  win.ActivateOnce();
  // Memory (at one size) and descriptors from a quarter on, when the caches and threads are made.
  const auto settledKiB = [&win] {
    win.showNormal();
    win.resize(800, 600);
    QCoreApplication::processEvents();
    const auto heap = ::mallinfo2();  // small blocks and mapped ones
    return long((heap.uordblks + heap.hblkhd) / 1024);
  };
  long quarter = 0;
  int fds = 0;
  for (long i = 0; i < kEvents; ++i) {
    Event(win);
    ASSERT_EQ(BrokenRule(win.model()), "") << "after event " << i;
    if (i + 1 == std::max(kEvents / 4, 1L)) quarter = settledKiB(), fds = OpenFileDescriptors();
  }
  [[maybe_unused]] const long grown = settledKiB() - quarter;
  // A descriptor may be open for a moment at either count (a picture being read, a thread of the
  // toolkit starting): one that is still open after a while is a leak.
  EXPECT_TRUE(QTest::qWaitFor([fds] { return OpenFileDescriptors() <= fds; }, 5000))
      << OpenFileDescriptors() << " descriptors open, " << fds << " at a quarter";
#ifndef __SANITIZE_ADDRESS__  // whose quarantine holds freed memory; its own checks stand in
  EXPECT_LT(grown, 24 * 1024) << "memory in use keeps growing from " << quarter << " KiB";
#endif
}

TEST(WindowMonkey, OnBrokenContent) {
  Play(PORUKAMI_HOSTILE_DIR);
}

TEST(WindowMonkey, OnTheDemoContent) {
  if (!fs::exists(kDemo / "txt/opn.dat")) GTEST_SKIP() << "no demo content: build porukami_content";
  Play(kDemo);
}

}  // namespace
}  // namespace porukami::monkey

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
