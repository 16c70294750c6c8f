// Full screen (by its keys) and maximised on 16:9, 4:3 and 5:4 screens (three_screens.json): the
// game keeps a centred 4:3 area, laid out as a window of that size is.
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "qt/window.h"
#include "support/fakes.h"

using porukami::qt::GameWindow;

class FullScreenTest : public QObject {
  Q_OBJECT
  porukami::testing::TempContent content_;
  porukami::testing::FakeRandom rnd_;

  std::unique_ptr<GameWindow> Open() {
    auto w = std::make_unique<GameWindow>(content_.dir().string(), &rnd_);
    if (!w->Load()) return nullptr;
    w->show();
    w->ActivateOnce();
    return QTest::qWaitForWindowActive(w.get()) ? std::move(w) : nullptr;
  }
  // The controls the window places (the others are placed in these); the game's area is theirs.
  static std::vector<QWidget*> Placed(GameWindow& w) {
    return {w.PicWidget(), w.PicStrWidget(), w.ComButton(0),   w.ComButton(4),
            w.LstWidget(), w.LblDayWidget(), w.TxtNameWidget()};
  }

 private slots:
  void initTestCase() {
    porukami::qt::SetUpApplication();
    content_.Catalogue(porukami::testing::DefaultCatalogue());
    content_.Scene("opn", {"いち", "に", "さん", "し", "ご", "ろく", "なな"});
  }

  void keepsTheShape_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("key");  // 0: maximised
    for (int s = 0; s < 3; ++s) {
      QTest::addRow("screen %d, full", s) << s << int(s == 1 ? Qt::Key_Return : Qt::Key_F11);
      QTest::addRow("screen %d, maximised", s) << s << 0;
    }
  }
  void keepsTheShape() {
    QFETCH(int, screen);
    QFETCH(int, key);
    auto ref = Open(), win = Open();  // the one to switch, last, has the keyboard
    QVERIFY(win && ref);
    win->windowHandle()->setScreen(QGuiApplication::screens().value(screen));
    const QRect normal = win->geometry();
    QWidget* pic = win->PicWidget();
    key ? QTest::keyClick(pic, Qt::Key(key), key == Qt::Key_F11 ? Qt::NoModifier : Qt::AltModifier)
        : win->showMaximized();
    QTRY_COMPARE(win->frameGeometry(), win->screen()->geometry());
    // 4:3, as large as fits, centred; the picture box keeps its 6:5.
    const std::vector<QWidget*> mine = Placed(*win), theirs = Placed(*ref);
    const QRect area = mine[0]->geometry().united(mine.back()->geometry()), client = win->rect();
    QVERIFY(std::abs(area.width() * 3 - area.height() * 4) <= 4 &&
            (area.width() == client.width() || area.height() == client.height()));
    QVERIFY(std::abs(area.left() * 2 + area.width() - client.width()) <= 1 &&
            std::abs(area.top() * 2 + area.height() - client.height()) <= 1);
    QVERIFY(std::abs(mine[0]->width() * 5 - mine[0]->height() * 6) <= 6);
    // Every control where a window of the area's size puts it, in the same font.
    ref->resize(area.size());
    QTRY_COMPARE(ref->height(), area.height());
    for (std::size_t i = 0; i < mine.size(); ++i) {
      const QRect g = mine[i]->geometry().translated(-area.topLeft()), r = theirs[i]->geometry();
      QVERIFY((g.topLeft() - r.topLeft()).manhattanLength() < 2 &&
              (g.bottomRight() - r.bottomRight()).manhattanLength() < 3);
    }
    QCOMPARE(win->LblWidget()->font(), ref->LblWidget()->font());
    // The margins: nothing to click, black in full screen, the window's colour when maximised.
    const QPoint p(area.left() / 2, area.top() / 2);
    QVERIFY(area.contains(p) || win->childAt(p) == nullptr);  // a 4:3 screen has none
    QVERIFY(area.contains(p) ||
            win->grab().toImage().pixelColor(p * win->devicePixelRatio()) ==
                (key ? QColor(Qt::black) : win->palette().color(QPalette::Window)));
    // The keyboard still plays; Esc restores the window; F11 and F11 again, the maximised one.
    const QString before = win->LblWidget()->text();
    QTest::keyClick(pic, Qt::Key_Space);
    QVERIFY(win->LblWidget()->text() != before);
    if (key) {
      QTest::keyClick(pic, Qt::Key_Escape);
      QTRY_COMPARE(win->geometry(), normal);
      QCOMPARE(mine[0]->geometry().united(mine.back()->geometry()), win->rect());
      return;
    }
    QTest::keyClick(pic, Qt::Key_F11);
    QTRY_VERIFY(win->isFullScreen());
    QTest::keyClick(pic, Qt::Key_F11);
    QTRY_VERIFY(win->isMaximized() && !win->isFullScreen());
  }
};

QTEST_MAIN(FullScreenTest)
#include "fullscreen_test.moc"
