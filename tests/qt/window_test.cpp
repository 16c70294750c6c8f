// The real window, offscreen: clicks, ticks and what is drawn.
#include "qt/window.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "qt/image.h"
#include "support/fakes.h"

using porukami::Frm;
using porukami::qt::GameWindow;
using porukami::testing::FakeRandom;
using porukami::testing::TempContent;

namespace {

QString ImgPath(const TempContent& c, const std::string& name) {
  return QString::fromStdString((c.dir() / "img" / (name + ".dat")).string());
}

// The size of a widget in device pixels, as the picture boxes reckon it.
QSize DeviceSize(const QWidget* w) {
  const qreal dpr = w->devicePixelRatioF();
  return {qRound(w->width() * dpr), qRound(w->height() * dpr)};
}

void SolidPicture(TempContent& c, const std::string& name, QColor colour, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  const QString path = ImgPath(c, name);
  QVERIFY(img.save(path, "PNG"));
}

// A picture whose smooth and unsmoothed copies differ: gradients with fine detail.
QString DetailedPicture(TempContent& c, const std::string& name, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x ^ y) & 255));
  }
  const QString path = ImgPath(c, name);
  if (!img.save(path, "PNG")) return {};
  return path;
}

QImage Rgb32(const QImage& i) {
  return i.convertToFormat(QImage::Format_RGB32);
}

