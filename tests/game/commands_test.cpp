#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int h = 0; h < 3; ++h)
      for (int v = 0; v < 3; ++v) {
        const std::string name = std::to_string(h) + "1" + std::to_string(v);
        g.content.Scene(name, {name + "の一", name + "の二"});
      }
    for (const char* s : {"moneyend", "end"}) g.content.Scene(s, {s});
    g.content.Scene("opn", {"一", "二", "三", "四"});
    g.content.Picture("mori");
    ASSERT_TRUE(g.Load());
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

TEST_F(CommandsTest, VisitDrawsTheCostFirstThenTheGain) {
  g.rnd.queue = {0.25, 0.5, 0.4};
  frm().Com_Click(1);
  EXPECT_EQ(g.rnd.draws, 3);
  EXPECT_EQ(frm().Money, 10000 - 1500);
  EXPECT_EQ(frm().Stats[1][3], 15);
  EXPECT_DOUBLE_EQ(frm().ShpStr[1 * 4 + 3].Geo.Width, 15);
  EXPECT_EQ(frm().Day, 2);
  EXPECT_EQ(frm().OpenScene(), "111");
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 2日  \\8500");
}

TEST_F(CommandsTest, OverManyVisitsEveryCostAndGainOccurs) {
  std::set<int> costs, gains;
  for (int i = 0; i < 2000; ++i) {
    frm().Form_Activate();
    g.rnd.queue = {(i + 0.5) / 2000.0, (i % 30 + 0.5) / 30.0, 0.0};
    const int money = frm().Money;
    frm().Com_Click(0);
    costs.insert(money - frm().Money);
    gains.insert(frm().Stats[0][3]);
  }
  EXPECT_EQ(costs.size(), 2000u);
  EXPECT_EQ(*costs.begin(), 1000);
  EXPECT_EQ(*costs.rbegin(), 2999);
  EXPECT_EQ(gains.size(), 30u);
  EXPECT_EQ(*gains.begin(), 0);
  EXPECT_EQ(*gains.rbegin(), 29);
}

TEST_F(CommandsTest, VisitGainIsCappedAtOneHundred) {
  frm().AddStat(0, 3, 90);
  g.rnd.queue = {0.0, 25.5 / 30, 0.0};
  frm().Com_Click(0);
  EXPECT_EQ(frm().Stats[0][3], 100);
  EXPECT_DOUBLE_EQ(frm().ShpStr[3].Geo.Width, 100);
}

TEST_F(CommandsTest, ForestCostsFiveHundredAndPaintsTheForest) {
  frm().AdvanceDay(0, -9400);
  g.rnd.queue = {0.0, 0.5, 0.5, 0.0, 0.0};  // one find: the first common item
  frm().Com_Click(3);
  EXPECT_EQ(frm().Money, 100);
  EXPECT_EQ(frm().Day, 2);
  EXPECT_TRUE(frm().Com[0].Enabled);
  EXPECT_EQ(frm().Pic.PaintedName, "mori");
  EXPECT_EQ(frm().Lst.Items, std::vector<std::string>{"木の実"});
  EXPECT_TRUE(frm().LblGame.Visible);
}

TEST_F(CommandsTest, HomeWithTooLittleMoneyEndsTheGame) {
  frm().AdvanceDay(0, -9950);
  g.rnd.queue = {0.5, 0.0, 0.0, 0.0};  // one request
  frm().Com_Click(4);
  EXPECT_EQ(frm().Money, -50);
  EXPECT_EQ(frm().LstIrai.ListCount(), 1);
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Enabled);
  EXPECT_EQ(frm().OpenScene(), "moneyend");
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 2日  \\-50");
}

TEST_F(CommandsTest, HomeShowsTheBoardOnAClearedPicture) {
  g.content.Picture("bg");
  g.content.Scene("s", {">img bg", "絵"});
  frm().StartScene("s");
  ASSERT_TRUE(frm().Pic.Painted);
  g.rnd.queue = {0.0};
  frm().Com_Click(4);
  EXPECT_FALSE(frm().Pic.Painted);
  EXPECT_TRUE(frm().PicSaka.Visible);
  EXPECT_EQ(frm().Money, 9900);
  EXPECT_EQ(g.rnd.draws, 1);
}

TEST_F(CommandsTest, CommandOnDayThirtyEndsTheMonthInsteadOfTheVisit) {
  frm().AdvanceDay(29, 0);
  g.rnd.queue = {0.0, 0.0, 0.0};
  frm().Com_Click(1);
  EXPECT_EQ(frm().Day, 31);
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Visible);
  EXPECT_EQ(frm().OpenScene(), "end");
  EXPECT_EQ(frm().Lbl.Caption, "\r\nend▼");
}

TEST_F(CommandsTest, ACommandAbandonsTheRunningScene) {
  ASSERT_TRUE(frm().Lbl.Visible);
  ASSERT_EQ(frm().Lbl.Caption, "\r\n一");
  g.rnd.queue = {0.0};
  frm().Com_Click(4);
  EXPECT_FALSE(frm().Lbl.Visible);
  EXPECT_FALSE(frm().LblShp.Visible);
  EXPECT_FALSE(frm().TimSay.Enabled);
  EXPECT_TRUE(frm().LblGame.Visible);
  EXPECT_EQ(frm().LblGame.Caption, "");
  EXPECT_TRUE(frm().PicSaka.Visible);
  EXPECT_EQ(frm().Day, 2);
}

class StatsTest : public CommandsTest {
 protected:
  void Set(int h, int a, int b, int c, int d) {
    const int v[] = {a, b, c, d};
    for (int s = 0; s < 4; ++s) frm().AddStat(h, s, v[s] - frm().Stats[h][s]);
  }
};

TEST_F(StatsTest, BestStatPicksTheLowestIndexAmongTheHighest) {
  Set(0, 40, 40, 10, 99);
  EXPECT_EQ(frm().BestStat(0), 0);
  Set(1, 10, 40, 40, 0);
  EXPECT_EQ(frm().BestStat(1), 1);
  Set(2, 10, 20, 30, 100);
  EXPECT_EQ(frm().BestStat(2), 2);
  Set(2, 30, 10, 30, 100);
  EXPECT_EQ(frm().BestStat(2), 0);
  Set(0, 0, 0, 0, 100);
  EXPECT_EQ(frm().BestStat(0), 0);
}

TEST_F(StatsTest, AddStatClampsAndRedrawsTheBar) {
  Set(1, 95, 5, 100, 0);
  frm().AddStat(1, 0, 29);
  EXPECT_EQ(frm().Stats[1][0], 100);
  EXPECT_DOUBLE_EQ(frm().ShpStr[4].Geo.Width, 100);
  frm().AddStat(1, 1, -10);
  EXPECT_EQ(frm().Stats[1][1], 0);
  EXPECT_DOUBLE_EQ(frm().ShpStr[5].Geo.Width, 0);
  frm().ShpStr[6].Geo.Width = 3;
  frm().AddStat(1, 2, 0);
  EXPECT_EQ(frm().Stats[1][2], 100);
  EXPECT_DOUBLE_EQ(frm().ShpStr[6].Geo.Width, 100);
  EXPECT_EQ(frm().Stats[0][0], 0);  // no other stat moved
  EXPECT_EQ(frm().Stats[2][1], 0);
}

}  // namespace
}  // namespace porukami
