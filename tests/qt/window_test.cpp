// The real window, offscreen: clicks, keys, ticks and what is drawn.
#include "qt/window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "qt/image.h"
#include "support/fakes.h"

using porukami::qt::GameWindow;

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The size of a widget in device pixels, as the picture boxes reckon it.
QSize DeviceSize(const QWidget* w) {
  return (QSizeF(w->size()) * w->devicePixelRatioF()).toSize();
}

QImage Rgb32(const QImage& i) {
  return i.convertToFormat(QImage::Format_RGB32);
}

// Writes img/NAME.dat: one colour, or gradients with fine detail (smooth and unsmoothed copies
// differ) when `colour` is invalid. Returns its path.
QString Picture(porukami::testing::TempContent& c, const std::string& name, int w, int h,
                QColor colour = {}) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  for (int y = 0; y < h && !colour.isValid(); ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x ^ y) & 255));
  const QString path = QString::fromStdString((c.dir() / "img" / (name + ".dat")).string());
  img.save(path, "PNG");
  return path;
}

// The mean difference of two RGB32 pictures of the same size, per channel, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int j = 0; j < a.height(); ++j)
    for (int i = 0; i < a.width() * 4; ++i) sum += std::abs(a.scanLine(j)[i] - b.scanLine(j)[i]);
  return sum / (3.0 * a.width() * a.height());
}

