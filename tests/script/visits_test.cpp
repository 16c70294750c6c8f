#include <gtest/gtest.h>

#include <array>
#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

struct Visits {
  testing::Game g;
  Visits() {
    for (int h = 0; h < 3; ++h)
      for (const char* s :
           {"10", "11", "12", "20", "21", "22", "30", "31", "32", "40", "41", "42", "5", "6"})
        g.content.Scene(std::to_string(h) + s, {"x"});
    g.content.Scene("end", {"end"});
    EXPECT_TRUE(g.Load());
  }
  Frm& f() { return *g.frm; }
  void Set(int h, const std::array<int, 4>& v) {
    for (int s = 0; s < 4; ++s) f().AddStat(h, s, v[s] - f().Stats[h][s]);
  }
  void ToDay(int day) { f().AdvanceDay(static_cast<std::uint8_t>(day - f().Day), 0); }
};

// One play-through, visit after visit: the strongest stat picks the chapter (stage 1 below 34)
// and one draw its variant; on day 28 a key stat above 66 with stat three at 90 or more makes
// the climax, and the next visit after a climax is the finale, neither drawing anything.
struct Visit {
  int h;
  std::array<int, 4> stats;
  int day;
  double draw;
  std::string scene;
  bool newGame = false;
};

TEST(VisitsTest, StatsAndDayChooseTheScene) {
  const Visit kVisits[] = {
      {0, {40, 20, 10, 100}, 1, 0.0, "020"},    {0, {40, 20, 10, 100}, 1, 0.5, "021"},
      {0, {40, 20, 10, 100}, 1, 0.9999, "022"}, {1, {10, 50, 20, 0}, 1, 0.4, "131"},
      {2, {10, 20, 35, 0}, 1, 0.7, "242"},      {1, {33, 20, 10, 0}, 1, 0.0, "110"},
      {1, {34, 20, 10, 0}, 1, 0.0, "120"},      {2, {20, 33, 33, 0}, 1, 0.5, "211"},
      {0, {10, 20, 60, 0}, 1, 0.0, "040"},      {0, {10, 20, 30, 0}, 1, 0.0, "010"},
      {2, {0, 0, 0, 100}, 1, 0.4, "211"},       {0, {10, 20, 66, 90}, 28, 0.5, "041"},
      {0, {10, 20, 67, 89}, 28, 0.5, "041"},    {0, {10, 20, 67, 90}, 27, 0.5, "041"},
      {0, {10, 20, 67, 90}, 29, 0.5, "041"},    {1, {67, 67, 10, 95}, 28, 0.0, "120"},
      {0, {10, 20, 67, 90}, 28, 0.5, "05"},     {0, {0, 0, 0, 0}, 1, 0.0, "010", true},
      {1, {10, 80, 80, 100}, 28, 0.0, "15"},    {2, {67, 67, 10, 95}, 28, 0.0, "25"},
      {2, {0, 0, 0, 0}, 29, 0.0, "26"},
  };
  Visits v;
  for (const Visit& r : kVisits) {
    SCOPED_TRACE(r.scene);
    if (r.newGame) v.f().Form_Activate();
    v.ToDay(r.day);
    v.Set(r.h, r.stats);
    v.g.rnd.queue = {r.draw};
    v.g.rnd.draws = 0;
    v.f().VisitHeroine(r.h);
    EXPECT_EQ(v.f().OpenScene(), r.scene);
    EXPECT_EQ(v.f().Stage[r.h], r.scene[1] - '0');
    EXPECT_EQ(v.g.rnd.draws, r.scene.size() == 3 ? 1 : 0);
    for (const auto& c : v.f().Com) EXPECT_EQ(c.Enabled, r.scene[1] != '6');
  }
}

TEST(VisitsTest, VisitUsesTheDayBeforeItPassesAndAFinaleOnDayThirtyIsTheEnd) {
  Visits v;
  v.ToDay(28);
  v.Set(0, {10, 20, 67, 80});
  v.g.rnd.queue = {0.0, 10.5 / 30};  // cost 1000, gain 10: stat 3 reaches 90 before the choice
  v.f().Com_Click(0);
  EXPECT_EQ(v.f().Stats[0][3], 90);
  EXPECT_EQ(v.f().OpenScene(), "05");
  EXPECT_EQ(v.f().Day, 29);
  EXPECT_EQ(v.g.rnd.draws, 2);
  v.ToDay(30);
  v.f().Com_Click(0);
  EXPECT_EQ(v.f().Stage[0], 6);
  EXPECT_EQ(v.f().OpenScene(), "end");
  for (const auto& c : v.f().Com) EXPECT_FALSE(c.Visible || c.Enabled);
}

}  // namespace
}  // namespace porukami
