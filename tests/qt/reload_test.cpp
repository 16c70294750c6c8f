// F5 on the real window: the scene and the picture on screen are read again from disk.
#include <QImage>
#include <QTest>

#include "qt/window.h"
#include "support/fakes.h"

class ReloadTest : public QObject {
  Q_OBJECT

 private slots:
  void f5ReadsAgainWhatChanged_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("scene");  // the scene on screen; empty: the idle screen
    QTest::newRow("a visit's scene") << 0 << QString("bg") << QString("011");
    QTest::newRow("the forest, idle") << 3 << QString("mori") << QString();
  }

  void f5ReadsAgainWhatChanged() {
    QFETCH(int, command);
    QFETCH(QString, picture);
    QFETCH(QString, scene);
    porukami::testing::TempContent c;
    const auto solid = [&](const QString& name, QColor colour, int w) {
      QImage img(w, w * 3 / 4, QImage::Format_RGB32);
      img.fill(colour);
      QVERIFY(img.save(QString::fromStdString(c.dir().string()) + "/img/" + name + ".dat", "PNG"));
    };
    c.Catalogue(porukami::testing::DefaultCatalogue());
    for (const char* name : {"opn", "end", "moneyend"}) c.Scene(name, {"はい"});
    c.Scene("011", {">img bg", "まえの行"});
    solid("bg", Qt::red, 64);
    solid("mori", Qt::red, 64);
    porukami::testing::FakeRandom rnd;
    rnd.fallback = 0.5;  // a visit: cost 2000, gain 15, variant 1; the forest: three finds
    porukami::qt::GameWindow win(c.dir().string(), &rnd);
    QVERIFY(win.Load());
    win.resize(800, 600);
    win.show();
    QVERIFY(QTest::qWaitForWindowActive(&win));
    win.ActivateOnce();
    QTest::mouseClick(win.ComButton(command), Qt::LeftButton);
    const porukami::Frm& m = win.model();
    const auto [money, stats, items, found] =
        std::tuple(m.Money, m.Stats, m.Lst.Items, m.LblGame.Caption);
    const auto corner = [&] { return QColor(win.PicWidget()->grab().toImage().pixel(3, 3)); };
    QCOMPARE(corner(), QColor(Qt::red));

    solid(picture, Qt::blue, 80);
    if (!scene.isEmpty()) c.Scene(scene.toStdString(), {">img bg", "あとの行"});
    QTest::keyClick(&win, Qt::Key_F5);

    QCOMPARE(corner(), QColor(Qt::blue));
    QCOMPARE(m.Lbl.Visible, !scene.isEmpty());  // the scene again, or still the idle screen
    QVERIFY(scene.isEmpty() ? m.LblGame.Caption == found
                            : win.LblWidget()->text().contains(QString::fromUtf8("あとの行")));
    QCOMPARE(int(m.Day), 2);
    QCOMPARE(m.Money, money);
    QVERIFY(m.Stats == stats && m.Lst.Items == items);
  }
};

QTEST_MAIN(ReloadTest)
#include "reload_test.moc"
