// The real window, offscreen, played by a monkey: clicks at random points of the window and on
// random controls that are shown, ticks of the text timer, typing a name, resizes from tiny to
// twice the screen, maximising and restoring. Message boxes and the pop-up menu are answered by
// a timer that runs inside their own event loops. Nothing may crash, Qt may not warn, and the
// resident memory must settle: what it grows between the first quarter of the events and the end
// stays within a margin. PORUKAMI_MONKEY_EVENTS sets the number of events (default 20000).
#include <gtest/gtest.h>
#include <malloc.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "monkey/invariants.h"
#include "qt/window.h"
#include "support/fakes.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;

std::mutex g_warningsMutex;
std::vector<std::string> g_warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  // The offscreen platform cannot size hints, raise, or grab the keyboard for a pop-up menu,
  // and says so; that is the test platform speaking, not the game.
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  const std::lock_guard lock(g_warningsMutex);
  g_warnings.push_back(message.toStdString());
}

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return (v && *v) ? std::strtol(v, nullptr, 10) : fallback;
}

long ResidentKiB() {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("VmRSS:")) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

void SavePicture(const fs::path& path, QColor colour, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  fs::create_directories(path.parent_path());
  ASSERT_TRUE(img.save(QString::fromStdString(path.string()), "PNG"));
}

// A small game with real pictures, and holes: some visits, a forest scene and a face missing, a
// truncated picture, an ending that writes a page and one that cannot.
void WriteContent(testing::TempContent& c) {
  c.Catalogue(testing::DefaultCatalogue());
  c.Scene("opn", {">img cut", ">img opn", ">fce 1", "はじまり", "-mさん", ">fcn", ">p", "一", "二",
                  "三", "四", "五", "六", "七", ">img cut", "おしまい"});
  for (int h = 0; h < 3; ++h)
    for (int stage = 1; stage <= 5; ++stage)
      for (int v = 0; v < 3; ++v)
        if ((h + stage + v) % 4 != 0)
          c.Scene(std::to_string(h) + std::to_string(stage) + std::to_string(v),
                  {">img town", ">fce " + std::to_string(h + 1), "こんにちは", "--2", "あ", "い",
                   ">fce 9", "う"});
  for (int h = 0; h < 3; ++h) c.Scene(std::to_string(h) + "6", {"おわり", ">end"});
  c.Scene("mori_0", {">img mori", "森", ">ive mori_1"});
  c.Scene("mori_1", {"森の奥"});
  c.Scene("ive0", {"森の出来事", ">htm 1,モンキー", ">htm 2,../外"});
  c.Scene("end", {"ひと月", ">htm 0,モンキー", ">end"});
  c.Scene("moneyend", {"おかねがない", ">end"});
  c.Raw("txt/head.dat", "<html>\r\n");
  c.Raw("txt/foot.dat", "</html>\r\n");
  SavePicture(c.dir() / "img" / "opn.dat", QColor(200, 220, 255), 640, 480);
  SavePicture(c.dir() / "img" / "town.dat", QColor(220, 200, 160), 320, 240);
  SavePicture(c.dir() / "img" / "mori.dat", QColor(40, 160, 60), 1024, 768);
  for (int k = 1; k <= 3; ++k)
    SavePicture(c.dir() / "img" / ("face_" + std::to_string(k) + ".dat"), QColor(250, 200, 200), 81,
                81);
  // A picture cut off half-way, as an interrupted copy leaves it.
  SavePicture(c.dir() / "img" / "cut.dat", QColor(0, 0, 255), 640, 480);
  fs::resize_file(c.dir() / "img" / "cut.dat", fs::file_size(c.dir() / "img" / "cut.dat") / 2);
}

