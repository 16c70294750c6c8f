#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

// A command on a fresh game whose opening shows a picture and a line: a visit draws its cost,
// then the gain to her stat three, then the variant; the forest costs 500, home 100. The day
// passes after the command's scene has started.
struct Command {
  int index, days, amount;
  std::vector<double> draws;
  int money, day;
  std::string scene;  // none: the idle screen showing `said`
  int gain = -1;
  std::string said = "";
};

TEST(CommandsTest, CostsGainsAndScenesOfEachCommand) {
  const Command kCommands[] = {
      {1, 0, 0, {0.25, 0.5, 0.4}, 8500, 2, "111", 15},
      {0, 0, 0, {0.0, 0.0, 0.0}, 9000, 2, "010", 0},
      {2, 0, 0, {0.99999, 0.99999, 0.0}, 7001, 2, "210", 29},
      {3, 0, -9400, {0.0, 0.5, 0.5, 0.0, 0.0}, 100, 2, "", -1, "\r\n木の実がみつかったよ"},
      {4, 0, 0, {0.0}, 9900, 2, ""},
      {4, 0, -9950, {0.5, 0.0, 0.0, 0.0}, -50, 2, "moneyend"},
      {1, 29, 0, {0.0, 0.0, 0.0}, 9000, 31, "end", 0},
  };
  for (const Command& r : kCommands) {
    SCOPED_TRACE(r.index);
    testing::Game g;
    for (const char* s : {"010", "111", "210", "moneyend", "end"}) g.content.Scene(s, {s});
    g.content.Scene("opn", {">img bg", "一", "二"});
    for (const char* p : {"bg", "mori"}) g.content.Picture(p);
    ASSERT_TRUE(g.Load());
    Frm& f = *g.frm;
    ASSERT_EQ(f.Pic.PaintedName, "bg");
    f.AdvanceDay(static_cast<std::uint8_t>(r.days), r.amount);
    g.rnd.queue.assign(r.draws.begin(), r.draws.end());
    f.Com_Click(r.index);
    EXPECT_EQ(g.rnd.draws, static_cast<int>(r.draws.size()));
    EXPECT_EQ(f.Money, r.money);
    EXPECT_EQ(f.Day, r.day);
    for (const auto& c : f.Com) {
      EXPECT_EQ(c.Enabled, r.money >= 0);
      EXPECT_EQ(c.Visible, r.day <= 30);
    }
    if (r.gain >= 0) {
      EXPECT_EQ(f.Stats[r.index][3], r.gain);
      EXPECT_DOUBLE_EQ(f.ShpStr[r.index * 4 + 3].Geo.Width, r.gain);
    }
    EXPECT_EQ(f.Lbl.Visible, !r.scene.empty());
    EXPECT_EQ(f.PicSaka.Visible, r.scene.empty() && r.index == 4);
    if (!r.scene.empty()) {
      EXPECT_EQ(f.OpenScene(), r.scene);
      EXPECT_EQ(f.Lbl.Caption, "\r\n" + r.scene + "▼");
      continue;
    }
    // The running scene is abandoned for the idle screen: the board, or the forest's finds.
    EXPECT_FALSE(f.LblShp.Visible || f.TimSay.Enabled);
    EXPECT_TRUE(f.LblGame.Visible);
    EXPECT_EQ(f.LblGame.Caption, r.said);
    EXPECT_EQ(f.Pic.PaintedName, r.index == 3 ? "mori" : "");
  }
}

}  // namespace
}  // namespace porukami
