// The real window, offscreen: clicks, ticks and what is drawn.
#include "qt/window.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "support/fakes.h"

using porukami::Frm;
using porukami::qt::GameWindow;
using porukami::testing::FakeRandom;
using porukami::testing::TempContent;

namespace {

void SolidPicture(TempContent& c, const std::string& name, QColor colour, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  const QString path = QString::fromStdString((c.dir() / "img" / (name + ".dat")).string());
  QVERIFY(img.save(path, "PNG"));
}

// Closes the next modal message box with the given button, once it is open.
void AnswerNextBox(QMessageBox::StandardButton button, QString* seenText = nullptr) {
  QTimer::singleShot(50, [=] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        if (seenText) *seenText = box->text();
        box->button(button)->click();
        return;
      }
    }
  });
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempContent> content_;
  std::unique_ptr<GameWindow> win_;
  FakeRandom rnd_;

  void Start() {
    win_ = std::make_unique<GameWindow>(content_->dir().string(), &rnd_);
    QVERIFY(win_->Load());
    win_->resize(800, 600);
    win_->show();
    QVERIFY(QTest::qWaitForWindowExposed(win_.get()));
    win_->ActivateOnce();
  }
  Frm& m() { return win_->model(); }

 private slots:
  void init() {
    content_ = std::make_unique<TempContent>();
    content_->Catalogue(porukami::testing::DefaultCatalogue());
    content_->Scene("opn", {"はじまり"});
    content_->Scene("end", {"おしまい"});
    content_->Scene("moneyend", {"おかねがない"});
    for (int h = 0; h < 3; ++h)
      for (int v = 0; v < 3; ++v)
        content_->Scene(std::to_string(h) + "1" + std::to_string(v), {"こんにちは"});
    rnd_.queue.clear();
    rnd_.fallback = 0.0;
  }
  void cleanup() {
    win_.reset();
    content_.reset();
  }

  void homeTwentySevenTimesReachesDayTwentyEight() {
    Start();
    for (int i = 0; i < 27; ++i) QTest::mouseClick(win_->ComButton(4), Qt::LeftButton);
    QCOMPARE(int(m().Day), 28);
    QVERIFY(!win_->ComButton(3)->isVisible());
    QVERIFY(!win_->ComButton(4)->isVisible());
    QVERIFY(win_->ComButton(0)->isVisible());
    QCOMPARE(win_->LblDayWidget()->text(), QString::fromUtf8("ムルの月 28日  \\7300"));
    // Three visits more end the month: every command disappears.
    rnd_.fallback = 0.0;  // each visit costs 1000
    for (int i = 0; i < 3; ++i) QTest::mouseClick(win_->ComButton(i), Qt::LeftButton);
    QCOMPARE(int(m().Day), 31);
    for (int i = 0; i < 5; ++i) QVERIFY(!win_->ComButton(i)->isVisible());
    QCOMPARE(m().OpenScene().value_or(""), std::string("end"));
  }

  void barsFollowStats() {
    Start();
    m().AddInventoryItem(3);  // a rare item: 銀の指輪, stat 2 for heroine 0
    win_->Sync();
    QListWidget* lst = win_->LstWidget();
    QCOMPARE(lst->count(), 1);
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {},
                      lst->visualItemRect(lst->item(0)).center());
    QCOMPARE(m().Lst.ListIndex, 0);
    rnd_.queue = {0.99, 0.0};  // gain 39 on stat 2, nothing on stat 3
    QTest::mouseClick(win_->ComStrButton(0), Qt::LeftButton);
    QCOMPARE(int(m().Stats[0][2]), 39);
    QCOMPARE(lst->count(), 0);
    const int full = win_->PicStrWidget()->width() * 100 / 150;
    const int bar = win_->BarWidget(2)->width();
    QVERIFY2(std::abs(bar - full * 39 / 100) <= 2, qPrintable(QString::number(bar)));
    QVERIFY(!win_->BarWidget(0)->isVisible());  // a stat of 0 draws nothing
    QCOMPARE(win_->LblGameWidget()->text(), QString::fromUtf8("ラテゥに銀の指輪をそっとあげたよ"));
  }

  void sceneRunsByTicksAndWaitsForClick() {
    content_->Scene("opn", {"一", "二", "三", "四", "五", "六", "七"});
    Start();
    QVERIFY(win_->LblWidget()->isVisible());
    QVERIFY(win_->LblWidget()->text().startsWith(QString::fromUtf8("\n一")));
    QTRY_VERIFY_WITH_TIMEOUT(win_->LblWidget()->text().endsWith(QString::fromUtf8("五▼")), 3000);
    QVERIFY(!win_->TimSayTimer().isActive());
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(win_->LblWidget()->text().endsWith(QString::fromUtf8("七▼")), 3000);
    QVERIFY(win_->LblWidget()->text().startsWith(QString::fromUtf8("\n六")));
    QTest::mouseClick(win_->PicWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!win_->LblWidget()->isVisible());
    QVERIFY(win_->LblGameWidget()->isVisible());
  }

  void restartPromptBlocksTicksUntilAnswered() {
    Start();
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);  // the one-line opening ends
    QVERIFY(!m().Lbl.Visible);
    QTest::mouseClick(win_->ComButton(4), Qt::LeftButton);
    QCOMPARE(int(m().Day), 2);
    QString seen;
    AnswerNextBox(QMessageBox::No, &seen);
    QTest::mouseClick(win_->PicWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(seen, QString::fromUtf8("初期化しますか？"));
    QCOMPARE(int(m().Day), 2);
    AnswerNextBox(QMessageBox::Yes);
    QTest::mouseClick(win_->LblGameWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(int(m().Day), 1);
    QCOMPARE(m().OpenScene().value_or(""), std::string("opn"));
  }

  void backgroundFillsPictureAndPanelSitsLow() {
    SolidPicture(*content_, "blue", QColor(0, 0, 255), 1920, 1600);
    content_->Scene("opn", {">img blue", "文"});
    Start();
    QImage shot = win_->grab().toImage();
    const qreal dpr = shot.devicePixelRatio();
    const auto px = [&](int x, int y) {
      return QColor(shot.pixel(qRound(x * dpr), qRound(y * dpr)));
    };
    const QRect pic = win_->PicWidget()->geometry();
    // 30 of 40 units across and 25 of 30 down the client area.
    QCOMPARE(pic.width(), qRound(win_->width() * 30 / 40.0));
    QCOMPARE(pic.height(), qRound(win_->height() * 25 / 30.0));
    // The frame keeps its 4:3 shape.
    const QRect frame = win_->frameGeometry();
    QVERIFY2(std::abs(frame.width() * 3 - frame.height() * 4) <= 8,
             qPrintable(QString::number(frame.width())));
    QCOMPARE(px(pic.left() + 5, pic.top() + 5), QColor(0, 0, 255));
    QCOMPARE(px(pic.right() - 5, pic.top() + pic.height() * 6 / 10), QColor(0, 0, 255));
    // The text panel: the bottom three tenths of the picture, light yellow.
    QCOMPARE(px(pic.left() + 5, pic.top() + pic.height() * 72 / 100), QColor(255, 255, 192));
    QCOMPARE(px(pic.right() - 5, pic.bottom() - 3), QColor(255, 255, 192));
  }

  // Pictures are decoded ahead of their command; what is shown is the file as it is when the
  // command runs.
  void picturesDecodedAheadShowTheFileAsItIsWhenShown() {
    SolidPicture(*content_, "red", QColor(255, 0, 0), 64, 48);
    SolidPicture(*content_, "second", QColor(0, 255, 0), 64, 48);
    SolidPicture(*content_, "third", QColor(0, 0, 255), 64, 48);
    content_->Scene("opn", {">img red", "一", ">img second", "二", ">img third", "三"});
    Start();
    win_->Run([&] { m().menu_tim_Click_Click(0); });  // no timer: each line waits for a click
    const auto centre = [&] {
      const QImage shot = win_->PicWidget()->grab().toImage();
      return QColor(shot.pixel(shot.width() / 2, shot.height() / 4));
    };
    QCOMPARE(centre(), QColor(255, 0, 0));
    QTest::qWait(200);  // "second" has been decoded by now
    SolidPicture(*content_, "second", QColor(255, 255, 0), 80, 60);
    QTest::mouseClick(win_->PicWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m().Pic.PaintedName, std::string("second"));
    QCOMPARE(m().Pic.Painted->width, 80);
    QCOMPARE(centre(), QColor(255, 255, 0));
    QTest::mouseClick(win_->PicWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m().Pic.PaintedName, std::string("third"));
    QCOMPARE(centre(), QColor(0, 0, 255));
  }

  void keyboardMovesTheSceneAndPressesButtons() {
    content_->Scene("opn", {"一", ">p", "二", ">p", "三"});
    Start();
    QVERIFY(win_->LblWidget()->text().endsWith(QString::fromUtf8("一▼")));
    win_->PicWidget()->setFocus();
    QTest::keyClick(win_->PicWidget(), Qt::Key_Space);
    QVERIFY(win_->LblWidget()->text().endsWith(QString::fromUtf8("二▼")));
    QTest::keyClick(win_->PicWidget(), Qt::Key_Return);
    QVERIFY(win_->LblWidget()->text().endsWith(QString::fromUtf8("三▼")));
    QTest::keyClick(win_->PicWidget(), Qt::Key_Enter);
    QVERIFY(!m().Lbl.Visible);
    // On the idle screen the keys do not open the restart prompt.
    QTest::keyClick(win_->PicWidget(), Qt::Key_Space);
    QCOMPARE(int(m().Day), 1);
    // A focused day command is pressed with Enter, another with Space.
    win_->ComButton(4)->setFocus();
    QTest::keyClick(win_->ComButton(4), Qt::Key_Return);
    QCOMPARE(int(m().Day), 2);
    win_->ComButton(4)->setFocus();
    QTest::keyClick(win_->ComButton(4), Qt::Key_Space);
    QCOMPARE(int(m().Day), 3);
  }

  void tabFollowsTheGamesOrder() {
    Start();
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);
    win_->LstWidget()->setFocus();
    QWidget* expected[] = {win_->ComButton(0), win_->ComButton(1), win_->ComButton(2),
                           win_->PicWidget()};
    for (QWidget* w : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), w);
    }
  }

  void homePanelSettlesAndSells() {
    Start();
    rnd_.queue = {0.5, 0.5, 0.0, 0.0};  // one request for 銀の指輪 (index 3), 1 money, kind 0
    QTest::mouseClick(win_->ComButton(4), Qt::LeftButton);
    QVERIFY(win_->PicSakaWidget()->isVisible());
    QCOMPARE(win_->LstIraiWidget()->count(), 1);
    QCOMPARE(win_->LstIraiWidget()->item(0)->text(),
             QString::fromUtf8("銀の指輪が欲しいです、代金は\\1で"));
    m().AddInventoryItem(3);
    m().AddInventoryItem(0);
    win_->Sync();
    QListWidget* irai = win_->LstIraiWidget();
    QTest::mouseClick(irai->viewport(), Qt::LeftButton, {},
                      irai->visualItemRect(irai->item(0)).center());
    QListWidget* lst = win_->LstWidget();
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {},
                      lst->visualItemRect(lst->item(0)).center());
    const int before = m().Money;
    QTest::mouseClick(win_->ComLstButton(0), Qt::LeftButton);
    QCOMPARE(m().Money, before + 1);
    QCOMPARE(irai->count(), 0);
    QCOMPARE(lst->count(), 1);
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {},
                      lst->visualItemRect(lst->item(0)).center());
    QTest::mouseClick(win_->ComLstButton(1), Qt::LeftButton);
    QCOMPARE(m().Money, before + 1 + 10);
    QVERIFY(win_->LblDayWidget()->text().endsWith(QString::number(before + 11)));
    QCOMPARE(win_->LblGameWidget()->text(),
             QString::fromUtf8("アイテムを売りました！　￥10手に入れました"));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  WindowTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "window_test.moc"
