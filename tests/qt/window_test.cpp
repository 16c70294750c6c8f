// The real window, offscreen: clicks, keys, ticks and what is drawn.
#include "qt/window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "qt/image.h"
#include "support/fakes.h"

using porukami::qt::GameWindow;
using porukami::qt::QtImage;

namespace {

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

// The mean difference of two pictures of the same size, per channel, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = Rgb32(a), y = Rgb32(b);
  if (x.size() != y.size()) return 255;
  double sum = 0;
  for (int j = 0; j < x.height(); ++j)
    for (int i = 0; i < x.width(); ++i)
      for (int s : {16, 8, 0})
        sum += std::abs(int(x.pixel(i, j) >> s & 255) - int(y.pixel(i, j) >> s & 255));
  return sum / (3.0 * x.width() * x.height());
}

// Closes the next modal message box with `button`, once it is open, and tells its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* seenText = nullptr) {
  QTimer::singleShot(50, [=] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        if (seenText) *seenText = box->text();
        return box->button(button)->click();
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
  QColor Centre() {
    const QImage shot = win_->PicWidget()->grab().toImage();
    return shot.pixel(shot.width() / 2, shot.height() / 4);
  }

 private slots:
  void init() {
    content_ = std::make_unique<porukami::testing::TempContent>();
    content_->Catalogue(porukami::testing::DefaultCatalogue());
    for (const char* s : {"opn", "end", "moneyend"}) content_->Scene(s, {"はじまり"});
    for (int visit = 0; visit < 300; ++visit)  // heroine, stage, variant
      if (visit / 10 % 10 <= 4)
        content_->Scene(std::to_string(visit + 1000).substr(1), {"こんにちは"});
    rnd_.queue.clear();
    rnd_.fallback = 0.0;
  }
  void cleanup() {
    win_.reset();
    content_.reset();
  }

  // The text timer, clicks and keys move the scene on; on the idle screen the keys do not open
  // the restart prompt, Tab follows the game's order, and a click on the picture asks first.
  void sceneMovesByTicksClicksAndKeys() {
    content_->Scene("opn",
                    {"一", "二", "三", "四", "五", "六", "七", ">p", "八", ">p", "九", ">p", "十"});
    Start();
    QVERIFY(Text().startsWith(QString::fromUtf8("\n一")));
    QTRY_VERIFY_WITH_TIMEOUT(Text().endsWith(QString::fromUtf8("五▼")), 3000);
    QVERIFY(!win_->TimSayTimer().isActive());
    QTest::mouseClick(win_->LblWidget(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Text().endsWith(QString::fromUtf8("七▼")), 3000);
    QVERIFY(Text().startsWith(QString::fromUtf8("\n六")));
    Click(win_->PicWidget());
    QVERIFY(Text().endsWith(QString::fromUtf8("八▼")));
    win_->PicWidget()->setFocus();
    QTest::keyClick(win_->PicWidget(), Qt::Key_Space);
    QVERIFY(Text().endsWith(QString::fromUtf8("九▼")));
    QTest::keyClick(win_->PicWidget(), Qt::Key_Return);
    QVERIFY(Text().endsWith(QString::fromUtf8("十▼")));
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
    QCOMPARE(seen, QString::fromUtf8("初期化しますか？"));
    QCOMPARE(int(m().Day), 3);
    AnswerNextBox(QMessageBox::Yes);
    Click(win_->LblGameWidget());
    QCOMPARE(int(m().Day), 1);
    QCOMPARE(m().OpenScene().value_or(""), std::string("opn"));
  }

  // Selling at home, a gift and its bar, then the rest of the month by clicks.
  void aMonthByClicks() {
    Start();
    rnd_.queue = {0.5, 0.5, 0.0, 0.0};  // one request for 銀の指輪 (index 3), 1 money, kind 0
    QTest::mouseClick(win_->ComButton(4), Qt::LeftButton);
    QVERIFY(win_->PicSakaWidget()->isVisible());
    QListWidget *irai = win_->LstIraiWidget(), *lst = win_->LstWidget();
    QCOMPARE(irai->count(), 1);
    QCOMPARE(irai->item(0)->text(), QString::fromUtf8("銀の指輪が欲しいです、代金は\\1で"));
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
    QCOMPARE(win_->LblGameWidget()->text(),
             QString::fromUtf8("アイテムを売りました！　￥10手に入れました"));
    // A rare item for heroine 0: 銀の指輪 names her stat 2.
    Pick(lst, 0);
    QCOMPARE(m().Lst.ListIndex, 0);
    rnd_.queue = {0.99, 0.0};  // gain 39 on stat 2, nothing on stat 3
    QTest::mouseClick(win_->ComStrButton(0), Qt::LeftButton);
    QCOMPARE(int(m().Stats[0][2]), 39);
    QCOMPARE(lst->count(), 0);
    const int full = win_->PicStrWidget()->width() * 100 / 150;
    QVERIFY2(std::abs(win_->BarWidget(2)->width() - full * 39 / 100) <= 2,
             qPrintable(QString::number(win_->BarWidget(2)->width())));
    QVERIFY(!win_->BarWidget(0)->isVisible());  // a stat of 0 draws nothing
    QCOMPARE(win_->LblGameWidget()->text(), QString::fromUtf8("ラテゥに銀の指輪をそっとあげたよ"));
    for (int day = m().Day; day < 28; ++day) QTest::mouseClick(win_->ComButton(4), Qt::LeftButton);
    QVERIFY(!win_->ComButton(3)->isVisible() && !win_->ComButton(4)->isVisible());
    QVERIFY(win_->ComButton(0)->isVisible());
    QCOMPARE(win_->LblDayWidget()->text(), QString::fromUtf8("ムルの月 28日  \\%1").arg(m().Money));
    rnd_.fallback = 0.0;  // three visits, 1000 each, end the month: every command disappears
    for (int i = 0; i < 3; ++i) QTest::mouseClick(win_->ComButton(i), Qt::LeftButton);
    QCOMPARE(int(m().Day), 31);
    for (int i = 0; i < 5; ++i) QVERIFY(!win_->ComButton(i)->isVisible());
    QCOMPARE(m().OpenScene().value_or(""), std::string("end"));
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
    QVERIFY2(std::abs(frame.width() * 3 - frame.height() * 4) <= 8,
             qPrintable(QString::number(frame.width())));
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
    QCOMPARE(Centre(), QColor(Qt::yellow));

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

  // A picture hinted for a box whose size is known comes with its smooth copy for that size, the
  // one the box would make itself; one hinted before the layout is scaled once the window knows
  // its size; for a box of the picture's own size, none is made.
  void picturesHintedForABoxAreScaledAheadToIt() {
    const std::string path = Picture(*content_, "detail", 300, 200).toStdString();
    const auto load = [&](const porukami::PictureBox* box) {
      if (box) win_->host().PrefetchPicture(path, *box);
      return std::dynamic_pointer_cast<const QtImage>(win_->host().LoadPicture(path));
    };
    win_ = std::make_unique<GameWindow>(content_->dir().string(), &rnd_);  // not laid out yet
    auto early = load(&m().Pic);                                           // decoded ahead only
    QVERIFY(early && early->AheadSize().isEmpty());
    win_.reset();
    win_ = std::make_unique<GameWindow>(content_->dir().string(), &rnd_);
    win_->host().PrefetchPicture(path, m().Pic);
    QVERIFY(win_->Load());
    auto late = load(nullptr);
    QVERIFY(late && !late->AheadSize().isEmpty());

    Start();
    const QSize box = DeviceSize(win_->PicWidget()), face = DeviceSize(win_->PicKaoWidget());
    auto background = load(&m().Pic);
    QVERIFY(background);
    QCOMPARE(background->AheadSize(), box);
    QCOMPARE(
        Rgb32(background->ScaledTo(box)),
        Rgb32(porukami::qt::ScaleForDrawing(Rgb32(QImage(QString::fromStdString(path))), box)));
    QVERIFY(background->AheadSize().isEmpty());  // taken
    auto onFace = load(&m().PicKao);
    QVERIFY(onFace && face != box);
    QCOMPARE(onFace->AheadSize(), face);
    const std::string own = Picture(*content_, "own", face.width(), face.height()).toStdString();
    win_->host().PrefetchPicture(own, m().PicKao);
    auto ownSize = std::dynamic_pointer_cast<const QtImage>(win_->host().LoadPicture(own));
    QVERIFY(ownSize);
    QCOMPARE(ownSize->ScaledTo(face).size(), face);
    QCOMPARE(ownSize->ScaledTo(face).constBits(), ownSize->image.constBits());  // no copy
  }

  // The game's labels draw their text exactly as a Qt label of plain text would, wrapped at the
  // same places, markup shown as written; drawn twice, laid out once, the same pixels again.
  void labelsDrawPlainTextAsQtLabelsDo() {
    const QString texts[] = {
        QString::fromUtf8("\nムルの月、一日。夜明けの丘の道。メイヒルは、大きな森のふもとの小さな"
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

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  WindowTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "window_test.moc"
