#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class InterpreterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g.content.Picture("bg", 640, 480);
    g.content.Picture("bg2", 320, 240);
    g.content.Picture("face_1", 81, 81);
    ASSERT_TRUE(g.Load());
  }
  void Play(const std::string& name, const std::vector<std::string>& lines) {
    g.content.Scene(name, lines);
    frm().StartScene(name);
  }
  bool Idle() const { return !g.frm->Lbl.Visible && g.frm->LblGame.Visible; }
  const std::string& Text() const { return g.frm->Lbl.Caption; }
  Frm& frm() { return *g.frm; }
  Game g;
};

// ---- the page rule and the marks ---------------------------------------------------------

TEST_F(InterpreterTest, SevenLinesAtATimedSpeed) {
  Play("seven", {"1", "2", "3", "4", "5", "6", "7"});
  EXPECT_EQ(Text(), "\r\n1");
  EXPECT_TRUE(frm().TimSay.Enabled);
  for (int i = 0; i < 3; ++i) frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\n1\r\n2\r\n3\r\n4");
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\n1\r\n2\r\n3\r\n4\r\n5▼");
  EXPECT_FALSE(frm().TimSay.Enabled);
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\n6");
  EXPECT_TRUE(frm().TimSay.Enabled);
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\n6\r\n7▼");
  EXPECT_EQ(frm().LblBak[0].Caption, Text());
  EXPECT_EQ(frm().LblBak[1].Caption, Text());
  EXPECT_FALSE(Idle());
  frm().Lbl_Click();
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(frm().OpenScene().has_value());
  EXPECT_TRUE(frm().TimSay.Enabled);  // on while idle, but its ticks find "tugi"
  frm().TimSay_Timer();
  EXPECT_TRUE(Idle());
}

TEST_F(InterpreterTest, NewPageHoldsSixLines) {
  Play("p", {"A", ">p", "1", "2", "3", "4", "5", "6", "7"});
  EXPECT_EQ(Text(), "\r\nA▼");
  frm().TimSay_Timer();  // the look-ahead ">p" waits for a click
  EXPECT_EQ(Text(), "\r\nA▼");
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\n1");
  EXPECT_EQ(frm().LblBak[0].Caption, "\r\n1");
  for (int i = 0; i < 5; ++i) frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6▼");
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\n7▼");
}

TEST_F(InterpreterTest, LookAheadOfAnEndOrHandOverEndsThePage) {
  g.content.Scene("next", {"つぎ"});
  for (const char* after : {">end", ">endless", ">ive next", "tugi", "tugi です"}) {
    Play("la", {"一", "二", after, "ここは見えない"});
    frm().Lbl_Click();
    EXPECT_EQ(Text(), "\r\n一\r\n二▼") << after;
    EXPECT_TRUE(frm().TimSay.Enabled);
    frm().TimSay_Timer();  // the ticks wait for the click
    EXPECT_EQ(Text(), "\r\n一\r\n二▼") << after;
  }
  Play("eof", {"一"});
  EXPECT_EQ(Text(), "\r\n一▼");
}

TEST_F(InterpreterTest, ClickOnAFullPageLeavesTheTimerToBeginTheNext) {
  Play("full", {"1", "2", "3", "4", "5", "6", "7"});
  for (int i = 0; i < 3; ++i) frm().TimSay_Timer();
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\n1\r\n2\r\n3\r\n4\r\n5▼");
  EXPECT_TRUE(frm().TimSay.Enabled);
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\n6");
}

TEST_F(InterpreterTest, NewPageWithTrailingBlankIsObeyedButNotForeseen) {
  Play("pb", {"A", ">p ", "B", "C"});
  EXPECT_EQ(Text(), "\r\nA");
  EXPECT_TRUE(frm().TimSay.Enabled);
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nB");
}

TEST_F(InterpreterTest, CommandsBetweenTextAndNewPageHideThePageEnd) {
  Play("cmd", {"A", ">img bg", ">p", "B", "C"});
  EXPECT_EQ(Text(), "\r\nA");
  EXPECT_FALSE(frm().Pic.Painted);
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nB");
  EXPECT_EQ(frm().Pic.PaintedName, "bg");
}

