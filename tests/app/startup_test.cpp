#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class StartupTest : public ::testing::Test {
 protected:
  // Start-up on whatever content the test wrote, without the defaults of Game::Load.
  bool LoadOnly() {
    g.frm = std::make_unique<Frm>(g.host, g.rnd);
    return g.frm->Form_Load();
  }
  void CatalogueOfLines(int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) lines.push_back("品" + std::to_string(i) + ",1,0,0,0");
    g.content.Catalogue(lines);
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

TEST_F(StartupTest, ProgramFolderGetsExactlyOneTrailingBackslash) {
  g.host.appPath = "C:\\";
  EXPECT_FALSE(LoadOnly());  // no catalogue there
  EXPECT_EQ(frm().AppDir, "C:\\");
  EXPECT_EQ(frm().ImgDir, "C:\\img\\");
  EXPECT_EQ(frm().TxtDir, "C:\\txt\\");

  g.host.appPath = "C:\\Game";
  EXPECT_FALSE(LoadOnly());
  EXPECT_EQ(frm().AppDir, "C:\\Game\\");
  EXPECT_EQ(frm().TxtDir, "C:\\Game\\txt\\");
}

TEST_F(StartupTest, MissingCatalogueStopsWithAMessageNamingTheFile) {
  EXPECT_FALSE(LoadOnly());
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("item.dat"), std::string::npos);
  EXPECT_EQ(g.host.captions[0], "ぽるかみ");
}

TEST_F(StartupTest, EmptyCatalogueLoadsWithNoItems) {
  g.content.Raw("txt/item.dat", "");
  EXPECT_TRUE(LoadOnly());
  EXPECT_EQ(frm().ItemCount, 0);
  EXPECT_TRUE(g.host.messages.empty());
}

TEST_F(StartupTest, CatalogueOf1001LinesLoadsWhole) {
  CatalogueOfLines(1001);
  ASSERT_TRUE(LoadOnly());
  EXPECT_EQ(frm().ItemCount, 1001);
  EXPECT_EQ(frm().ItemCatalogue[0], "品0,1,0,0,0");
  EXPECT_EQ(frm().ItemCatalogue[1000], "品1000,1,0,0,0");
  EXPECT_TRUE(g.host.messages.empty());
}

TEST_F(StartupTest, CatalogueOf1002LinesStopsWithAMessage) {
  CatalogueOfLines(1002);
  EXPECT_FALSE(LoadOnly());
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("item.dat"), std::string::npos);
}

TEST_F(StartupTest, CatalogueLinesAreKeptAsReadWhateverTheLineEnds) {
  // CP932 "木の実" and "小石", an empty line, a lone LF and no final terminator.
  const std::string kinomi = "\x96\xD8\x82\xCC\x8E\xC0";
  const std::string koishi = "\x8F\xAC\x90\xCE";
  g.content.Raw("txt/item.dat", kinomi + ",10,0,1,2\r\r\n" + koishi + ",\\5,1,2,0\nlast,1,2,3,4");
  ASSERT_TRUE(LoadOnly());
  ASSERT_EQ(frm().ItemCount, 4);
  EXPECT_EQ(frm().ItemCatalogue[0], "木の実,10,0,1,2");
  EXPECT_EQ(frm().ItemCatalogue[1], "");
  EXPECT_EQ(frm().ItemCatalogue[2], "小石,\\5,1,2,0");
  EXPECT_EQ(frm().ItemCatalogue[3], "last,1,2,3,4");
}

TEST_F(StartupTest, UnreadableBytesAreReportedByLineAndLoadingGoesOn) {
  g.content.Raw("txt/item.dat", "a,1,0,0,0\r\nb\xFF,2,0,0,0\r\nc,3,0,0,0\r\n");
  ASSERT_TRUE(LoadOnly());
  EXPECT_EQ(frm().ItemCount, 3);
  ASSERT_EQ(g.host.messages.size(), 1u);
  EXPECT_NE(g.host.messages[0].find("item.dat"), std::string::npos);
  EXPECT_NE(g.host.messages[0].find('2'), std::string::npos);
  EXPECT_EQ(frm().ItemCatalogue[2], "c,3,0,0,0");
}

TEST_F(StartupTest, TextSpeedFastIsCheckedAndTheTimerWaitsForTheFirstScene) {
  ASSERT_TRUE(g.Load(false));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frm().menu_tim_Click[i].Checked, i == 1) << i;
  EXPECT_EQ(frm().TimSay.Interval, 100);
  EXPECT_FALSE(frm().TimSay.Enabled);
  frm().Form_Activate();
  EXPECT_TRUE(frm().TimSay.Enabled);
  EXPECT_EQ(frm().OpenScene(), "opn");
}

