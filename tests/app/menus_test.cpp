#include <gtest/gtest.h>

#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g.content.Scene("opn", {"一", "二", "三"});
    for (const char* s : {"010", "011", "012", "end", "moneyend"}) g.content.Scene(s, {s});
    ASSERT_TRUE(g.Load());
  }
  // Plays a day so that there is something for a restart to throw away.
  void PlayADay() {
    g.rnd.queue = {0.5, 0.5, 0.0};
    frm().Com_Click(0);
    frm().AddInventoryItem(2);
    frm().Lbl_Click();  // the one-line visit scene ends
    ASSERT_FALSE(frm().Lbl.Visible);
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

TEST_F(MenusTest, IdleClickAnsweredNoKeepsThePlayThrough) {
  PlayADay();
  frm().Pic_Click();
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_EQ(g.host.messages[0], "初期化しますか？");
  EXPECT_EQ(g.host.captions[0], "ぽるかみ");
  EXPECT_EQ(frm().Day, 2);
  EXPECT_EQ(frm().Money, 8000);
  EXPECT_EQ(frm().Stats[0][3], 15);
  EXPECT_EQ(frm().Lst.ListCount(), 1);
  EXPECT_FALSE(frm().Lbl.Visible);
}

TEST_F(MenusTest, IdleClickAnsweredYesStartsANewGame) {
  PlayADay();
  g.host.yesNoAnswers = {true};
  frm().Pic_Click();
  EXPECT_EQ(g.host.messages.size(), 1u);
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(frm().Money, 10000);
  EXPECT_EQ(frm().Stats[0][3], 0);
  EXPECT_EQ(frm().Lst.ListCount(), 0);
  EXPECT_EQ(frm().OpenScene(), "opn");
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一");
}

TEST_F(MenusTest, MessageLabelClickActsLikeAPictureClick) {
  PlayADay();
  frm().LblGame_Click();
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_EQ(g.host.messages[0], "初期化しますか？");
  EXPECT_EQ(frm().Day, 2);
  g.host.yesNoAnswers = {true};
  frm().LblGame_Click();
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(frm().OpenScene(), "opn");
}

TEST_F(MenusTest, ClickDuringASceneShowsTheNextLineNotThePrompt) {
  frm().TimSay.Enabled = false;
  frm().Pic_Click();
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一\r\n二");
  EXPECT_TRUE(frm().TimSay.Enabled);
  frm().LblGame_Click();
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一\r\n二\r\n三▼");
  EXPECT_TRUE(g.host.messages.empty());
}

TEST_F(MenusTest, PopupMenuPicksATextSpeed) {
  g.host.menuPicks = {2};
  frm().MenuCom_Click();
  EXPECT_EQ(g.host.popups, 1);
  EXPECT_EQ(frm().TimSay.Interval, 200);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frm().menu_tim_Click[i].Checked, i == 2);

  frm().MenuCom_Click();  // dismissed
  EXPECT_EQ(frm().TimSay.Interval, 200);
  EXPECT_TRUE(frm().menu_tim_Click[2].Checked);

  g.host.menuPicks = {0};
  frm().MenuCom_Click();
  EXPECT_EQ(frm().TimSay.Interval, 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frm().menu_tim_Click[i].Checked, i == 0);
  EXPECT_EQ(frm().menu_tim.Caption, "文章");
}

TEST_F(MenusTest, SpeedChangeKeepsTheTimerOnOrOff) {
  ASSERT_TRUE(frm().TimSay.Enabled);
  frm().menu_tim_Click_Click(3);
  EXPECT_TRUE(frm().TimSay.Enabled);
  EXPECT_EQ(frm().TimSay.Interval, 300);
  frm().GameStt();
  frm().menu_tim_Click_Click(1);
  EXPECT_FALSE(frm().TimSay.Enabled);
}

TEST_F(MenusTest, IdleScreenLeavesTheFaceAndEmptiesTheMessage) {
  g.content.Picture("face_2");
  g.content.Picture("bg");
  g.content.Scene("talk", {">img bg", ">fce 2", "やあ", "またね"});
  frm().StartScene("talk");
  frm().LblGame.Caption = "前の知らせ";
  frm().GameStt();
  EXPECT_TRUE(frm().PicKao.Visible);
  EXPECT_TRUE(frm().LblGame.Visible);
  EXPECT_EQ(frm().LblGame.Caption, "");
  EXPECT_FALSE(frm().Lbl.Visible || frm().LblBak[0].Visible || frm().LblBak[1].Visible);
  EXPECT_FALSE(frm().LblShp.Visible || frm().PicSaka.Visible || frm().TimSay.Enabled);
  EXPECT_FALSE(frm().Pic.Painted);
  EXPECT_TRUE(frm().Pic.Visible);
  EXPECT_EQ(frm().Lbl.Caption, "\r\nやあ");  // the captions stay
}

}  // namespace
}  // namespace porukami
