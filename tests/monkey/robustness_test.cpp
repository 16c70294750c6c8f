// Bad content and bad luck the game must survive with a clear message or a quiet skip, never a
// crash, a hang or a damaged file: the rows of docs/robustness.md that no other test shows.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "monkey/invariants.h"
#include "qt/image.h"
#include "sound/mci.h"
#include "support/fakes.h"
#include "text/cp932.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;
using testing::Game;

bool Contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

class Robustness : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* s : {"end", "moneyend", "mori_0", "ive0"}) g.content.Scene(s, {s});
    g.content.Picture("face_1", 81, 81);
    g.content.Picture("mori");
  }
  void Load(bool activate = true) { ASSERT_TRUE(g.Load(activate)); }
  bool Idle() const { return !g.frm->Lbl.Visible && g.frm->LblGame.Visible; }
  std::string Path(const std::string& scene) const {
    return (g.content.dir() / "txt" / (scene + ".dat")).string();
  }
  void ExpectRulesHold() { EXPECT_EQ(monkey::BrokenRule(frm()), ""); }
  // The day command still ends the day, and the game's rules hold after it.
  void ExpectTheDayGoesOn() {
    g.rnd.queue = {0.0};
    frm().Com_Click(4);
    EXPECT_EQ(frm().Day, 2);
    ExpectRulesHold();
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

// ---- scene files -------------------------------------------------------------------------

TEST_F(Robustness, SceneBytesThatAreNotCp932AreNamedByFileAndLineAndTheRestIsShown) {
  g.content.Raw("txt/bad.dat", *text::Utf8ToCp932("一行目") + "\r\n\x81\x20" +
                                   *text::Utf8ToCp932("の後") + "\r\n");
  Load();
  g.host.messages.clear();
  frm().StartScene("bad");
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], "場面ファイル「" + Path("bad") + "」の 2 行目"))
      << g.host.messages[0];
  frm().TimSay_Timer();
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一行目\r\n\xEF\xBF\xBD の後▼");
  ExpectRulesHold();
}

TEST_F(Robustness, LoneLineFeedsEndLinesWithoutAWord) {
  g.content.Raw("txt/lf.dat", *text::Utf8ToCp932("一\n二\n三"));
  Load();
  g.host.messages.clear();
  frm().StartScene("lf");
  frm().TimSay_Timer();
  frm().TimSay_Timer();
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一\r\n二\r\n三▼");
  EXPECT_TRUE(g.host.messages.empty());
}

TEST_F(Robustness, SceneFileThatIsAFolderIsReportedAndPlayGoesOn) {
  fs::create_directories(g.content.dir() / "txt" / "dir.dat");
  Load();
  g.host.messages.clear();
  frm().StartScene("dir");
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], Path("dir"))) << g.host.messages[0];
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(frm().OpenScene().has_value());
}

TEST_F(Robustness, MissingOpeningSceneIsReportedAndTheDayCommandsStillWork) {
  Load(false);
  fs::remove(g.content.dir() / "txt" / "opn.dat");
  frm().Form_Activate();
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], Path("opn"))) << g.host.messages[0];
  EXPECT_TRUE(Idle());
  ExpectTheDayGoesOn();
}

TEST_F(Robustness, MissingMoneyEndLeavesOnlyTheRestartPrompt) {
  fs::remove(g.content.dir() / "txt" / "moneyend.dat");
  Load();
  frm().AdvanceDay(0, -10050);
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], Path("moneyend"))) << g.host.messages[0];
  EXPECT_TRUE(Idle());
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Enabled);
  g.host.yesNoAnswers = {true};
  frm().Pic_Click();
  EXPECT_EQ(frm().Money, 10000);
  for (const auto& c : frm().Com) EXPECT_TRUE(c.Enabled);
  ExpectRulesHold();
}

TEST_F(Robustness, MissingEndSceneLeavesOnlyTheRestartPrompt) {
  fs::remove(g.content.dir() / "txt" / "end.dat");
  Load();
  frm().AdvanceDay(30, 0);
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], Path("end"))) << g.host.messages[0];
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Visible);
  EXPECT_TRUE(Idle());
  g.host.yesNoAnswers = {true};
  frm().LblGame_Click();
  EXPECT_EQ(frm().Day, 1);
  for (const auto& c : frm().Com) EXPECT_TRUE(c.Visible);
}

// ---- lines the interpreter cannot use ---------------------------------------------------------

TEST_F(Robustness, RunAheadWithoutANumberRunsNothing) {
  Load();
  for (const std::string bad : {"--", "--x", "-- ", "--\xEF\xBC\x93"}) {  // the last: a wide 3
    g.content.Scene("ra", {"A", bad, "B"});
    frm().StartScene("ra");
    frm().TimSay_Timer();
    EXPECT_EQ(frm().Lbl.Caption, "\r\nA") << bad;
    EXPECT_EQ(frm().NextLine, "B") << bad;
    frm().TimSay_Timer();
    EXPECT_EQ(frm().Lbl.Caption, "\r\nA\r\nB▼") << bad;
  }
}

TEST_F(Robustness, HandOverToNoNameIsReportedAsAMissingScene) {
  Load();
  for (const std::string line : {">ive ", ">ive", ">ive\xE3\x80\x80"}) {
    g.content.Scene("go", {"A", line});
    g.host.messages.clear();
    frm().StartScene("go");
    frm().Lbl_Click();
    ASSERT_EQ(g.host.messages.size(), 1u) << line;
    EXPECT_TRUE(Contains(g.host.messages[0], Path(""))) << g.host.messages[0];
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(frm().OpenScene().has_value());
  }
}