TEST_F(InterpreterTest, NewPageEmptiesTheTextButTheShadowsKeepTheOldPage) {
  Play("sh", {"A", ">p", "tugi"});
  frm().Lbl_Click();
  EXPECT_TRUE(Idle());
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(frm().LblBak[0].Caption, "\r\nA▼");
  EXPECT_EQ(frm().LblBak[1].Caption, "\r\nA▼");
}

TEST_F(InterpreterTest, WithoutTimedSpeedEveryLineWaitsWithAnOpenMark) {
  frm().menu_tim_Click_Click(0);
  Play("none", {"A", "B", "C"});
  EXPECT_EQ(Text(), "\r\nA▽");
  EXPECT_TRUE(frm().TimSay.Enabled);
  EXPECT_FALSE(frm().TimSay.Ticks());
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\nA\r\nB▽");
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\nA\r\nB\r\nC▼");
}

TEST_F(InterpreterTest, EmptyLinesCountAndPassOverThePageEnd) {
  Play("empty", {"1", "2", "3", "4", "", "6"});
  for (int i = 0; i < 3; ++i) frm().TimSay_Timer();
  ASSERT_EQ(Text(), "\r\n1\r\n2\r\n3\r\n4");
  frm().TimSay_Timer();  // the empty fifth line ends the page and runs the next step at once
  EXPECT_EQ(Text(), "\r\n6▼");

  Play("empty2", {"1", "", "3"});
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\n1\r\n\r\n3▼");
}

TEST_F(InterpreterTest, EmptyLastLineEndsTheSceneWithoutAWait) {
  Play("emptyend", {"A", ""});
  EXPECT_EQ(Text(), "\r\nA");
  frm().TimSay_Timer();
  EXPECT_TRUE(Idle());
}

// ---- run-ahead ---------------------------------------------------------------------------

TEST_F(InterpreterTest, RunAheadShowsSeveralLinesInOneStep) {
  Play("ra", {"--3", "A", "B", "C", "D"});
  EXPECT_EQ(Text(), "\r\nA\r\nB\r\nC");
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nA\r\nB\r\nC\r\nD▼");
}

TEST_F(InterpreterTest, RunAheadPassesOverAPageEnd) {
  Play("ra2", {"--7", "1", "2", "3", "4", "5", "6", "7", "8"});
  EXPECT_EQ(Text(), "\r\n6\r\n7");
}

TEST_F(InterpreterTest, RunAheadOfZeroShowsNothing) {
  Play("ra0", {"A", "--0", "B"});
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nA");
  EXPECT_EQ(frm().NextLine, "B");
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nA\r\nB▼");
}

TEST_F(InterpreterTest, NestedRunAheadKeepsTheOuterCount) {
  Play("ran", {"--2", "--2", "A", "B", "C", "D"});
  EXPECT_EQ(Text(), "\r\nA\r\nB\r\nC");
  EXPECT_EQ(frm().NextLine, "D");
}

TEST_F(InterpreterTest, HugeRunAheadStopsWhenItsSceneEnds) {
  Play("huge", {"--2000000000", "A"});
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(frm().OpenScene().has_value());
}

TEST_F(InterpreterTest, RunAheadDoesNotSpillIntoTheNextScene) {
  g.content.Scene("b", {"B1", "B2", "B3"});
  Play("a", {"--5", "A", ">ive b"});
  EXPECT_EQ(frm().OpenScene(), "b");
  EXPECT_EQ(Text(), "\r\nB1");
}

TEST_F(InterpreterTest, RunAheadStopsWhenItsSceneEndsTheGame) {
  g.content.Scene("opn", {"O1", "O2", "O3"});
  Play("endra", {"--4", "A", ">end", "X"});
  EXPECT_EQ(frm().OpenScene(), "opn");
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(Text(), "\r\nO1");
}

TEST_F(InterpreterTest, HundredThousandEmptyLinesOrCommandsDoNotExhaustTheStack) {
  std::vector<std::string> lines(100000, "");
  lines.push_back("最後");
  Play("many", lines);
  EXPECT_EQ(Text(), "\r\n最後▼");
  std::vector<std::string> commands(100000, ">fcn");
  commands.push_back("X");
  Play("manyc", commands);
  EXPECT_EQ(Text(), "\r\nX▼");
}

// ---- name substitution -------------------------------------------------------------------