void CopyDemo(const fs::path& from, const fs::path& to) {
  for (const char* part : {"txt", "img"})
    fs::copy(from / part, to / part,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  if (fs::exists(from / "bgm.mid")) fs::copy_file(from / "bgm.mid", to / "bgm.mid");
}

class Monkey {
 public:
  Monkey(qt::GameWindow& win, unsigned seed) : win_(win), rnd_(seed) {
    // Answers whatever modal thing is open; it runs inside the box's or the menu's event loop.
    answerer_.setInterval(1);
    QObject::connect(&answerer_, &QTimer::timeout, [this] { Answer(); });
    answerer_.start();
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rnd_); }

  void Event() {
    switch (Pick(12)) {
      case 0:
      case 1:
      case 2:
      case 3:
        ClickAtRandomPoint();
        break;
      case 4:
      case 5:
      case 6:
        ClickRandomControl();
        break;
      case 7:
      case 8:
        Tick();
        break;
      case 9:
        SelectRow(Pick(2) ? win_.LstWidget() : win_.LstIraiWidget());
        break;
      case 10:
        Resize();
        break;
      default:
        Type();
        break;
    }
    QCoreApplication::processEvents();
  }

  long boxes = 0, menus = 0, picks = 0;

 private:
  void Click(QWidget* w, QPoint at) {
    if (!w || !w->isVisible()) return;
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
  }

  void ClickAtRandomPoint() {
    const QPoint p(Pick(std::max(1, win_.width())), Pick(std::max(1, win_.height())));
    QWidget* w = win_.childAt(p);
    if (!w) w = &win_;
    Click(w, w->mapFrom(&win_, p));
  }

  void ClickRandomControl() {
    std::vector<QWidget*> all;
    for (int i = 0; i < Frm::kComCount; ++i) all.push_back(win_.ComButton(i));
    for (int i = 0; i < 2; ++i) all.push_back(win_.ComLstButton(i));
    for (int i = 0; i < Frm::kHeroines; ++i) all.push_back(win_.ComStrButton(i));
    all.push_back(win_.MenuComButton());
    all.push_back(win_.LblWidget());
    all.push_back(win_.LblGameWidget());
    all.push_back(win_.PicWidget());
    QWidget* w = all[static_cast<std::size_t>(Pick(static_cast<int>(all.size())))];
    if (w->width() > 0 && w->height() > 0) Click(w, QPoint(Pick(w->width()), Pick(w->height())));
  }

  void Tick() {
    QTimer& t = win_.TimSayTimer();
    if (Pick(4) == 0) {
      QTest::qWait(Pick(3) + 1);  // let the timer fire by itself
    } else if (t.isActive()) {
      QMetaObject::invokeMethod(&t, "timeout", Qt::DirectConnection);
    }
  }

  void SelectRow(QListWidget* list) {
    if (!list->isVisible() || list->count() == 0) return;
    QListWidgetItem* item = list->item(Pick(list->count()));
    list->scrollToItem(item);
    const QRect r = list->visualItemRect(item);
    if (r.isEmpty()) return;
    Click(list->viewport(), r.center());
  }

  void Resize() {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    switch (Pick(8)) {
      case 0:
        win_.resize(Pick(40) + 1, Pick(40) + 1);
        break;
      case 1:
        win_.showMaximized();
        break;
      case 2:
        win_.showNormal();
        break;
      default:
        win_.resize(Pick(screen.width() * 2) + 1, Pick(screen.height() * 2) + 1);
        break;
    }
  }

  void Type() {
    static const char* kTexts[] = {"メイヒル", "-m", "名前が長すぎる名前", "", "a\\b", "𠮷野家"};
    QLineEdit* box = win_.TxtNameWidget();
    if (Pick(2)) {
      box->setText(QString::fromUtf8(kTexts[Pick(6)]));
    } else if (box->isVisible()) {
      // Typed key by key; each key event carries its text, as an input method delivers it.
      for (const QChar c : QString::fromUtf8(kTexts[Pick(6)])) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
      }
      QTest::keyClick(box, Qt::Key_Backspace);
    }
  }

  void Answer() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      if (auto* menu = qobject_cast<QMenu*>(popup)) {
        ++menus;
        AnswerMenu(menu);
        return;
      }
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        ++boxes;
        const QList<QAbstractButton*> buttons = box->buttons();
        if (!buttons.isEmpty()) buttons[Pick(static_cast<int>(buttons.size()))]->click();
        return;
      }
    }
  }

  void AnswerMenu(QMenu* menu) {
    if (Pick(5) == 0) {
      QTest::keyClick(menu, Qt::Key_Escape);
      return;
    }
    const QList<QAction*> actions = menu->actions();
    if (actions.isEmpty()) return;
    QAction* a = actions[Pick(static_cast<int>(actions.size()))];
    menu->setActiveAction(a);
    if (a->menu()) {
      QTest::keyClick(menu, Qt::Key_Right);
    } else {
      ++picks;
      QTest::keyClick(menu, Qt::Key_Return);
    }
  }

  qt::GameWindow& win_;
  std::mt19937 rnd_;
  QTimer answerer_;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

