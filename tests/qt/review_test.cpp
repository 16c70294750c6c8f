// The real window, offscreen, as a player uses it: double clicks, list choices, message boxes.
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "qt/window.h"
#include "support/fakes.h"

class ReviewTest : public QObject {
  Q_OBJECT
  porukami::testing::TempContent content_;
  porukami::testing::FakeRandom rnd_;
  std::unique_ptr<porukami::qt::GameWindow> win_;
  QTimer boxes_;
  QStringList seen_;  // each message box closed: its text, its buttons' ("*": the default)

  void Start(const std::vector<std::string>& opening) {
    content_.Catalogue(porukami::testing::DefaultCatalogue());
    content_.Scene("opn", opening);
    win_ = std::make_unique<porukami::qt::GameWindow>(content_.dir().string(), &rnd_);
    QVERIFY(win_->Load());
    win_->show();
    win_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win_.get()));
    win_->ActivateOnce();
  }
  void Click(QWidget* w, bool twice = false) {  // through the platform's window
    QTest::mouseEvent(twice ? QTest::MouseDClick : QTest::MouseClick, win_->windowHandle(),
                      Qt::LeftButton, {}, w->mapTo(win_.get(), QPoint(4, 4)));
  }

 private slots:
  void initTestCase() {
    connect(&boxes_, &QTimer::timeout, this, [this] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
          seen_ << box->text();
          for (QAbstractButton* b : box->buttons())
            seen_ << b->text() + (b == box->defaultButton() ? "*" : "");
          box->reject();
        }
    });
    boxes_.start(50);
  }

  void secondPressOfADoubleClickDoesNothing() {
    Start({"一", ">p", "二", ">p", "三", ">p", "四", ">p", "五"});
    QWidget* const on[] = {win_->LblWidget(), win_->PicWidget(), win_->ComButton(4)};
    using Row = std::tuple<int, bool, const char*, int>;  // on; double click, else two clicks
    for (auto [at, twice, page, day] :  // the interval apart; the page then ("": none); the day
         {Row{0, true, "二▼", 1}, Row{1, true, "三▼", 1}, Row{0, false, "五▼", 1},
          Row{0, true, "", 1}, Row{2, true, "", 2}, Row{2, false, "", 4}}) {
      for (int i = twice ? 1 : 2; i > 0; --i) Click(on[at], twice);
      QCOMPARE(win_->model().Lbl.Visible ? win_->LblWidget()->text().right(2) : QString(),
               QString::fromUtf8(page));
      QCOMPARE(int(win_->model().Day), day);
      QCOMPARE(seen_, QStringList());
    }
  }

  // The face in its border, the text timer after a click, ListIndex, the boxes' language.
  void faceTimerListsAndBoxes() {
    QImage face(81, 81, QImage::Format_RGB32);
    face.fill(Qt::blue);
    for (int x = 0; x < 81; ++x) face.setPixel(x, 0, qRgb(255, 0, 0));  // its own top edge
    QVERIFY(face.save(QString::fromStdString((content_.dir() / "img/face_A.dat").string()), "PNG"));
    Start({">fce A", "一", "二", ">p", "三"});
    const QImage shot = win_->PicKaoWidget()->grab().toImage();
    const int d = static_cast<int>(shot.devicePixelRatio());      // device pixels per border pixel
    QCOMPARE(QColor(shot.pixel(40 * d, 0)), QColor(64, 64, 64));  // the border
    QVERIFY(QColor(shot.pixel(40 * d, d)).red() > 200);
    win_->Run([&] { win_->model().menu_tim_Click_Click(3); });  // 300 ms between lines
    QTest::qSleep(200);                                         // no event is handled meanwhile
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);       // "二" ends the page
    QVERIFY(win_->TimSayTimer().remainingTime() > 250);
    for (int i = 0; i < 2; ++i) Click(win_->LblWidget());  // the opening ends
    QListWidget* lst = win_->LstWidget();
    win_->Run([&] { win_->model().AddInventoryItem(3); });
    lst->setFocus(Qt::BacktabFocusReason);  // Shift+Tab into the list makes its line current
    QCOMPARE(win_->model().Lst.ListIndex, -1);
    const QPoint line = lst->visualItemRect(lst->item(0)).center();
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, line);
    QCOMPARE(win_->model().Lst.ListIndex, 0);
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, Qt::ControlModifier, line);
    QCOMPARE(win_->model().Lst.ListIndex, -1);
    Click(win_->ComStrButton(2));  // a present for マム: which one?
    Click(win_->PicWidget());      // the restart prompt, answered No
    QCOMPARE(lst->count(), 1);
    QCOMPARE(seen_.join('|'),
             QString("あげるアイテムを選んで！|OK|初期化しますか？|はい(&Y)*|いいえ(&N)"));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  ReviewTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "review_test.moc"