TEST_F(InterpreterTest, NameReplacesEveryMarkOfTheLineAsWritten) {
  Play("n1", {"「-mさん」"});
  EXPECT_EQ(Text(), "\r\n「メイヒルさん」▼");
  Play("n2", {"-m"});
  EXPECT_EQ(Text(), "\r\nメイヒル▼");
  Play("n3", {"よう-m"});
  EXPECT_EQ(Text(), "\r\nようメイヒル▼");
  Play("n4", {"-m、-m、-m"});
  EXPECT_EQ(Text(), "\r\nメイヒル、メイヒル、メイヒル▼");
}

TEST_F(InterpreterTest, InsertedNameIsNotScannedAgain) {
  frm().TxtName.SetText("x-");
  Play("n5", {"-mm-m"});
  EXPECT_EQ(Text(), "\r\nx-mx-▼");
  frm().TxtName.SetText("-m");
  Play("n6", {"-m"});
  EXPECT_EQ(Text(), "\r\n-m▼");
}

TEST_F(InterpreterTest, LongLinesAreSubstitutedToTheirEnd) {
  frm().TxtName.SetText("ナナ");
  const std::string pad(300, 'a');
  Play("n7", {pad + "-m" + pad + "-m"});
  EXPECT_EQ(Text(), "\r\n" + pad + "ナナ" + pad + "ナナ▼");
}

TEST_F(InterpreterTest, NameIsReadWhenTheLineIsShown) {
  Play("n8", {"-m", "-m"});
  frm().TxtName.SetText("ユウ");
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nメイヒル\r\nユウ▼");
}

TEST_F(InterpreterTest, LineEmptiedByAnEmptyNameRunsTheNextStepAtOnce) {
  frm().TxtName.SetText("");
  Play("n9", {"-m", "B", "C"});
  EXPECT_EQ(Text(), "\r\n\r\nB");
  EXPECT_EQ(frm().NextLine, "C");
}

// ---- pictures ----------------------------------------------------------------------------

TEST_F(InterpreterTest, FaceUsesTheSixthCharacterOnly) {
  Play("f", {">fce 1abc", "顔"});
  EXPECT_TRUE(frm().PicKao.Visible);
  EXPECT_EQ(frm().PicKao.PaintedName, "face_1");
  ASSERT_FALSE(g.host.loadedPictures.empty());
  EXPECT_NE(g.host.loadedPictures.back().find("face_1.dat"), std::string::npos);
  Play("f2", {">fce_1", "顔"});  // any fifth character separates
  EXPECT_EQ(frm().PicKao.PaintedName, "face_1");
}

TEST_F(InterpreterTest, NoFaceHidesTheFaceBox) {
  Play("fn", {">fce 1", "顔", ">fcn", "なし"});
  ASSERT_TRUE(frm().PicKao.Visible);
  frm().TimSay_Timer();
  EXPECT_FALSE(frm().PicKao.Visible);
  EXPECT_EQ(Text(), "\r\n顔\r\nなし▼");
}

TEST_F(InterpreterTest, EmptyPictureNameRepaintsTheLastBackgroundNotAFace) {
  Play("img", {">img bg", ">fce 1", ">img", "文"});
  EXPECT_EQ(frm().Pic.PaintedName, "bg");
  EXPECT_EQ(frm().Pic.Painted->width, 640);
  EXPECT_EQ(frm().FaceHolder()->width, 81);
  EXPECT_EQ(frm().PicKao.PaintedName, "face_1");
}

TEST_F(InterpreterTest, MissingPictureLeavesABlankBackgroundAndTheSceneGoesOn) {
  Play("miss", {">img bg", "一", ">img nosuch", "二", ">img", "三"});
  ASSERT_EQ(frm().Pic.PaintedName, "bg");
  frm().TimSay_Timer();
  EXPECT_FALSE(frm().Pic.Painted);
  EXPECT_TRUE(frm().Pic.Visible);
  EXPECT_EQ(Text(), "\r\n一\r\n二");
  frm().TimSay_Timer();
  EXPECT_EQ(frm().Pic.PaintedName, "bg");  // the holder kept the last picture that loaded
  Play("missface", {">fce 9", "顔"});
  EXPECT_FALSE(frm().PicKao.Visible);
  EXPECT_FALSE(frm().PicKao.Painted);
}

// ---- pictures decoded ahead -------------------------------------------------------------