TEST_F(Robustness, FaceWithoutItsCharacterLeavesTheFaceBoxBlank) {
  Load();
  g.content.Scene("fce", {">fce 1", "A", ">fce", "B"});
  g.host.messages.clear();
  frm().StartScene("fce");
  EXPECT_TRUE(frm().PicKao.Visible);
  EXPECT_EQ(frm().PicKao.PaintedName, "face_1");
  frm().TimSay_Timer();
  EXPECT_EQ(frm().PicKao.Painted, nullptr);
  EXPECT_EQ(frm().Lbl.Caption, "\r\nA\r\nB▼");
  EXPECT_TRUE(g.host.messages.empty());
  EXPECT_EQ(g.host.loadedPictures.back(), (g.content.dir() / "img" / "face_.dat").string());
}

TEST_F(Robustness, OpeningThatEndsAtOnceIsStoppedWithAMessage) {
  g.content.Scene("opn", {">end"});
  Load();
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], Path("opn"))) << g.host.messages[0];
  EXPECT_TRUE(Idle());
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(frm().Money, 10000);
  ExpectTheDayGoesOn();
}

// ---- the catalogue ---------------------------------------------------------------------------

TEST_F(Robustness, CatalogueThatIsAFolderStopsStartUpWithAMessage) {
  fs::create_directories(g.content.dir() / "txt" / "item.dat");
  g.frm = std::make_unique<Frm>(g.host, g.rnd);
  EXPECT_FALSE(g.frm->Form_Load());
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(g.host.messages[0], "item.dat")) << g.host.messages[0];
}

TEST_F(Robustness, TwoShortLinesWithHugeNumbersAndStatIndexesOutOfRangeLastAMonth) {
  g.content.Catalogue({"石ころ,99999999999999999999,7,-1,2", "短い"});
  Load();
  for (int day = 0; day < 26; ++day) {
    g.rnd.queue = {0.99, 0.5, 0.5, 0.0, 0.5, 0.99, 0.5, 0.99, 0.5, 0.3, 0.5};
    frm().Com_Click(day % 2 ? 3 : 4);
    for (int i = frm().Lst.ListCount() - 1; i >= 0; --i) {
      frm().Lst.ListIndex = i;
      if (i % 2)
        frm().ComStr_Click(i % 3);
      else if (frm().PicSaka.Visible)
        frm().ComLst_Click(1);
      ExpectRulesHold();
    }
    ExpectRulesHold();
  }
  EXPECT_LE(frm().Money, 100000);
}

// ---- the window ---------------------------------------------------------------------------

// A front end may report any height (the terminal tool takes it from its input); the font size
// computed from it must stay a sensible positive number rather than overflow.
TEST_F(Robustness, HeightBeyondAnyScreenStillGivesAPositiveFontSize) {
  Load();
  for (const double height : {2.5e8, 2.2e12, 1e15, 1e300}) {
    frm().Height = height;
    frm().Form_Resize();
    EXPECT_GE(frm().FontBase(), 3) << height;
    EXPECT_EQ(frm().ComStr[1].Caption, "ヒョウ") << height;
    ExpectRulesHold();
  }
}

// ---- pictures ----------------------------------------------------------------------------

TEST(PictureFiles, AnythingThatIsNotAWholePictureLoadsAsNothing) {
  // A loaded picture keeps pixmaps, which need the application object.
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "porukami_robustness_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  testing::TempContent c;
  QImage img(40, 30, QImage::Format_RGB32);
  img.fill(Qt::red);
  const fs::path good = c.dir() / "img" / "good.dat";
  ASSERT_TRUE(img.save(QString::fromStdString(good.string()), "PNG"));
  std::string png;
  {
    std::ifstream in(good, std::ios::binary);
    png.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  c.Raw("img/cut.dat", png.substr(0, png.size() / 2));
  c.Raw("img/head.dat", png.substr(0, 16));
  c.Raw("img/text.dat", "これは絵ではありません");
  c.Raw("img/empty.dat", "");
  fs::create_directories(c.dir() / "img" / "folder.dat");
  // Broken pictures fail silently: no decoder complains on the terminal either.
  static std::vector<std::string> warnings;
  warnings.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
        if (type != QtDebugMsg && type != QtInfoMsg) warnings.push_back(m.toStdString());
      });
  const ImageRef loaded = qt::LoadQtPicture(good.string());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->width, 40);
  for (const char* name : {"cut", "head", "text", "empty", "folder", "missing"})
    EXPECT_EQ(qt::LoadQtPicture((c.dir() / "img" / (std::string(name) + ".dat")).string()), nullptr)
        << name;
  qInstallMessageHandler(previous);
  EXPECT_EQ(warnings, std::vector<std::string>{});
}

// ---- music -------------------------------------------------------------------------------

// A device that refuses the file, as the synthesiser's device does for a bgm.mid that is not MIDI.
class RefusingDevice : public MciDevice {
 public:
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
  Load();
  for (int i = 0; i < 3; ++i) frm().BgmTim_Timer();
  共用関数::SetMciDevice(nullptr);
  EXPECT_TRUE(g.host.messages.empty());
  ASSERT_GE(device.commands.size(), 3u);
  EXPECT_EQ(device.commands[1],
            "open \"" + (g.content.dir() / "bgm.mid").string() + "\" alias MIDI");
  for (std::size_t i = device.commands.size() - 3; i < device.commands.size(); ++i)
    EXPECT_EQ(device.commands[i], "status MIDI mode") << "nothing but the query is sent";
}

}  // namespace
}  // namespace porukami
