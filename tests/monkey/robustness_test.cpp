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
  std::string Txt(const std::string& file) const {
    return (g.content.dir() / "txt" / file).string();
  }
  // One message, naming `part`; the rules hold, and if `idle`, the idle screen without a scene.
  void ExpectMessage(const std::string& part, bool idle) {
    ASSERT_EQ(g.host.messages.size(), 1u);
    EXPECT_NE(g.host.messages[0].find(part), std::string::npos) << g.host.messages[0];
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
    EXPECT_TRUE(!idle || (!frm().Lbl.Visible && frm().LblGame.Visible && !frm().OpenScene()));
  }
  void ExpectTheDayGoesOn() {
    g.rnd.queue = {0.0};
    frm().Com_Click(4);
    EXPECT_EQ(frm().Day, 2);
    EXPECT_EQ(monkey::BrokenRule(frm()), "");
  }
  testing::Game g;
};

// The scene "x" (a folder if empty) started, ticked ('t') and clicked ('c'): the pages, and the
// message ("%" for the scene folder); without pages, play stops at the idle screen.
TEST_F(Robustness, ScenesThatCannotBeReadOrUsedAreReportedOrSkipped) {
  const auto cp = [](const std::string& utf8) { return *text::Utf8ToCp932(utf8); };
  std::vector<std::tuple<std::string, std::string, std::vector<std::string>, std::string>> cases{
      {cp("一行目\r\n") + "\x81\x20" + cp("の後\r\n"),
       "t",
       {"\r\n一行目\r\n\xEF\xBF\xBD の後▼"},
       "場面ファイル「%x.dat」の 2 行目"},
      {cp("一\n二\n三"), "tt", {"\r\n一\r\n二", "\r\n一\r\n二\r\n三▼"}, ""}};
  for (const std::string bad : {"--", "--x", "-- ", "--３"})
    cases.push_back({cp("A\r\n" + bad + "\r\nB\r\n"), "tt", {"\r\nA", "\r\nA\r\nB▼"}, ""});
  for (const std::string line : {">ive ", ">ive", ">ive\xE3\x80\x80"})
    cases.push_back({cp("A\r\n" + line + "\r\n"), "c", {}, "%.dat"});
  cases.push_back({"", "", {}, "%x.dat"});
  ASSERT_TRUE(g.Load());
  for (auto& [bytes, steps, pages, message] : cases) {
    SCOPED_TRACE(bytes);
    g.content.Raw("txt/x.dat", bytes);
    if (bytes.empty()) fs::remove(g.content.dir() / "txt/x.dat");
    if (bytes.empty()) fs::create_directory(g.content.dir() / "txt/x.dat");
    g.host.messages.clear();
    frm().StartScene("x");
    std::vector<std::string> seen;
    for (const char step : steps) {
      step == 't' ? frm().TimSay_Timer() : frm().Lbl_Click();
      seen.push_back(frm().Lbl.Caption);
    }
    seen.resize(pages.size());
    EXPECT_EQ(seen, pages);
    EXPECT_EQ(g.host.messages.size(), message.empty() ? 0u : 1u);
    if (!message.empty())
      ExpectMessage(message.replace(message.find('%'), 1, Txt("")), pages.empty());
  }
}

TEST_F(Robustness, OpeningMissingOrEndingAtOnceIsReportedAndPlayGoesOn) {
  ASSERT_TRUE(g.Load(false));
  fs::remove(g.content.dir() / "txt" / "opn.dat");
  frm().Form_Activate();
  ExpectMessage(Txt("opn.dat"), true);
  ExpectTheDayGoesOn();
  g.content.Scene("opn", {">end"});
  g.host.messages.clear();
  ASSERT_TRUE(g.Load());
  ExpectMessage(Txt("opn.dat"), true);
  EXPECT_TRUE(frm().Day == 1 && frm().Money == 10000);
  ExpectTheDayGoesOn();
}

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
    ExpectMessage(Txt(scene + ".dat"), true);
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

// The hostile content's catalogue is "石ころ,99999999999999999999,7,-1,2" and "短い".
TEST_F(Robustness, TwoShortLinesWithHugeNumbersAndStatIndexesOutOfRangeLastAMonth) {
  EXPECT_EQ(monkey::PlayGame(monkey::Copy(PORUKAMI_HOSTILE_DIR), {}, "month", 3000), "");
}

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

// Refuses the file, as the synthesiser's device does a bgm.mid that is not MIDI.
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
  EXPECT_EQ(device.commands[1],
            "open \"" + (g.content.dir() / "bgm.mid").string() + "\" alias MIDI");
  EXPECT_EQ(std::vector(device.commands.end() - 3, device.commands.end()),
            std::vector<std::string>(3, "status MIDI mode"));
}

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
  for (const char* name : {"cut", "face_9", "mori", "empty", "folder", "missing"})
    EXPECT_EQ(load(name), nullptr) << name;
  EXPECT_EQ(warnings, std::vector<std::string>{});
}

}  // namespace
}  // namespace porukami