// The mean difference of two pictures of the same size, per channel, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = Rgb32(a), y = Rgb32(b);
  if (x.size() != y.size()) return 255;
  double sum = 0;
  for (int j = 0; j < x.height(); ++j) {
    for (int i = 0; i < x.width(); ++i) {
      const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * x.width() * x.height());
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

  // A picture hinted for a box whose size is known comes with its smooth copy for that size, the
  // same copy the box would have made itself; before the layout, and for a box of the picture's
  // own size, none is made.
  void picturesHintedForABoxAreScaledAheadToIt() {
    SolidPicture(*content_, "red", QColor(255, 0, 0), 64, 48);
    content_->Scene("opn", {">img red", "文"});
    const QString path = DetailedPicture(*content_, "detail", 300, 200);
    QVERIFY(!path.isEmpty());
    const std::string native = path.toStdString();
    using porukami::qt::QtImage;
    const auto load = [&](const porukami::PictureBox& box) {
      win_->host().PrefetchPicture(native, box);
      return std::dynamic_pointer_cast<const QtImage>(win_->host().LoadPicture(native));
    };

    win_ = std::make_unique<GameWindow>(content_->dir().string(), &rnd_);
    auto early = load(m().Pic);  // not laid out yet: decoded ahead only
    QVERIFY(early);
    QVERIFY(early->AheadSize().isEmpty());
    win_.reset();

    // Hinted before the layout and loaded after it: scaled once the window knew its size.
    win_ = std::make_unique<GameWindow>(content_->dir().string(), &rnd_);
    win_->host().PrefetchPicture(native, m().Pic);
    QVERIFY(win_->Load());
    auto late = std::dynamic_pointer_cast<const QtImage>(win_->host().LoadPicture(native));
    QVERIFY(late);
    QVERIFY(!late->AheadSize().isEmpty());
    win_.reset();

    Start();
    const QSize box = DeviceSize(win_->PicWidget());
    auto background = load(m().Pic);
    QVERIFY(background);
    QCOMPARE(background->AheadSize(), box);
    QCOMPARE(Rgb32(background->ScaledTo(box)),
             Rgb32(porukami::qt::ScaleForDrawing(QImage(path).convertToFormat(QImage::Format_RGB32),
                                                 box)));
    QVERIFY(background->AheadSize().isEmpty());  // taken

    const QSize face = win_->PicKaoWidget()->PictureSize();
    auto onFace = load(m().PicKao);
    QVERIFY(onFace);
    QCOMPARE(onFace->AheadSize(), face);
    QVERIFY(face != box);

    const QString own = DetailedPicture(*content_, "own", face.width(), face.height());
    win_->host().PrefetchPicture(own.toStdString(), m().PicKao);
    auto ownSize =
        std::dynamic_pointer_cast<const QtImage>(win_->host().LoadPicture(own.toStdString()));
    QVERIFY(ownSize);
    QCOMPARE(ownSize->ScaledTo(face).size(), face);
    QCOMPARE(ownSize->ScaledTo(face).constBits(), ownSize->image.constBits());  // no copy
  }

  // A picture scaled ahead for a box that has since changed size is drawn at once, stretched,
  // and smooth at the new size once the size has held.
  void pictureScaledAheadForAnOldSizeIsSmoothOnceTheSizeHolds() {
    SolidPicture(*content_, "red", QColor(255, 0, 0), 64, 48);
    const QString path = DetailedPicture(*content_, "detail", 300, 200);
    QVERIFY(!path.isEmpty());
    content_->Scene("opn", {">img red", "一", ">img detail", "二"});
    Start();
    win_->Run([&] { m().menu_tim_Click_Click(0); });  // each line waits for a click
    QTest::qWait(300);                                // "detail" is decoded and scaled by now
    win_->resize(win_->width() + 120, win_->height() + 90);
    QTest::qWait(50);
    QTest::mouseClick(win_->PicWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m().Pic.PaintedName, std::string("detail"));

    const QSize box = DeviceSize(win_->PicWidget());
    const QImage smooth = porukami::qt::ScaleForDrawing(Rgb32(QImage(path)), box);
    // The top half of the box: the picture alone, no text over it.
    const auto top = [&] {
      QImage shot = win_->PicWidget()->grab().toImage();
      shot.setDevicePixelRatio(1);  // compared pixel for pixel with the copy at device size
      return shot.copy(0, 0, shot.width(), shot.height() / 2);
    };
    const QImage smoothTop = smooth.copy(0, 0, smooth.width(), smooth.height() / 2);
    const double atOnce = MeanDifference(top(), smoothTop);
    QVERIFY2(atOnce > 0 && atOnce < 40, qPrintable(QString::number(atOnce)));
    QTest::qWait(porukami::qt::PictureWidget::kSettleMs + 200);
    QCOMPARE(Rgb32(top()), Rgb32(smoothTop));
  }

  // The game's labels draw their text exactly as a Qt label of plain text would, wrapped at the
  // same places, and show markup as written.
  void labelsDrawPlainTextAsQtLabelsDo() {
    const QString texts[] = {
        QString::fromUtf8("\nムルの月、一日。夜明けの丘の道。メイヒルは、大きな森のふもとの小さな"
                          "村、ハルネ村にたどり着いた。\nこのひと月を、ここで暮らす。▼"),
        QStringLiteral("an_unbreakable_word_wider_than_the_label and words after it"),
        QStringLiteral("<b>not bold</b> &amp; as written"),
    };
    for (const QString& text : texts) {
      for (const Qt::Alignment align :
           {Qt::AlignHCenter | Qt::AlignTop, Qt::AlignLeft | Qt::AlignTop}) {
        for (const int px : {16, 28}) {
          QFont f(QStringLiteral("IPAPGothic"));
          f.setBold(px == 28);
          f.setPixelSize(px);
          QLabel plain;
          plain.setTextFormat(Qt::PlainText);
          porukami::qt::ClickLabel game;
          QImage shots[2];
          int i = 0;
          for (QLabel* l : {&plain, static_cast<QLabel*>(&game)}) {
            l->setFont(f);
            l->setWordWrap(true);
            l->setAlignment(align);
            l->setText(text);
            l->resize(px * 14, px * 8);
            shots[i] = QImage(l->size(), QImage::Format_RGB32);
            shots[i].fill(Qt::white);
            l->render(&shots[i], QPoint(), QRegion(), QWidget::RenderFlags());
            ++i;
          }
          QVERIFY2(shots[0] == shots[1], qPrintable(text.left(12) + QString::number(px)));
        }
      }
    }
    // Drawn twice, laid out once: the same pixels again.
    porukami::qt::ClickLabel again;
    again.setWordWrap(true);
    again.setText(texts[0]);
    again.resize(300, 200);
    QImage first(again.size(), QImage::Format_RGB32), second(again.size(), QImage::Format_RGB32);
    first.fill(Qt::white);
    second.fill(Qt::white);
    again.render(&first, QPoint(), QRegion(), QWidget::RenderFlags());
    again.render(&second, QPoint(), QRegion(), QWidget::RenderFlags());
    QCOMPARE(first, second);
    QImage blank(first.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QVERIFY(first != blank);
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