// Closes the next modal message box with `button`, once it is open, and tells its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* seen) {
  QTimer::singleShot(50, [=] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      *seen = box->text();
      box->button(button)->click();
    }
  });
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<porukami::testing::TempContent> content_;
  std::unique_ptr<GameWindow> win_;
  porukami::testing::FakeRandom rnd_;

  void Start() {
    win_.reset();
    win_ = std::make_unique<GameWindow>(content_->dir().string(), &rnd_);
    QVERIFY(win_->Load());
    win_->resize(800, 600);
    win_->show();
    QVERIFY(QTest::qWaitForWindowExposed(win_.get()));
    win_->ActivateOnce();
  }
  porukami::Frm& m() { return win_->model(); }
  QString Text() { return win_->LblWidget()->text(); }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10)); }
  void Pick(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }

 private slots:
  void initTestCase() { porukami::qt::SetUpApplication(); }
  void init() {
    content_ = std::make_unique<porukami::testing::TempContent>();
    content_->Catalogue(porukami::testing::DefaultCatalogue());
    for (const char* s : {"opn", "end", "moneyend"}) content_->Scene(s, {"はじまり"});
    rnd_ = {};
  }
  void cleanup() { win_.reset(); }

  // The text timer, clicks and keys move the scene on; on the idle screen the keys do not open
  // the restart prompt, Tab follows the game's order, and a click on the picture asks first.
  void sceneMovesByTicksClicksAndKeys() {
    content_->Scene("opn",
                    {"一", "二", "三", "四", "五", "六", "七", ">p", "八", ">p", "九", ">p", "十"});
    Start();
    QVERIFY(Text().startsWith(U("\n一")));
    QTRY_VERIFY_WITH_TIMEOUT(Text().endsWith(U("五▼")), 3000);
    QVERIFY(!win_->TimSayTimer().isActive());
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Text().endsWith(U("七▼")), 3000);
    QVERIFY(Text().startsWith(U("\n六")));
    Click(win_->PicWidget());
    QVERIFY(Text().endsWith(U("八▼")));
    win_->PicWidget()->setFocus();
    QTest::keyClick(win_->PicWidget(), Qt::Key_Space);
    QVERIFY(Text().endsWith(U("九▼")));
    QTest::keyClick(win_->PicWidget(), Qt::Key_Return);
    QVERIFY(Text().endsWith(U("十▼")));
    QTest::keyClick(win_->PicWidget(), Qt::Key_Enter);
    QVERIFY(!win_->LblWidget()->isVisible() && win_->LblGameWidget()->isVisible());
    QTest::keyClick(win_->PicWidget(), Qt::Key_Space);
    QCOMPARE(int(m().Day), 1);
    win_->LstWidget()->setFocus();
    const QWidget* order[] = {win_->ComButton(0), win_->ComButton(1), win_->ComButton(2),
                              win_->PicWidget()};
    for (const QWidget* w : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), w);
    }
    // A focused day command is pressed with Enter, another with Space.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
      win_->ComButton(4)->setFocus();
      QTest::keyClick(win_->ComButton(4), key);
    }
    QCOMPARE(int(m().Day), 3);
    QString seen;
    AnswerNextBox(QMessageBox::No, &seen);
    Click(win_->PicWidget());
    QCOMPARE(seen, U("初期化しますか？"));
    QCOMPARE(int(m().Day), 3);
    AnswerNextBox(QMessageBox::Yes, &seen);
    Click(win_->LblGameWidget());
    QCOMPARE(int(m().Day), 1);
    QCOMPARE(m().OpenScene().value_or(""), std::string("opn"));
  }

  // Selling at home, then a gift and its bar.
  void aMonthByClicks() {
    Start();
    rnd_.queue = {0.5, 0.5, 0.0, 0.0};  // one request for 銀の指輪 (index 3), 1 money, kind 0
    QTest::mouseClick(win_->ComButton(4), Qt::LeftButton);
    QVERIFY(win_->PicSakaWidget()->isVisible());
    QListWidget *irai = win_->LstIraiWidget(), *lst = win_->LstWidget();
    QCOMPARE(irai->count(), 1);
    QCOMPARE(irai->item(0)->text(), U("銀の指輪が欲しいです、代金は\\1で"));
    for (int item : {3, 0, 3}) m().AddInventoryItem(item);
    win_->Sync();
    Pick(irai, 0);
    Pick(lst, 0);
    const int before = m().Money;
    QTest::mouseClick(win_->ComLstButton(0), Qt::LeftButton);
    QCOMPARE(m().Money, before + 1);
    QCOMPARE(irai->count(), 0);
    QCOMPARE(lst->count(), 2);
    Pick(lst, 0);
    QTest::mouseClick(win_->ComLstButton(1), Qt::LeftButton);
    QCOMPARE(m().Money, before + 1 + 10);
    QVERIFY(win_->LblDayWidget()->text().endsWith(QString::number(before + 11)));
    QCOMPARE(win_->LblGameWidget()->text(), U("アイテムを売りました！　￥10手に入れました"));
    // A rare item for heroine 0: 銀の指輪 names her stat 2.
    Pick(lst, 0);
    QCOMPARE(m().Lst.ListIndex, 0);
    rnd_.queue = {0.99, 0.0};  // gain 39 on stat 2, nothing on stat 3
    QTest::mouseClick(win_->ComStrButton(0), Qt::LeftButton);
    QCOMPARE(int(m().Stats[0][2]), 39);
    QCOMPARE(lst->count(), 0);
    const int full = win_->PicStrWidget()->width() * 100 / 150;
    QVERIFY(std::abs(win_->BarWidget(2)->width() - full * 39 / 100) <= 2);
    QVERIFY(!win_->BarWidget(0)->isVisible());  // a stat of 0 draws nothing
    QCOMPARE(win_->LblGameWidget()->text(), U("ラテゥに銀の指輪をそっとあげたよ"));
  }

  // The background fills the picture box and the text panel sits low; pictures decoded ahead of
  // their command show the file as it is when the command runs; one scaled ahead for a box that
  // has since changed size is drawn at once, stretched, and smooth once the size has held.
  void picturesAsTheSceneShowsThem() {
    Picture(*content_, "blue", 1920, 1600, Qt::blue);
    Picture(*content_, "second", 64, 48, Qt::green);
    const QString detail = Picture(*content_, "detail", 300, 200);
    content_->Scene("opn", {">img blue", "一", ">img second", "二", ">img detail", "三"});
    Start();
    win_->Run([&] { m().menu_tim_Click_Click(0); });  // no timer: each line waits for a click
    const QImage shot = win_->grab().toImage();
    const auto px = [&](int x, int y) {
      return QColor(
          shot.pixel(qRound(x * shot.devicePixelRatio()), qRound(y * shot.devicePixelRatio())));
    };
    const QRect pic = win_->PicWidget()->geometry();
    // 30 of 40 units across and 25 of 30 down the client area; the frame keeps its 4:3 shape.
    QCOMPARE(pic.width(), qRound(win_->width() * 30 / 40.0));
    QCOMPARE(pic.height(), qRound(win_->height() * 25 / 30.0));
    const QRect frame = win_->frameGeometry();
    QVERIFY(std::abs(frame.width() * 3 - frame.height() * 4) <= 8);
    QCOMPARE(px(pic.left() + 5, pic.top() + 5), QColor(Qt::blue));
    QCOMPARE(px(pic.right() - 5, pic.top() + pic.height() * 6 / 10), QColor(Qt::blue));
    // The text panel: the bottom three tenths of the picture, light yellow.
    QCOMPARE(px(pic.left() + 5, pic.top() + pic.height() * 72 / 100), QColor(255, 255, 192));
    QCOMPARE(px(pic.right() - 5, pic.bottom() - 3), QColor(255, 255, 192));

    QTest::qWait(200);  // "second" has been decoded by now
    Picture(*content_, "second", 80, 60, Qt::yellow);
    Click(win_->PicWidget());
    QCOMPARE(m().Pic.PaintedName, std::string("second"));
    QCOMPARE(m().Pic.Painted->width, 80);
    const QImage shown = win_->PicWidget()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(shown.width() / 2, shown.height() / 4)), QColor(Qt::yellow));

    QTest::qWait(300);  // "detail" is decoded and scaled by now
    win_->resize(win_->width() + 120, win_->height() + 90);
    QTest::qWait(50);
    Click(win_->PicWidget());
    QCOMPARE(m().Pic.PaintedName, std::string("detail"));
    const QImage smooth =
        porukami::qt::ScaleForDrawing(Rgb32(QImage(detail)), DeviceSize(win_->PicWidget()));
    const auto top = [&] {  // the top half of the box: the picture alone, no text over it
      QImage shot = win_->PicWidget()->grab().toImage();
      shot.setDevicePixelRatio(1);  // compared pixel for pixel with the copy at device size
      return Rgb32(shot.copy(0, 0, shot.width(), shot.height() / 2));
    };
    const QImage smoothTop = smooth.copy(0, 0, smooth.width(), smooth.height() / 2);
    const double atOnce = MeanDifference(top(), smoothTop);
    QVERIFY2(atOnce > 0 && atOnce < 40, qPrintable(QString::number(atOnce)));
    QTest::qWait(porukami::qt::PictureWidget::kSettleMs + 200);
    QCOMPARE(top(), Rgb32(smoothTop));
  }

  // The game's labels draw their text exactly as a Qt label of plain text would, wrapped at the
  // same places, markup shown as written; drawn twice, laid out once, the same pixels again.
  void labelsDrawPlainTextAsQtLabelsDo() {
    const QString texts[] = {
        U("\nムルの月、一日。夜明けの丘の道。メイヒルは、大きな森のふもとの小さな"
          "村、ハルネ村にたどり着いた。\nこのひと月を、ここで暮らす。▼"),
        QStringLiteral("an_unbreakable_word_wider_than_the_label and words after it"),
        QStringLiteral("<b>not bold</b> &amp; as written"),
    };
    const auto draw = [](QLabel& l) {
      QImage shot(l.size(), QImage::Format_RGB32);
      shot.fill(Qt::white);
      l.render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
      return shot;
    };
    for (const QString& text : texts)
      for (const Qt::Alignment align :
           {Qt::AlignHCenter | Qt::AlignTop, Qt::AlignLeft | Qt::AlignTop})
        for (const int px : {16, 28}) {
          QFont f(QStringLiteral("IPAPGothic"));
          f.setBold(px == 28);
          f.setPixelSize(px);
          QLabel plain;
          plain.setTextFormat(Qt::PlainText);
          porukami::qt::ClickLabel game;
          for (QLabel* l : {&plain, static_cast<QLabel*>(&game)}) {
            l->setFont(f);
            l->setWordWrap(true);
            l->setAlignment(align);
            l->setText(text);
            l->resize(px * 14, px * 8);
          }
          const QImage first = draw(game);
          QVERIFY2(draw(plain) == first, qPrintable(text.left(12) + QString::number(px)));
          QCOMPARE(draw(game), first);
        }
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
