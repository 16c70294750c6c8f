// The real window, offscreen, as a player uses it: double clicks, list choices, message boxes.
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "qt/window.h"
#include "support/fakes.h"

using porukami::qt::GameWindow;

class ReviewTest : public QObject {
  Q_OBJECT
  porukami::testing::TempContent content_;
  porukami::testing::FakeRandom rnd_;
  std::unique_ptr<GameWindow> win_;
  QTimer boxes_;
  QStringList seen_;  // each message box closed: its text and its buttons' texts

  void Start(const std::vector<std::string>& opening) {
    content_.Catalogue(porukami::testing::DefaultCatalogue());
    content_.Scene("opn", opening);
    win_ = std::make_unique<GameWindow>(content_.dir().string(), &rnd_);
    QVERIFY(win_->Load());
    win_->show();
    win_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win_.get()));
    win_->ActivateOnce();
    seen_.clear();
  }
  // A click, or a double click, on `w` through the platform's window.
  void Click(QWidget* w, bool twice) {
    const QPoint at = w->mapTo(win_.get(), QPoint(4, 4));
    if (twice) QTest::mouseDClick(win_->windowHandle(), Qt::LeftButton, {}, at);
    if (!twice) QTest::mouseClick(win_->windowHandle(), Qt::LeftButton, {}, at);
  }

 private slots:
  void init() {
    connect(&boxes_, &QTimer::timeout, this, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible()) continue;
        seen_ << box->text();
        for (QAbstractButton* b : box->buttons())
          seen_ << b->text() + (b == box->defaultButton() ? "*" : "");
        box->reject();
      }
    });
    boxes_.start(50);
  }
  void cleanup() { win_.reset(); }

  void secondPressOfADoubleClickDoesNothing() {
    Start({"一", ">p", "二", ">p", "三", ">p", "四", ">p", "五"});
    QWidget* const on[] = {win_->LblWidget(), win_->PicWidget(), win_->ComButton(4)};
    struct Row {
      int on;
      bool twice;        // a double click, else two clicks the double-click interval apart
      const char* page;  // the page then shown, "" when the scene has ended
      int day;
    };
    for (const Row& r : {Row{0, true, "二▼", 1}, Row{1, true, "三▼", 1}, Row{0, false, "五▼", 1},
                         Row{0, true, "", 1}, Row{2, true, "", 2}, Row{2, false, "", 4}}) {
      for (int i = r.twice ? 1 : 2; i > 0; --i) Click(on[r.on], r.twice);
      QCOMPARE(win_->model().Lbl.Visible ? win_->LblWidget()->text().right(2) : QString(),
               QString::fromUtf8(r.page));
      QCOMPARE(int(win_->model().Day), r.day);
      QCOMPARE(seen_, QStringList());
    }
  }

  void listIndexFollowsTheSelection() {
    Start({"はじまり"});
    Click(win_->LblWidget(), false);  // the opening ends
    QListWidget* lst = win_->LstWidget();
    const auto line = [&] { return lst->visualItemRect(lst->item(0)).center(); };
    const std::function<void()> ways[] = {
        [&] {  // keyboard focus alone
          win_->ComButton(0)->setFocus();
          QTest::keyClick(win_->ComButton(0), Qt::Key_Backtab);
          QCOMPARE(QApplication::focusWidget(), lst);
        },
        [&] {  // a line selected, then Ctrl+clicked off
          QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, line());
          QCOMPARE(win_->model().Lst.ListIndex, 0);
          QTest::mouseClick(lst->viewport(), Qt::LeftButton, Qt::ControlModifier, line());
        }};
    for (const auto& way : ways) {
      win_->Run([&] { win_->model().AddInventoryItem(3); });
      way();
      QCOMPARE(win_->model().Lst.ListIndex, -1);
      const int items = lst->count();
      Click(win_->ComStrButton(2), false);  // a present for マム: which one?
      QCOMPARE(lst->count(), items);
      QVERIFY(seen_.contains(QString::fromUtf8("あげるアイテムを選んで！")));
    }
  }

  void messageBoxesSpeakJapanese() {
    Start({"はじまり"});
    Click(win_->LblWidget(), false);      // the opening ends
    Click(win_->PicWidget(), false);      // the restart prompt, answered No
    Click(win_->ComStrButton(0), false);  // a present, no item chosen
    QCOMPARE(
        seen_.join('|'),
        QString::fromUtf8("初期化しますか？|はい(&Y)*|いいえ(&N)|あげるアイテムを選んで！|OK"));
  }

  void faceIsDrawnInsideItsBorder() {
    QImage face(81, 81, QImage::Format_RGB32);
    face.fill(Qt::blue);
    QPainter(&face).fillRect(0, 0, 81, 1, Qt::red);  // the picture's own top edge
    QVERIFY(face.save(QString::fromStdString((content_.dir() / "img/face_A.dat").string()), "PNG"));
    Start({">fce A", "文"});
    const QImage shot = win_->PicKaoWidget()->grab().toImage();
    const int d = qRound(shot.devicePixelRatio()), middle = shot.width() / 2;
    QCOMPARE(QColor(shot.pixel(middle, 0)), QColor(64, 64, 64));  // the border
    const QColor edge(shot.pixel(middle, d));
    QVERIFY2(edge.red() > 200 && edge.blue() < 60, qPrintable(edge.name()));
  }

  void clickThatEndsAPageStartsTheTextTimerAfresh() {
    Start({"一", "二", ">p", "三"});
    win_->Run([&] { win_->model().menu_tim_Click_Click(3); });  // 300 ms between lines
    QTest::qSleep(200);                                         // no event is handled meanwhile
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);       // "二" ends the page
    QVERIFY(win_->LblWidget()->text().endsWith(QString::fromUtf8("二▼")));
    const int left = win_->TimSayTimer().remainingTime();
    QVERIFY2(left > 250, qPrintable(QString::number(left)));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  ReviewTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "review_test.moc"