TEST_F(StartupTest, TwelveBarsAndThreeGiftButtonsAreBuiltWithNames) {
  ASSERT_TRUE(g.Load());
  for (const auto& bar : frm().ShpStr) EXPECT_TRUE(bar.Visible);
  const char* names[] = {"ラテゥ", "ヒョウ", "マム"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(frm().ComStr[i].Visible);
    EXPECT_EQ(frm().ComStr[i].Caption, names[i]);
    EXPECT_EQ(frm().HeroineNames[i], names[i]);
    EXPECT_EQ(frm().Com[i].Caption, names[i]);
  }
  EXPECT_EQ(frm().Com[3].Caption, "森に行く");
  EXPECT_EQ(frm().Com[4].Caption, "家に帰る");
  EXPECT_EQ(frm().ComLst[0].Caption, "依頼解決");
  EXPECT_EQ(frm().ComLst[1].Caption, "アイテム売却");
  EXPECT_EQ(frm().MenuCom.Caption, "MenuCom");
  EXPECT_EQ(frm().TxtName.Text, "メイヒル");
  EXPECT_EQ(frm().Caption, "ぽるかみ");
  EXPECT_FALSE(frm().E.Visible);
}

TEST_F(StartupTest, WindowHeightIsFourFifthsOfTheScreenAndIsLaidOut) {
  g.host.screenW = 28800;
  g.host.screenH = 16200;
  ASSERT_TRUE(g.Load(false));
  EXPECT_DOUBLE_EQ(frm().Height, 12960);
  ASSERT_FALSE(g.host.geometries.empty());
  const auto& geo = g.host.geometries.back();
  EXPECT_DOUBLE_EQ(geo.height, 12960);
  EXPECT_DOUBLE_EQ(geo.width, 17280);
  EXPECT_DOUBLE_EQ(geo.left, 5760);
  EXPECT_DOUBLE_EQ(geo.top, 1620);
  EXPECT_EQ(frm().FontBase(), 15);
}

TEST_F(StartupTest, NameBoxKeepsAtMostEightCharacters) {
  ASSERT_TRUE(g.Load(false));
  frm().TxtName.SetText("あいうえおかきくけこ");
  EXPECT_EQ(frm().TxtName.Text, "あいうえおかきく");
}

TEST_F(StartupTest, UnloadClosesTheOpenScript) {
  g.content.Scene("opn", {"一", "二", "三"});
  ASSERT_TRUE(g.Load());
  ASSERT_TRUE(frm().OpenScene().has_value());
  bool cancel = false;
  frm().Form_Unload(cancel);
  EXPECT_FALSE(cancel);
  EXPECT_FALSE(frm().OpenScene().has_value());
  frm().TimSay_Timer();  // nothing left to read
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一");
}

class NewGameTest : public StartupTest {
 protected:
  void SetUp() override {
    for (const char* s : {"moneyend", "end", "010", "011", "012"}) g.content.Scene(s, {s});
    g.content.Picture("mori");
    ASSERT_TRUE(g.Load());
  }
};

TEST_F(NewGameTest, ResetsEverythingOfThePlayThrough) {
  frm().AddInventoryItem(0);
  g.rnd.fallback = 0.7;
  frm().MakeRequests();
  frm().AddStat(1, 2, 50);
  frm().Stage[2] = 5;
  frm().AdvanceDay(30, -20000);  // day 31, money gone: everything hidden and disabled
  ASSERT_FALSE(frm().Com[0].Visible);
  frm().Form_Activate();
  EXPECT_EQ(frm().Day, 1);
  EXPECT_EQ(frm().Money, 10000);
  for (int h = 0; h < 3; ++h) {
    EXPECT_EQ(frm().Stage[h], 1);
    for (int s = 0; s < 4; ++s) {
      EXPECT_EQ(frm().Stats[h][s], 0);
      EXPECT_EQ(frm().ShpStr[h * 4 + s].Geo.Width, 0);
    }
  }
  for (const auto& c : frm().Com) EXPECT_TRUE(c.Visible && c.Enabled);
  EXPECT_EQ(frm().Lst.ListCount(), 0);
  EXPECT_EQ(frm().LstIrai.ListCount(), 0);
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 1日  \\10000");
  EXPECT_EQ(frm().OpenScene(), "opn");
}

TEST_F(NewGameTest, RestartKeepsCatalogueAndTextSpeed) {
  frm().menu_tim_Click_Click(3);
  g.content.Catalogue({"別,1,0,0,0"});
  frm().Form_Activate();
  EXPECT_EQ(frm().ItemCount, 6);
  EXPECT_EQ(frm().ItemCatalogue[0], "木の実,10,0,1,2");
  EXPECT_EQ(frm().TimSay.Interval, 300);
  EXPECT_TRUE(frm().menu_tim_Click[3].Checked);
}

}  // namespace
}  // namespace porukami
