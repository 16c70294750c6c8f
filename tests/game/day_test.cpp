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

TEST(StatsTest, AddStatIgnoresStatsThatDoNotExist) {
  testing::Game g;
  ASSERT_TRUE(g.Load());
  for (const auto& [h, s] : {std::pair{0, 4}, {3, 0}, {-1, 0}, {1, -1}}) g.frm->AddStat(h, s, 50);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(g.frm->Stats[i / 4][i % 4], 0) << i;
}

}  // namespace
}  // namespace porukami
