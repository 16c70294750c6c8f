// Bad content and bad luck the game must survive with a clear message or a quiet skip, never a
// crash, a hang or a damaged file: the rows of docs/robustness.md that no other test shows.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "monkey/monkey.h"
#include "qt/image.h"
#include "sound/mci.h"
#include "text/cp932.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;

class Robustness : public ::testing::Test {
 protected:
  Robustness() {
    for (const char* s : {"end", "moneyend", "mori_0", "ive0"}) g.content.Scene(s, {s});
    g.content.Picture("face_1", 81, 81);
    g.content.Picture("mori");
  }
  Frm& frm() { return *g.frm; }
  // One message, naming `part`, and the game's rules hold.
  void ExpectMessage(const std::string& part) {
    ASSERT_EQ(g.host.messages.size(), 1u);
    EXPECT_NE(g.host.messages[0].find(part), std::string::npos) << g.host.messages[0];
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
  }
  // The idle screen with no scene open; the day command still ends the day.
  void ExpectIdleAndTheDayGoesOn() {
    EXPECT_TRUE(!frm().Lbl.Visible && frm().LblGame.Visible && !frm().OpenScene());
    g.rnd.queue = {0.0};
    frm().Com_Click(4);
    EXPECT_EQ(frm().Day, 2);
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
  }
  testing::Game g;
};

// A scene file (a folder when `bytes` is empty) started, then ticked ('t') or clicked ('c'): the
// page after each step, and the one message ("" for none; "%" stands for the scene folder). A
// case without pages is stopped at the idle screen.
TEST_F(Robustness, ScenesThatCannotBeReadOrUsedAreReportedOrSkipped) {
  const auto Cp = [](const std::string& utf8) { return *text::Utf8ToCp932(utf8); };
  using Case =
      std::tuple<std::string, std::string, std::string, std::vector<std::string>, std::string>;
  std::vector<Case> cases = {
      {"bad",
       Cp("一行目\r\n") + "\x81\x20" + Cp("の後\r\n"),
       "t",
       {"\r\n一行目\r\n\xEF\xBF\xBD の後▼"},
       "場面ファイル「%bad.dat」の 2 行目"},
      {"lf", Cp("一\n二\n三"), "tt", {"\r\n一\r\n二", "\r\n一\r\n二\r\n三▼"}, ""},
      {"dir", "", "", {}, "%dir.dat"}};
  // Run-ahead without a number runs nothing (the last: a wide 3).
  for (const std::string bad : {"--", "--x", "-- ", "--\xEF\xBC\x93"})
    cases.push_back({"ra", Cp("A\r\n" + bad + "\r\nB\r\n"), "tt", {"\r\nA", "\r\nA\r\nB▼"}, ""});
  // A hand-over to no name is a missing scene.
  for (const std::string line : {">ive ", ">ive", ">ive\xE3\x80\x80"})
    cases.push_back({"go", Cp("A\r\n" + line + "\r\n"), "c", {}, "%.dat"});
  ASSERT_TRUE(g.Load());
  for (auto& [name, bytes, steps, pages, message] : cases) {
    SCOPED_TRACE(bytes);
    if (bytes.empty()) fs::create_directories(g.content.dir() / "txt" / (name + ".dat"));
    if (!bytes.empty()) g.content.Raw("txt/" + name + ".dat", bytes);
    g.host.messages.clear();
    frm().StartScene(name);
    std::vector<std::string> seen;
    for (const char step : steps) {
      step == 't' ? frm().TimSay_Timer() : frm().Lbl_Click();
      seen.push_back(frm().Lbl.Caption);
    }
    seen.resize(pages.size());
    EXPECT_EQ(seen, pages);
    EXPECT_EQ(g.host.messages.size(), message.empty() ? 0u : 1u);
    if (!message.empty()) ExpectMessage(message.replace(message.find('%'), 1, frm().TxtDir));
    EXPECT_TRUE(!pages.empty() ||
                (!frm().Lbl.Visible && frm().LblGame.Visible && !frm().OpenScene()));
  }
}

// The opening missing, or ending at once without a line shown (a loop stopped after 64 scenes).
TEST_F(Robustness, OpeningMissingOrEndingAtOnceIsReportedAndPlayGoesOn) {
  ASSERT_TRUE(g.Load(false));
  fs::remove(g.content.dir() / "txt" / "opn.dat");
  frm().Form_Activate();
  ExpectMessage(frm().TxtDir + "opn.dat");
  ExpectIdleAndTheDayGoesOn();
  g.content.Scene("opn", {">end"});
  g.host.messages.clear();
  ASSERT_TRUE(g.Load());
  ExpectMessage(frm().TxtDir + "opn.dat");
  EXPECT_TRUE(frm().Day == 1 && frm().Money == 10000);
  ExpectIdleAndTheDayGoesOn();
}

// A missing "moneyend" leaves the day commands disabled, a missing "end" hidden; the restart
// prompt brings them back with a new game.
TEST_F(Robustness, MissingEndingsLeaveOnlyTheRestartPrompt) {
  using Case =
      std::tuple<std::string, std::uint8_t, std::int32_t, bool Control::*, void (Frm::*)()>;
  for (const auto& [scene, days, amount, held, restart] :
       {Case{"moneyend", 0, -10050, &Control::Enabled, &Frm::Pic_Click},
        Case{"end", 30, 0, &Control::Visible, &Frm::LblGame_Click}}) {
    g.host.messages.clear();
    fs::remove(g.content.dir() / "txt" / (scene + ".dat"));
    ASSERT_TRUE(g.Load());
    frm().AdvanceDay(days, amount);
    ExpectMessage(frm().TxtDir + scene + ".dat");
    EXPECT_TRUE(!frm().Lbl.Visible && frm().LblGame.Visible && !frm().OpenScene());
    for (const auto& com : frm().Com) EXPECT_FALSE(com.*held) << scene;
    g.host.yesNoAnswers = {true};
    (frm().*restart)();
    EXPECT_TRUE(frm().Day == 1 && frm().Money == 10000);
    for (const auto& com : frm().Com) EXPECT_TRUE(com.Enabled && com.Visible) << scene;
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
  }
}

