#include <gtest/gtest.h>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class DayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* s : {"moneyend", "end"}) g.content.Scene(s, {std::string(s) + "の場面"});
    ASSERT_TRUE(g.Load());
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

TEST_F(DayTest, NewGameLabelShowsDayOneAndMoney) {
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(frm().Money, 10000);
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 1日  \\10000");
  frm().AdvanceDay(0, 0);
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 1日  \\10000");
}

TEST_F(DayTest, MoneyIsCappedAfterTheSum) {
  frm().AdvanceDay(0, 89500);
  EXPECT_EQ(frm().Money, 99500);
  frm().AdvanceDay(0, 1000);
  EXPECT_EQ(frm().Money, 100000);
  frm().AdvanceDay(0, -500);
  EXPECT_EQ(frm().Money, 99500);
}

TEST_F(DayTest, HugeIncomeAndFineDoNotWrap) {
  frm().AdvanceDay(0, INT32_MAX);
  EXPECT_EQ(frm().Money, 100000);
  frm().AdvanceDay(0, INT32_MIN);
  EXPECT_LT(frm().Money, 0);
  frm().AdvanceDay(0, INT32_MIN);
  EXPECT_EQ(frm().Money, INT32_MIN);
}

TEST_F(DayTest, NegativeMoneyDisablesCommandsAndStartsMoneyEnd) {
  frm().AdvanceDay(0, -9600);
  ASSERT_EQ(frm().Money, 400);
  frm().AdvanceDay(1, -1500);
  EXPECT_EQ(frm().Money, -1100);
  for (const auto& c : frm().Com) {
    EXPECT_FALSE(c.Enabled);
    EXPECT_TRUE(c.Visible);
  }
  EXPECT_EQ(frm().OpenScene(), "moneyend");
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 2日  \\-1100");
  frm().AdvanceDay(0, 5000);  // coming back above 0 does not enable them
  EXPECT_FALSE(frm().Com[0].Enabled);
}

TEST_F(DayTest, ExactlyZeroGoesOn) {
  frm().AdvanceDay(1, -10000);
  EXPECT_EQ(frm().Money, 0);
  EXPECT_TRUE(frm().Com[0].Enabled);
  EXPECT_EQ(frm().OpenScene(), "opn");
}

TEST_F(DayTest, DayTwentyEightHidesForestAndHome) {
  for (int i = 0; i < 26; ++i) frm().AdvanceDay(1, 0);
  EXPECT_TRUE(frm().Com[3].Visible);
  frm().AdvanceDay(1, 0);
  EXPECT_EQ(frm().Day, 28);
  EXPECT_FALSE(frm().Com[3].Visible);
  EXPECT_FALSE(frm().Com[4].Visible);
  EXPECT_TRUE(frm().Com[0].Visible && frm().Com[1].Visible && frm().Com[2].Visible);
}

TEST_F(DayTest, DayThirtyOneHidesEverythingAndStartsEnd) {
  for (int i = 0; i < 29; ++i) frm().AdvanceDay(1, 0);
  EXPECT_EQ(frm().Day, 30);
  frm().AdvanceDay(1, -20000);  // money runs out on the same call: "end" replaces "moneyend"
  EXPECT_EQ(frm().Day, 31);
  for (const auto& c : frm().Com) EXPECT_FALSE(c.Visible);
  EXPECT_EQ(frm().OpenScene(), "end");
}

}  // namespace
}  // namespace porukami
