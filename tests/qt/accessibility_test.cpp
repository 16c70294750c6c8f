// The window as assistive technology asks for it, through Qt's accessibility interfaces.
#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "qt/window.h"
#include "support/fakes.h"

using porukami::Frm;

class AccessibilityTest : public QObject {
  Q_OBJECT
  porukami::testing::TempContent content_;
  porukami::testing::FakeRandom rnd_;
  std::unique_ptr<porukami::qt::GameWindow> win_;
  Frm& m() { return win_->model(); }

 private slots:
  void init() {
    content_.Catalogue(porukami::testing::DefaultCatalogue());
    content_.Scene("opn", {"一", ">p", "二"});
    content_.Scene("010", {"こんにちは", ">p", "またね"});
    win_ = std::make_unique<porukami::qt::GameWindow>(content_.dir().string(), &rnd_);
    QVERIFY(win_->Load());
    win_->show();
    QVERIFY(QTest::qWaitForWindowActive(win_.get()));
    win_->ActivateOnce();
  }
  void cleanup() { win_.reset(); }

  void barsAreNamedProgressBarsWithTheModelsStats() {
    const int changes[][3] = {{0, 0, 37}, {0, 3, 120}, {1, 1, 12}, {2, 2, 64}};
    for (const auto& c : changes) win_->Run([&] { m().AddStat(c[0], c[1], c[2]); });
    const char* stats[] = {"陽だまり", "ときめき", "やすらぎ", "親しさ"};
    for (int i = 0; i < Frm::kBars; ++i) {
      QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(win_->BarWidget(i));
      QCOMPARE(bar->role(), QAccessible::ProgressBar);
      QCOMPARE(bar->text(QAccessible::Name),
               QString::fromStdString(m().HeroineNames[i / 4] + " " + stats[i % 4]));
      QCOMPARE(bar->valueInterface()->currentValue().toInt(), int(m().Stats[i / 4][i % 4]));
      QVERIFY(!bar->state().invisible);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(win_->BarWidget(3))
                 ->valueInterface()
                 ->currentValue()
                 .toInt(),
             100);
  }

  // A day command pressed with Space during a scene starts another; Space then reads it on.
  void aSceneStartedByAKeyTakesTheKeyboard() {
    win_->ComButton(0)->setFocus();
    QTest::keyClick(win_->ComButton(0), Qt::Key_Space);
    QCOMPARE(int(m().Day), 2);
    QCOMPARE(QApplication::focusWidget(), win_->PicWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(int(m().Day), 2);
    QVERIFY(m().Lbl.Caption.ends_with("またね▼"));
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