class WindowMonkey : public ::testing::Test {
 protected:
  void Play(const fs::path& dir) {
    const long count = EnvNumber("PORUKAMI_MONKEY_EVENTS", 20000);
    const auto seed = static_cast<unsigned>(EnvNumber("PORUKAMI_MONKEY_SEED", 1));
    {
      const std::lock_guard lock(g_warningsMutex);
      g_warnings.clear();
    }
    qt::GameWindow win(dir.string());
    ASSERT_TRUE(win.Load());
    win.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&win));
    win.ActivateOnce();
    Monkey monkey(win, seed);
    // Resident memory is compared at the same window size, with freed memory handed back, so
    // that only what stays allocated counts.
    auto settledKiB = [&win] {
      win.showNormal();
      win.resize(800, 600);
      QCoreApplication::processEvents();
      ::malloc_trim(0);
      return ResidentKiB();
    };
    long quarter = -1;
    std::string trace;
    // Descriptors are counted from a quarter on: what the window makes once, when first needed
    // (the picture decoder's thread and its wake-up descriptor, the icon), is made by then.
    int fds = -1;
    for (long i = 0; i < count; ++i) {
      monkey.Event();
      if (i + 1 == std::max(count / 4, 1L)) {
        quarter = settledKiB();
        fds = monkey::OpenFileDescriptors();
      }
      if ((i + 1) % (count / 10 > 0 ? count / 10 : 1) == 0)
        trace += " " + std::to_string(settledKiB() / 1024);
      if (i % 500 == 0) {
        const std::string broken = monkey::BrokenRule(win.model());
        ASSERT_EQ(broken, "") << "after event " << i;
      }
    }
    const long end = settledKiB();
    EXPECT_EQ(monkey::OpenFileDescriptors(), fds);
    std::printf(
        "[ monkey ] %ld events, %ld message boxes and %ld menus answered (%ld picks); resident "
        "%ld KiB after a quarter, %ld KiB at the end (MiB by tenths:%s)\n",
        count, monkey.boxes, monkey.menus, monkey.picks, quarter, end, trace.c_str());
    win.close();
    // Memory settles: after the caches have filled, a whole run adds little more. Under
    // AddressSanitizer freed memory waits in its quarantine (up to 256 MB), so the resident size
    // says nothing of growth there; its own checks stand in.
    if (quarter > 0 && !kUnderAddressSanitizer) {
      EXPECT_LT(end - quarter, 24 * 1024) << "resident memory keeps growing";
    }
    const std::lock_guard lock(g_warningsMutex);
    const std::set<std::string> distinct(g_warnings.begin(), g_warnings.end());
    for (const std::string& w : distinct) ADD_FAILURE() << "Qt warning: " << w;
  }
};

TEST_F(WindowMonkey, OnBrokenContent) {
  testing::TempContent content;
  WriteContent(content);
  Play(content.dir());
}

TEST_F(WindowMonkey, OnTheDemoContent) {
  const char* env = std::getenv("PORUKAMI_APP_DIR");
  const fs::path demo = (env && *env) ? fs::path(env) : fs::path(PORUKAMI_DEMO_DIR);
  if (!fs::exists(demo / "txt" / "item.dat") || !fs::exists(demo / "txt" / "opn.dat"))
    GTEST_SKIP() << "no demo content in " << demo << " (build porukami_content first)";
  testing::TempContent copy;
  CopyDemo(demo, copy.dir());
  Play(copy.dir());
}

}  // namespace
}  // namespace porukami

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  if (qgetenv("PORUKAMI_AUDIO_DRIVER").isEmpty()) qputenv("PORUKAMI_AUDIO_DRIVER", "none");
  if (qgetenv("PORUKAMI_SOUNDFONT").isEmpty()) qputenv("PORUKAMI_SOUNDFONT", "/nonexistent");
  qInstallMessageHandler(porukami::CollectWarnings);
  QApplication app(argc, argv);
  porukami::qt::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
