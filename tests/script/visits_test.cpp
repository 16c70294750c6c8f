#include <gtest/gtest.h>

#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class VisitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int h = 0; h < 3; ++h) {
      const std::string d = std::to_string(h);
      for (int stage = 1; stage <= 4; ++stage)
        for (int v = 0; v < 3; ++v) {
          const std::string name = d + std::to_string(stage) + std::to_string(v);
          g.content.Scene(name, {name});
        }
      g.content.Scene(d + "5", {d + "5"});
      g.content.Scene(d + "6", {d + "6"});
    }
    for (const char* s : {"moneyend", "end"}) g.content.Scene(s, {s});
    ASSERT_TRUE(g.Load());
  }
  void Set(int h, int a, int b, int c, int d) {
    const int v[] = {a, b, c, d};
    for (int s = 0; s < 4; ++s) frm().AddStat(h, s, v[s] - frm().Stats[h][s]);
  }
  void ToDay(int day) { frm().AdvanceDay(static_cast<std::uint8_t>(day - frm().Day), 0); }
  // Visits heroine h with the variant digit drawn from r; returns the scene started.
  std::string Visit(int h, double r = 0.0) {
    g.rnd.queue = {r};
    g.rnd.draws = 0;
    frm().VisitHeroine(h);
    return frm().OpenScene().value_or("(none)");
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

TEST_F(VisitsTest, StrongestStatChoosesTheChapterAndTheDrawItsVariant) {
  Set(0, 40, 20, 10, 100);
  EXPECT_EQ(Visit(0, 0.0), "020");
  EXPECT_EQ(Visit(0, 0.5), "021");
  EXPECT_EQ(Visit(0, 0.9999), "022");
  EXPECT_EQ(g.rnd.draws, 1);
  EXPECT_EQ(frm().Stage[0], 2);
  Set(1, 10, 50, 20, 0);
  EXPECT_EQ(Visit(1, 0.4), "131");
  EXPECT_EQ(frm().Stage[1], 3);
  Set(2, 10, 20, 35, 0);
  EXPECT_EQ(Visit(2, 0.7), "242");
  EXPECT_EQ(frm().Stage[2], 4);
}

TEST_F(VisitsTest, ThirtyThreeIsStillTheFirstStage) {
  Set(1, 33, 20, 10, 0);
  EXPECT_EQ(Visit(1), "110");
  EXPECT_EQ(frm().Stage[1], 1);
  Set(1, 34, 20, 10, 0);
  EXPECT_EQ(Visit(1), "120");
  Set(2, 20, 33, 33, 0);
  EXPECT_EQ(Visit(2, 0.5), "211");
}

TEST_F(VisitsTest, StagesFollowTheStatsDownAgain) {
  Set(0, 10, 20, 60, 0);
  EXPECT_EQ(Visit(0), "040");
  Set(0, 10, 20, 30, 0);
  EXPECT_EQ(Visit(0), "010");
  EXPECT_EQ(frm().Stage[0], 1);
}

TEST_F(VisitsTest, ClimaxOnDayTwentyEightNeedsTheKeyStatAndDrawsNothing) {
  ToDay(28);
  Set(0, 10, 20, 67, 90);
  EXPECT_EQ(Visit(0), "05");
  EXPECT_EQ(g.rnd.draws, 0);
  EXPECT_EQ(frm().Stage[0], 5);
  for (const auto& c : frm().Com) EXPECT_TRUE(c.Enabled);
}

TEST_F(VisitsTest, ClimaxMissedByOnePoint) {
  ToDay(28);
  Set(0, 10, 20, 66, 90);
  EXPECT_EQ(Visit(0, 0.5), "041");
  Set(0, 10, 20, 67, 89);
  EXPECT_EQ(Visit(0, 0.5), "041");
  EXPECT_EQ(g.rnd.draws, 1);
  frm().Form_Activate();
  ToDay(27);
  Set(0, 10, 20, 67, 90);
  EXPECT_EQ(Visit(0, 0.5), "041");
  ToDay(29);
  EXPECT_EQ(Visit(0, 0.5), "041");
}

TEST_F(VisitsTest, TiesDecideWhetherTheKeyStatIsTheStrongest) {
  ToDay(28);
  Set(2, 67, 67, 10, 95);
  EXPECT_EQ(Visit(2), "25");
  Set(1, 67, 67, 10, 95);
  EXPECT_EQ(Visit(1, 0.0), "120");
  Set(1, 10, 80, 80, 100);
  EXPECT_EQ(Visit(1), "15");
}

TEST_F(VisitsTest, FinaleFollowsTheClimaxWhateverTheStats) {
  ToDay(28);
  Set(2, 90, 0, 0, 90);
  ASSERT_EQ(Visit(2), "25");
  ToDay(29);
  Set(2, 0, 0, 0, 0);
  EXPECT_EQ(Visit(2), "26");
  EXPECT_EQ(g.rnd.draws, 0);
  EXPECT_EQ(frm().Stage[2], 6);
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Enabled);
}

TEST_F(VisitsTest, VisitOnDayTwentyEightUsesTheDayBeforeItPasses) {
  ToDay(28);
  Set(0, 10, 20, 67, 80);
  g.rnd.queue = {0.0, 10.5 / 30};  // cost 1000, gain 10: stat 3 reaches 90 before the choice
  frm().Com_Click(0);
  EXPECT_EQ(frm().Stats[0][3], 90);
  EXPECT_EQ(frm().Stage[0], 5);
  EXPECT_EQ(frm().OpenScene(), "05");
  EXPECT_EQ(frm().Day, 29);
  EXPECT_EQ(g.rnd.draws, 2);
}

TEST_F(VisitsTest, FinaleOnDayThirtyIsReplacedByTheEnd) {
  ToDay(28);
  Set(1, 0, 70, 0, 95);
  g.rnd.queue = {0.0, 0.0};
  frm().Com_Click(1);
  ASSERT_EQ(frm().Stage[1], 5);
  ToDay(30);
  g.rnd.queue = {0.0, 0.0};
  frm().Com_Click(1);
  EXPECT_EQ(frm().Stage[1], 6);
  EXPECT_EQ(frm().OpenScene(), "end");
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Visible || c.Enabled);
}

TEST_F(VisitsTest, NewGameVisitsAreFirstStageWhateverStatThree) {
  frm().AddStat(2, 3, 100);
  EXPECT_EQ(Visit(2, 0.4), "211");
  frm().Stage[0] = 5;
  frm().Form_Activate();
  EXPECT_EQ(Visit(0, 0.0), "010");
}

}  // namespace
}  // namespace porukami
