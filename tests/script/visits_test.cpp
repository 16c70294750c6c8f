#include <gtest/gtest.h>

#include <array>
#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

// One play-through, visit after visit (a cost, a gain to stat three, then the scene): the
// strongest of the first three stats picks the chapter (stage 1 below 34), lowest first among
// equals, and one draw its variant; on day 28 a key stat above 66 with stat three at 90 or more
// makes the climax, and the next visit after a climax is the finale, neither drawing anything.
// The day passes after the scene has started; on day 30 "end" replaces it.
struct Visit {
  int h;
  std::array<int, 4> stats;
  int day;
  double draw;
  std::string scene;
  int gain = 0;
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
      {0, {10, 20, 67, 80}, 28, 0.5, "05", 10}, {0, {0, 0, 0, 0}, 1, 0.0, "010", 0, true},
      {1, {10, 80, 80, 100}, 28, 0.0, "15"},    {2, {67, 67, 10, 95}, 28, 0.0, "25"},
      {2, {0, 0, 0, 0}, 30, 0.0, "26"},
  };
  testing::Game g;
  for (int h = 0; h < 3; ++h)  // chapter, stage and variant: "020", "05", "26" ...
    for (int n = 5; n < 43; ++n) g.content.Scene(std::to_string(h) + std::to_string(n), {"x"});
  g.content.Scene("end", {"end"});
  ASSERT_TRUE(g.Load());
  Frm& f = *g.frm;
  for (const Visit& r : kVisits) {
    SCOPED_TRACE(r.scene);
    if (r.newGame) f.Form_Activate();
    f.AdvanceDay(static_cast<std::uint8_t>(r.day - f.Day), 100000);
    for (int s = 0; s < 4; ++s) f.AddStat(r.h, s, r.stats[s] - f.Stats[r.h][s]);
    g.rnd.queue = {0.0, (r.gain + 0.5) / 30, r.draw};
    g.rnd.draws = 0;
    f.Com_Click(r.h);
    EXPECT_EQ(f.OpenScene(), r.day == 30 ? "end" : r.scene);
    EXPECT_EQ(f.Stage[r.h], r.scene[1] - '0');
    EXPECT_EQ(g.rnd.draws, r.scene.size() == 3 ? 3 : 2);
    EXPECT_EQ(f.Day, r.day + 1);
    for (const auto& c : f.Com) EXPECT_EQ(c.Enabled, r.scene[1] != '6');
  }
}

}  // namespace
}  // namespace porukami
