#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

// One game, call after call: money is capped at 100000 after the sum and never wraps; below zero
// the commands are disabled for good and "moneyend" starts; day 28 hides the forest and home,
// day 31 hides everything and "end" replaces "moneyend".
struct Advance {
  int days, amount, money, day;
  std::string scene, visible;
  bool enabled;
};

TEST(DayTest, MoneyAndDaysDecideTheCommandsAndTheScene) {
  const Advance kCalls[] = {
      {0, 0, 10000, 1, "opn", "11111", true},
      {0, 89500, 99500, 1, "opn", "11111", true},
      {0, 1000, 100000, 1, "opn", "11111", true},
      {0, -500, 99500, 1, "opn", "11111", true},
      {0, INT_MAX, 100000, 1, "opn", "11111", true},
      {1, -100000, 0, 2, "opn", "11111", true},
      {25, 0, 0, 27, "opn", "11111", true},
      {1, 0, 0, 28, "opn", "11100", true},
      {1, -1100, -1100, 29, "moneyend", "11100", false},
      {0, 5000, 3900, 29, "moneyend", "11100", false},
      {0, INT_MIN, 3900 + INT_MIN, 29, "moneyend", "11100", false},
      {0, INT_MIN, INT_MIN, 29, "moneyend", "11100", false},
      {1, -20000, INT_MIN, 30, "moneyend", "11100", false},
      {1, -20000, INT_MIN, 31, "end", "00000", false},
  };
  testing::Game g;
  for (const char* s : {"moneyend", "end"}) g.content.Scene(s, {s});
  ASSERT_TRUE(g.Load());
  Frm& f = *g.frm;
  EXPECT_EQ(f.LblDay.Caption, "ムルの月 1日  \\10000");
  for (const Advance& a : kCalls) {
    SCOPED_TRACE(std::to_string(a.day) + " " + std::to_string(a.money));
    f.AdvanceDay(static_cast<std::uint8_t>(a.days), a.amount);
    EXPECT_EQ(f.Money, a.money);
    EXPECT_EQ(f.Day, a.day);
    EXPECT_EQ(f.LblDay.Caption,
              "ムルの月 " + std::to_string(a.day) + "日  \\" + std::to_string(a.money));
    EXPECT_EQ(f.OpenScene(), a.scene);
    for (int i = 0; i < Frm::kComCount; ++i) {
      EXPECT_EQ(f.Com[i].Visible, a.visible[i] == '1') << i;
      EXPECT_EQ(f.Com[i].Enabled, a.enabled) << i;
    }
  }
}

TEST(StatsTest, BestStatPicksTheLowestIndexAmongTheHighestOfTheFirstThree) {
  const std::array<int, 6> kRows[] = {// heroine, her four stats, the best
                                      {0, 40, 40, 10, 99, 0},
                                      {1, 10, 40, 40, 0, 1},
                                      {2, 10, 20, 30, 100, 2},
                                      {2, 30, 10, 30, 100, 0},
                                      {0, 0, 0, 0, 100, 0}};
  testing::Game g;
  ASSERT_TRUE(g.Load());
  for (const auto& r : kRows) {
    g.frm->Form_Activate();
    for (int s = 0; s < 4; ++s) g.frm->AddStat(r[0], s, r[s + 1]);
    EXPECT_EQ(g.frm->BestStat(r[0]), r[5]);
  }
}

TEST(StatsTest, AddStatClampsAndRedrawsTheBar) {
  testing::Game g;
  ASSERT_TRUE(g.Load());
  Frm& f = *g.frm;
  f.AddStat(1, 0, 95);
  f.AddStat(1, 0, 29);
  f.AddStat(1, 1, 5);
  f.AddStat(1, 1, -10);
  f.AddStat(1, 2, 100);
  f.ShpStr[6].Geo.Width = 3;
  f.AddStat(1, 2, 0);
  f.AddStat(0, 4, -50);  // no such stat: nothing moves
  f.AddStat(-1, 0, 50);
  for (int h = 0; h < 3; ++h)
    for (int s = 0; s < 4; ++s) {
      const int want = h == 1 && s != 1 && s != 3 ? 100 : 0;
      EXPECT_EQ(f.Stats[h][s], want) << h << s;
      EXPECT_DOUBLE_EQ(f.ShpStr[h * 4 + s].Geo.Width, want) << h << s;
    }
}

}  // namespace
}  // namespace porukami