TEST_F(Robustness, FaceWithoutItsCharacterLeavesTheFaceBoxBlank) {
  g.content.Scene("fce", {">fce 1", "A", ">fce", "B"});
  ASSERT_TRUE(g.Load());
  g.host.messages.clear();
  frm().StartScene("fce");
  EXPECT_TRUE(frm().PicKao.Visible && frm().PicKao.PaintedName == "face_1");
  frm().TimSay_Timer();
  EXPECT_EQ(frm().PicKao.Painted, nullptr);
  EXPECT_EQ(frm().Lbl.Caption, "\r\nA\r\nB▼");
  EXPECT_TRUE(g.host.messages.empty());
  EXPECT_EQ(g.host.loadedPictures.back(), (g.content.dir() / "img" / "face_.dat").string());
}

TEST_F(Robustness, CatalogueThatIsAFolderStopsStartUpWithAMessage) {
  fs::create_directories(g.content.dir() / "txt" / "item.dat");
  EXPECT_FALSE(g.Load());
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("item.dat"), std::string::npos) << g.host.messages[0];
}

TEST_F(Robustness, TwoShortLinesWithHugeNumbersAndStatIndexesOutOfRangeLastAMonth) {
  g.content.Catalogue({"石ころ,99999999999999999999,7,-1,2", "短い"});
  ASSERT_TRUE(g.Load());
  for (int day = 0; day < 26; ++day) {
    g.rnd.queue = {0.99, 0.5, 0.5, 0.0, 0.5, 0.99, 0.5, 0.99, 0.5, 0.3, 0.5};
    frm().Com_Click(day % 2 ? 3 : 4);
    for (int i = frm().Lst.ListCount() - 1; i >= 0; --i) {
      frm().Lst.ListIndex = i;
      if (i % 2) frm().ComStr_Click(i % 3);
      if (i % 2 == 0 && frm().PicSaka.Visible) frm().ComLst_Click(1);
      EXPECT_EQ(monkey::BrokenRule(frm()), "");
    }
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
  }
}

// A front end may report any height (the terminal tool takes it from its input); the font size
// computed from it must stay a sensible positive number rather than overflow.
TEST_F(Robustness, HeightBeyondAnyScreenStillGivesAPositiveFontSize) {
  ASSERT_TRUE(g.Load());
  for (const double height : {2.5e8, 2.2e12, 1e15, 1e300}) {
    frm().Height = height;
    frm().Form_Resize();
    EXPECT_GE(frm().FontBase(), 3) << height;
    EXPECT_EQ(frm().ComStr[1].Caption, "ヒョウ") << height;
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
  }
}

// A device that refuses the file, as the synthesiser's device does for a bgm.mid that is not MIDI:
// it is asked once, and then nothing but the query is sent.
struct RefusingDevice : MciDevice {
  std::vector<std::string> commands;
  std::uint32_t SendString(const std::string& command, char*, std::uint32_t) override {
    commands.push_back(command);
    return command.starts_with("open") ? kMciErrInvalidFile : kMciErrInvalidDeviceName;
  }
};

TEST_F(Robustness, MusicThatIsNotMidiLeavesTheGameSilentAndQuiet) {
  g.content.Raw("bgm.mid", "RIFF....WAVEfmt ");
  RefusingDevice device;
  共用関数::SetMciDevice(&device);
  ASSERT_TRUE(g.Load());
  for (int i = 0; i < 3; ++i) frm().BgmTim_Timer();
  共用関数::SetMciDevice(nullptr);
  EXPECT_TRUE(g.host.messages.empty());
  ASSERT_GE(device.commands.size(), 3u);
  EXPECT_EQ(device.commands[1], "open \"" + frm().AppDir + "bgm.mid\" alias MIDI");
  EXPECT_EQ(std::vector(device.commands.end() - 3, device.commands.end()),
            std::vector<std::string>(3, "status MIDI mode"));
}

// The hostile content's pictures: only the whole one loads, and no decoder complains.
TEST(PictureFiles, AnythingThatIsNotAWholePictureLoadsAsNothing) {
  static int argc = 1;
  static char name[] = "porukami_robustness_tests", *argv[] = {name, nullptr};
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);  // a loaded picture keeps pixmaps
  static std::vector<std::string> warnings;
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
    if (type != QtDebugMsg && type != QtInfoMsg) warnings.push_back(m.toStdString());
  });
  const auto load = [](const std::string& name) {
    return qt::LoadQtPicture(PORUKAMI_HOSTILE_DIR "/img/" + name + ".dat");
  };
  ASSERT_NE(load("bg"), nullptr);
  EXPECT_EQ(load("bg")->width, 1024);
  // Cut off half-way, the first bytes of one, text, an empty file, a folder, a missing file.
  for (const char* name : {"cut", "face_9", "mori", "empty", "folder", "missing"})
    EXPECT_EQ(load(name), nullptr) << name;
  EXPECT_EQ(warnings, std::vector<std::string>{});
}

}  // namespace
}  // namespace porukami