// The file names of the pictures hinted since `from`.
std::vector<std::string> Hinted(const testing::FakeHost& host, std::size_t from = 0) {
  std::vector<std::string> names;
  for (std::size_t i = from; i < host.prefetched.size(); ++i) {
    const std::string& p = host.prefetched[i];
    names.push_back(p.substr(p.find_last_of("/\\") + 1));
  }
  return names;
}

TEST_F(InterpreterTest, EachPictureShownHintsTheNextOneOfTheScene) {
  const std::size_t before = g.host.prefetched.size();
  Play("ahead", {"一", ">img bg", "二", ">fce 1", "三", ">img", ">img bg2", "四"});
  // The scene's start hints its first picture; nothing is loaded before its command runs.
  EXPECT_EQ(Hinted(g.host, before), std::vector<std::string>{"bg.dat"});
  frm().Lbl_Click();  // shows bg, hints the face, shows 二
  EXPECT_EQ(Hinted(g.host, before), (std::vector<std::string>{"bg.dat", "face_1.dat"}));
  frm().Lbl_Click();  // shows the face; the empty ">img" is a repaint and is passed over
  EXPECT_EQ(Hinted(g.host, before), (std::vector<std::string>{"bg.dat", "face_1.dat", "bg2.dat"}));
  // Each hint names the box the picture will be shown on: backgrounds the picture, faces theirs.
  EXPECT_EQ(g.host.prefetchedFor[before], &frm().Pic);
  EXPECT_EQ(g.host.prefetchedFor[before + 1], &frm().PicKao);
  EXPECT_EQ(g.host.prefetchedFor[before + 2], &frm().Pic);
  // Every hint named a picture the scene then loaded, by the same path.
  for (const std::string& p : std::vector<std::string>(
           g.host.prefetched.begin() + static_cast<long>(before), g.host.prefetched.end())) {
    frm().Lbl_Click();
    EXPECT_NE(std::find(g.host.loadedPictures.begin(), g.host.loadedPictures.end(), p),
              g.host.loadedPictures.end())
        << p;
  }
}

TEST_F(InterpreterTest, SceneWithoutPicturesHintsNothing) {
  const std::size_t before = g.host.prefetched.size();
  Play("plain", {"一", ">img", "二", ">fcn"});
  frm().Lbl_Click();
  EXPECT_EQ(g.host.prefetched.size(), before);
}

TEST(PrefetchOpening, HintsTheOpeningsFirstPictureBeforeStartUp) {
  Game g;
  g.content.Picture("dawn");
  g.content.Scene("opn", {">img dawn", "文", ">img later", "文"});
  g.frm = std::make_unique<Frm>(g.host, g.rnd);
  g.frm->PrefetchOpening();
  EXPECT_EQ(Hinted(g.host), std::vector<std::string>{"dawn.dat"});
  EXPECT_TRUE(g.host.loadedPictures.empty());
  EXPECT_TRUE(g.host.messages.empty());
  // The path is the one the scene will load it by.
  ASSERT_TRUE(g.Load());
  EXPECT_EQ(g.host.loadedPictures.front(), g.host.prefetched.front());
}

TEST(PrefetchOpening, MissingOrBrokenOpeningIsLeftForTheSceneToReport) {
  Game g;
  g.frm = std::make_unique<Frm>(g.host, g.rnd);
  g.frm->PrefetchOpening();  // no opn.dat at all
  EXPECT_TRUE(g.host.prefetched.empty());
  EXPECT_TRUE(g.host.messages.empty());
  g.content.Raw("txt/opn.dat", std::string("\x81\x20>img x\r\n", 10));
  g.frm->PrefetchOpening();
  EXPECT_TRUE(g.host.messages.empty());
}

// ---- ends and hand-overs -----------------------------------------------------------------

TEST_F(InterpreterTest, EndStartsANewGame) {
  g.content.Scene("opn", {"新しい朝"});
  frm().AdvanceDay(12, -3000);
  frm().AddStat(1, 1, 50);
  Play("ending", {"おわり", ">end"});
  EXPECT_EQ(Text(), "\r\nおわり▼");
  frm().Lbl_Click();
  EXPECT_TRUE(g.host.messages.empty());
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(frm().Money, 10000);
  EXPECT_EQ(frm().Stats[1][1], 0);
  EXPECT_EQ(frm().OpenScene(), "opn");
  EXPECT_EQ(Text(), "\r\n新しい朝▼");
}

TEST_F(InterpreterTest, HandOverStartsTheNamedScene) {
  g.content.Scene("b", {"B"});
  Play("a", {">fce 1", "A", ">ive b", "見えない"});
  EXPECT_EQ(Text(), "\r\nA▼");
  frm().TimSay.Enabled = false;
  frm().Lbl_Click();
  EXPECT_EQ(frm().OpenScene(), "b");
  EXPECT_EQ(Text(), "\r\nB▼");
  EXPECT_FALSE(frm().PicKao.Visible);
  EXPECT_TRUE(frm().TimSay.Enabled);
}

TEST_F(InterpreterTest, EndOfSceneInTheMiddleLeavesTheNextLineAhead) {
  Play("mid", {"A", "tugi", "B"});
  EXPECT_EQ(Text(), "\r\nA▼");
  frm().Lbl_Click();
  EXPECT_TRUE(Idle());
  EXPECT_EQ(frm().NextLine, "B");
  frm().TimSay_Timer();  // no script is open: nothing happens
  EXPECT_TRUE(Idle());
  EXPECT_EQ(Text(), "\r\nA▼");
}

TEST_F(InterpreterTest, StartingASceneReplacesTheOneOnScreen) {
  Play("old", {">fce 1", "1", "2", "3", "4"});
  frm().TimSay_Timer();
  ASSERT_EQ(frm().OpenScene(), "old");
  Play("new", {"1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(frm().OpenScene(), "new");
  EXPECT_EQ(Text(), "\r\n1");
  EXPECT_FALSE(frm().PicKao.Visible);
  for (int i = 0; i < 4; ++i) frm().TimSay_Timer();  // the page count began again at 1
  EXPECT_EQ(Text(), "\r\n1\r\n2\r\n3\r\n4\r\n5▼");
}

TEST_F(InterpreterTest, MissingSceneIsReportedAndPlayGoesOn) {
  Play("go", {"A", ">ive nosuch"});
  frm().Lbl_Click();
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("nosuch.dat"), std::string::npos);
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(frm().OpenScene().has_value());
  frm().StartScene("also_missing");
  EXPECT_EQ(g.host.messages.size(), 2u);
  EXPECT_TRUE(Idle());
  g.rnd.queue = {0.0};
  frm().Com_Click(4);
  EXPECT_EQ(frm().Day, 2);
  EXPECT_TRUE(frm().PicSaka.Visible);
}

TEST_F(InterpreterTest, EmptySceneFileIsReported) {
  g.content.Raw("txt/blank.dat", "");
  frm().StartScene("blank");
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("blank.dat"), std::string::npos);
  EXPECT_TRUE(Idle());
}

TEST_F(InterpreterTest, SceneHandingOverToItselfIsStopped) {
  Play("loop", {">ive loop"});
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("loop.dat"), std::string::npos);
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(frm().OpenScene().has_value());
  g.content.Scene("two", {"また会えた"});
  frm().StartScene("two");
  EXPECT_EQ(Text(), "\r\nまた会えた▼");
}

TEST_F(InterpreterTest, OpeningThatEndsAtOnceIsStoppedAfterABound) {
  g.content.Scene("opn", {">end"});
  frm().Form_Activate();
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("opn.dat"), std::string::npos);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(frm().Day, 1);
  EXPECT_TRUE(frm().Com[0].Enabled);
}

// ---- pacing ------------------------------------------------------------------------------

TEST_F(InterpreterTest, SwitchingToFastWhileALineWaitsLetsTheTimerGoOn) {
  frm().menu_tim_Click_Click(0);
  Play("sw", {"A", "B", "C"});
  ASSERT_EQ(Text(), "\r\nA▽");
  frm().menu_tim_Click_Click(1);
  EXPECT_TRUE(frm().TimSay.Ticks());
  frm().TimSay_Timer();
  EXPECT_EQ(Text(), "\r\nA\r\nB");
}

TEST_F(InterpreterTest, SwitchingToNoneWhileLinesRunStopsTheTicks) {
  Play("sw2", {"A", "B", "C", "D"});
  frm().menu_tim_Click_Click(0);
  EXPECT_FALSE(frm().TimSay.Ticks());
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\nA\r\nB▽");
  frm().Lbl_Click();
  EXPECT_EQ(Text(), "\r\nA\r\nB\r\nC▽");
}

}  // namespace
}  // namespace porukami
