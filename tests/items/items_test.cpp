#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

// The default catalogue: 0 木の実, 1 小石, 2 野草 (common), 3 銀の指輪, 4 星のかけら, 5 月の涙.
class ItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* s : {"moneyend", "end", "mori_3", "ive1"}) g.content.Scene(s, {s});
    g.content.Scene("opn", {"一", "二", "三"});
    g.content.Picture("mori");
    if (!catalogue.empty()) g.content.Catalogue(catalogue);
    ASSERT_TRUE(g.Load());
  }
  void Forest(std::vector<double> draws) {
    g.rnd.queue.assign(draws.begin(), draws.end());
    g.rnd.draws = 0;
    frm().SearchForest();
  }
  // Posts one request for catalogue item k with the given amount and kind.
  void Post(int k, int amount, int kind) {
    const int n = frm().ItemCount;
    g.rnd.queue = {0.5, (k + 0.5) / n, (amount - 1 + 0.5) / 30000.0, (kind + 0.5) / 3};
    frm().MakeRequests();
  }
  void Hold(std::initializer_list<int> ks) {
    for (int k : ks) frm().AddInventoryItem(k);
  }
  Frm& frm() { return *g.frm; }
  std::vector<std::string> catalogue;
  Game g;
};

// ---- forest ------------------------------------------------------------------------------

TEST_F(ItemsTest, ForestSceneComesFirstAndFindsNothing) {
  Forest({0.0, 0.105, 0.75});
  EXPECT_EQ(g.rnd.draws, 3);
  EXPECT_EQ(frm().OpenScene(), "mori_3");
  EXPECT_EQ(frm().Lst.ListCount(), 0);
}

TEST_F(ItemsTest, SecondDrawCanStartAnEvent) {
  Forest({0.99, 0.11, 0.105, 0.5});
  EXPECT_EQ(g.rnd.draws, 4);
  EXPECT_EQ(frm().OpenScene(), "ive1");
  EXPECT_EQ(frm().Lst.ListCount(), 0);
}

TEST_F(ItemsTest, FindsFromTheThreeRangesInTheOrderDrawn) {
  frm().GameStt();
  Forest({0.45, 0.11, 0.11,    // three finds
          0.305, 0.5,          // narrow range: k = 1
          0.31, 0.105, 0.99,   // whole catalogue: k = 5
          0.99, 0.11, 0.99});  // all but the last two: k = 3
  EXPECT_EQ(g.rnd.draws, 11);
  EXPECT_EQ(frm().Lst.Items, (std::vector<std::string>{"小石", "月の涙", "銀の指輪"}));
  EXPECT_EQ(frm().LblGame.Caption,
            "\r\n小石がみつかったよ\r\n月の涙がみつかったよ\r\n銀の指輪がみつかったよ");
  const auto& row = frm().Inventory[1];
  EXPECT_EQ(row[0], "月の涙");
  EXPECT_EQ(row[1], "5000");
  EXPECT_EQ(row[2], "1");
  EXPECT_EQ(row[3], "2");
  EXPECT_EQ(row[4], "0");
  EXPECT_EQ(row[5], "5");
  EXPECT_EQ(frm().Inventory[2][5], "3");
}

TEST_F(ItemsTest, InventoryHoldsAtMost1001Items) {
  for (int i = 0; i < 999; ++i) frm().AddInventoryItem(i % 6);
  frm().GameStt();
  Forest({0.99, 0.5, 0.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
  EXPECT_EQ(frm().Lst.ListCount(), 1001);
  EXPECT_EQ(g.rnd.draws, 7);
  EXPECT_EQ(frm().LblGame.Caption, "\r\n木の実がみつかったよ\r\n木の実がみつかったよ");
  EXPECT_EQ(frm().Lst.Items[1000], "木の実");

  g.rnd.queue = {0.0, 0.5, 0.5, 0.0, 0.0};
  frm().Com_Click(3);
  EXPECT_EQ(frm().Lst.ListCount(), 1001);
  EXPECT_EQ(frm().LblGame.Caption, "");
  EXPECT_EQ(frm().Money, 9500);
  EXPECT_EQ(frm().Day, 2);
}

// ---- requests ----------------------------------------------------------------------------

TEST_F(ItemsTest, RequestsArePostedWithTheirTexts) {
  g.rnd.queue = {0.7, 0.5, 249.5 / 30000, 0.0, 0.0, 0.99999, 0.9};
  frm().MakeRequests();
  EXPECT_EQ(g.rnd.draws, 7);
  EXPECT_EQ(frm().LstIrai.Items,
            (std::vector<std::string>{"銀の指輪が欲しいです、代金は\\250で",
                                      "木の実を探しています、賞金は\\30000で"}));
  EXPECT_EQ(frm().Requests[0][0], "銀の指輪");
  EXPECT_EQ(frm().Requests[0][1], "250");
  EXPECT_EQ(frm().Requests[1][1], "30000");
  EXPECT_TRUE(frm().PicSaka.Visible);
  Post(5, 1, 1);
  EXPECT_EQ(frm().LstIrai.Items[2], "月の涙をお願いしたい、お礼は\\1で");
}

TEST_F(ItemsTest, NoRequestStillShowsTheBoard) {
  Post(0, 100, 0);
  frm().GameStt();
  g.rnd.queue = {0.3};
  g.rnd.draws = 0;
  frm().MakeRequests();
  EXPECT_EQ(g.rnd.draws, 1);
  EXPECT_EQ(frm().LstIrai.ListCount(), 1);
  EXPECT_TRUE(frm().PicSaka.Visible);
}

TEST_F(ItemsTest, BoardHoldsAtMost31Requests) {
  g.rnd.fallback = 0.7;  // two requests each time
  for (int i = 0; i < 15; ++i) frm().MakeRequests();
  ASSERT_EQ(frm().LstIrai.ListCount(), 30);
  g.rnd.draws = 0;
  frm().MakeRequests();
  EXPECT_EQ(frm().LstIrai.ListCount(), 31);
  EXPECT_EQ(g.rnd.draws, 4);
  frm().MakeRequests();
  EXPECT_EQ(frm().LstIrai.ListCount(), 31);
  EXPECT_EQ(g.rnd.draws, 5);
  EXPECT_TRUE(frm().PicSaka.Visible);
}

// ---- settling and selling ----------------------------------------------------------------

TEST_F(ItemsTest, RightItemEarnsTheRewardAndBothRowsGo) {
  Post(4, 100, 0);
  Post(3, 250, 2);
  Post(1, 7, 1);
  Hold({0, 3, 5});
  frm().LstIrai.ListIndex = 1;
  frm().Lst.ListIndex = 1;
  frm().ComLst_Click(0);
  EXPECT_EQ(frm().Money, 10250);
  EXPECT_EQ(frm().LblDay.Caption, "ムルの月 1日  \\10250");
  EXPECT_EQ(frm().LblGame.Caption, "依頼を解決しました！　￥250手に入れました");
  EXPECT_EQ(frm().Lst.Items, (std::vector<std::string>{"木の実", "月の涙"}));
  EXPECT_EQ(frm().Inventory[1][0], "月の涙");
  EXPECT_EQ(frm().Inventory[1][5], "5");
  EXPECT_EQ(frm().LstIrai.ListCount(), 2);
  EXPECT_EQ(frm().LstIrai.Items[1], "小石をお願いしたい、お礼は\\7で");
  EXPECT_EQ(frm().Requests[1][0], "小石");
  EXPECT_EQ(frm().Requests[1][1], "7");
  EXPECT_EQ(frm().Day, 1);
}

TEST_F(ItemsTest, LaterRowsMovedUpAreSettledByTheirNewLine) {
  Post(4, 100, 0);
  Post(1, 7, 1);
  Hold({3, 1});
  frm().LstIrai.ListIndex = 0;
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(0);  // wrong item
  frm().LstIrai.ListIndex = 0;
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(0);
  EXPECT_EQ(frm().Money, 10000 - 100 + 7);
  EXPECT_EQ(frm().LstIrai.ListCount(), 0);
  EXPECT_EQ(frm().Lst.ListCount(), 0);
}

TEST_F(ItemsTest, WrongItemCostsTheAmountAsAFine) {
  Post(2, 300, 0);
  Hold({0, 2});
  frm().LstIrai.ListIndex = 0;
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(0);
  EXPECT_EQ(frm().Money, 9700);
  EXPECT_EQ(frm().LblGame.Caption, "依頼を間違えました！￥300罰金を取られました！");
  EXPECT_EQ(frm().Lst.Items, std::vector<std::string>{"野草"});
  EXPECT_EQ(frm().LstIrai.ListCount(), 0);
}

TEST_F(ItemsTest, FineBelowZeroEndsTheGameButStillRemovesBoth) {
  frm().AdvanceDay(0, -9900);
  Post(2, 300, 0);
  Hold({0});
  frm().LstIrai.ListIndex = 0;
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(0);
  EXPECT_EQ(frm().Money, -200);
  EXPECT_EQ(frm().OpenScene(), "moneyend");
  EXPECT_FALSE(frm().Com[2].Enabled);
  EXPECT_EQ(frm().LblGame.Caption, "依頼を間違えました！￥300罰金を取られました！");
  EXPECT_EQ(frm().Lst.ListCount(), 0);
  EXPECT_EQ(frm().LstIrai.ListCount(), 0);
}

TEST_F(ItemsTest, SettlingAndSellingPromptWithoutASelection) {
  Post(0, 10, 0);
  Hold({0});
  frm().ComLst_Click(0);
  frm().LstIrai.ListIndex = 0;
  frm().ComLst_Click(0);
  frm().ComLst_Click(1);
  EXPECT_EQ(g.host.messages,
            (std::vector<std::string>{"依頼を選択して", "依頼を解決するアイテムを選択して",
                                      "売却するアイテムを選択して"}));
  EXPECT_EQ(frm().Money, 10000);
  EXPECT_EQ(frm().Lst.ListCount(), 1);
  EXPECT_EQ(frm().LstIrai.ListCount(), 1);
}

TEST_F(ItemsTest, SellingAddsThePriceAndRemovesTheItem) {
  Hold({0, 4, 1});
  frm().Lst.ListIndex = 1;
  frm().ComLst_Click(1);
  EXPECT_EQ(frm().Money, 13000);
  EXPECT_EQ(frm().LblGame.Caption, "アイテムを売りました！　￥3000手に入れました");
  EXPECT_EQ(frm().Lst.Items, (std::vector<std::string>{"木の実", "小石"}));
  EXPECT_EQ(frm().Inventory[1][0], "小石");
  frm().Lst.ListIndex = 1;
  frm().ComLst_Click(1);  // the last line: nothing to move up
  EXPECT_EQ(frm().Lst.Items, std::vector<std::string>{"木の実"});
  frm().ComLst_Click(7);  // no such button
  EXPECT_EQ(frm().Money, 13005);
}

TEST_F(ItemsTest, GiftWithoutASelectionOnlyPrompts) {
  Hold({3});
  frm().ComStr_Click(0);
  EXPECT_EQ(g.host.messages, std::vector<std::string>{"あげるアイテムを選んで！"});
  EXPECT_EQ(frm().Lst.ListCount(), 1);
  EXPECT_EQ(frm().Stats[1][3], 0);
  EXPECT_EQ(g.rnd.draws, 0);
}

TEST_F(ItemsTest, CommonGiftLowersItsStatAndMovesEveryStatThree) {
  frm().AddStat(0, 0, 50);
  frm().AddStat(2, 3, 20);
  Hold({3, 0});
  frm().Lst.ListIndex = 1;
  g.rnd.queue = {0.61};
  frm().ComStr_Click(0);
  EXPECT_EQ(g.rnd.draws, 1);
  EXPECT_EQ(frm().Stats[0][0], 20);
  EXPECT_DOUBLE_EQ(frm().ShpStr[0].Geo.Width, 20);
  EXPECT_EQ(frm().Stats[0][3], 3);
  EXPECT_EQ(frm().Stats[2][3], 10);  // before her: -10
  EXPECT_EQ(frm().Stats[1][3], 1);   // after her: +1
  EXPECT_EQ(frm().LblGame.Caption, "ラテゥに木の実をそっとあげたよ");
  EXPECT_EQ(frm().Lst.Items, std::vector<std::string>{"銀の指輪"});
  EXPECT_EQ(frm().Money, 10000);
  EXPECT_EQ(frm().Day, 1);
}

TEST_F(ItemsTest, RareGiftRaisesTheStatItNamesForHer) {
  Hold({3});
  frm().Lst.ListIndex = 0;
  g.rnd.queue = {0.5, 0.99};
  frm().ComStr_Click(1);  // 銀の指輪 names stat 1 for ヒョウ
  EXPECT_EQ(frm().Stats[1][1], 20);
  EXPECT_EQ(frm().Stats[1][3], 4);
  EXPECT_EQ(frm().Stats[0][3], 0);  // clamped at 0
  EXPECT_EQ(frm().Stats[2][3], 1);
  EXPECT_EQ(frm().LblGame.Caption, "ヒョウに銀の指輪をそっとあげたよ");
  EXPECT_EQ(frm().Lst.ListCount(), 0);
}

TEST_F(ItemsTest, GiftDuringASceneChangesStatsBehindIt) {
  ASSERT_TRUE(frm().Lbl.Visible);
  Hold({5});
  frm().Lst.ListIndex = 0;
  g.rnd.queue = {0.99, 0.0};
  frm().ComStr_Click(2);  // 月の涙 names stat 0 for マム
  EXPECT_EQ(frm().Stats[2][0], 39);
  EXPECT_EQ(frm().LblGame.Caption, "マムに月の涙をそっとあげたよ");
  EXPECT_FALSE(frm().LblGame.Visible);
  EXPECT_TRUE(frm().Lbl.Visible);
  EXPECT_EQ(frm().Lbl.Caption, "\r\n一");
  EXPECT_EQ(frm().Lst.ListCount(), 0);
}

class OddCatalogueTest : public ItemsTest {
 protected:
  OddCatalogueTest() {
    catalogue = {"木の実,10,0,1,2", "",        "野草,abc,2,0,1",    "宝石,99999999999,3,3,3",
                 "謎,2.5,7,-1,x",   "短い,12", "半,3.5,1.5,2.5,0.5"};
  }
};

TEST_F(OddCatalogueTest, PriceThatIsNotANumberSellsForNothing) {
  Hold({2});
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(1);
  EXPECT_EQ(frm().Money, 10000);
  EXPECT_EQ(frm().LblGame.Caption, "アイテムを売りました！　￥abc手に入れました");
  EXPECT_EQ(frm().Lst.ListCount(), 0);
}

TEST_F(OddCatalogueTest, HugePriceIsClampedAndMoneyCapped) {
  Hold({3, 3});
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(1);
  EXPECT_EQ(frm().Money, 100000);
  EXPECT_EQ(frm().LblGame.Caption, "アイテムを売りました！　￥99999999999手に入れました");
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(1);
  EXPECT_EQ(frm().Money, 100000);
}

TEST_F(OddCatalogueTest, PricesAndStatIndexesRoundHalvesToEven) {
  Hold({4, 6});
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(1);
  frm().Lst.ListIndex = 0;
  frm().ComLst_Click(1);
  EXPECT_EQ(frm().Money, 10000 + 2 + 4);
  EXPECT_EQ(frm().LblGame.Caption, "アイテムを売りました！　￥3.5手に入れました");
  const int expected[3] = {2, 2, 0};  // 1.5, 2.5 and 0.5
  for (int h = 0; h < 3; ++h) {
    Hold({6});
    frm().Lst.ListIndex = 0;
    g.rnd.queue = {0.5, 0.0};
    frm().ComStr_Click(h);
    EXPECT_EQ(frm().Stats[h][expected[h]], 20) << h;
  }
}

TEST_F(OddCatalogueTest, GiftNamingStatThreeChangesItTwice) {
  frm().AddStat(1, 3, 95);
  Hold({3});
  frm().Lst.ListIndex = 0;
  g.rnd.queue = {0.99, 0.99};
  frm().ComStr_Click(1);
  EXPECT_EQ(frm().Stats[1][3], 100);
  EXPECT_EQ(frm().Stats[1][0] + frm().Stats[1][1] + frm().Stats[1][2], 0);
}

TEST_F(OddCatalogueTest, GiftStatOutsideTheFourChangesNoneOfHersButTheRestHappens) {
  frm().AddStat(2, 3, 30);
  for (int h = 0; h < 2; ++h) {
    Hold({4});
    frm().Lst.ListIndex = 0;
    g.rnd.queue = {0.5, 0.5};
    frm().ComStr_Click(h);  // stat 7 for ラテゥ, -1 for ヒョウ
    for (int s = 0; s < 3; ++s) EXPECT_EQ(frm().Stats[h][s], 0) << h << s;
    EXPECT_EQ(frm().Lst.ListCount(), 0);
    EXPECT_EQ(frm().LblGame.Caption, frm().HeroineNames[h] + "に謎をそっとあげたよ");
  }
  EXPECT_EQ(frm().Stats[0][3], 0);            // +2 as receiver, then -10 before ヒョウ
  EXPECT_EQ(frm().Stats[1][3], 1 + 2);        // +1 after ラテゥ, +2 as receiver
  EXPECT_EQ(frm().Stats[2][3], 30 - 10 + 1);  // before ラテゥ, after ヒョウ
}

TEST_F(OddCatalogueTest, ShortLinesReadMissingFieldsAsEmpty) {
  Hold({5, 1});
  EXPECT_EQ(frm().Lst.Items, (std::vector<std::string>{"短い", ""}));
  EXPECT_EQ(frm().Inventory[0][1], "12");
  EXPECT_EQ(frm().Inventory[0][2], "");
  EXPECT_EQ(frm().Inventory[0][4], "");
  EXPECT_EQ(frm().Inventory[0][5], "5");
  EXPECT_EQ(frm().Inventory[1][0], "");
  EXPECT_EQ(frm().Inventory[1][5], "1");
  frm().Lst.ListIndex = 1;  // a line with no text counts as no selection
  frm().ComLst_Click(1);
  EXPECT_EQ(g.host.messages, std::vector<std::string>{"売却するアイテムを選択して"});
  frm().Lst.ListIndex = 0;
  g.rnd.queue = {0.99, 0.0};
  frm().ComStr_Click(0);  // an empty stat field reads as stat 0
  EXPECT_EQ(frm().Stats[0][0], 39);
}

class TinyCatalogueTest : public ItemsTest {
 protected:
  TinyCatalogueTest() { catalogue = {"ひとつ"}; }
};

TEST_F(TinyCatalogueTest, ForestNeverDrawsPastTheEnd) {
  // narrow range, whole catalogue, whole but the last two (which leaves nothing)
  Forest({0.45, 0.5, 0.5, 0.0, 0.99, 0.99, 0.05, 0.99, 0.99, 0.99, 0.99});
  EXPECT_EQ(g.rnd.draws, 11);
  ASSERT_GE(frm().Lst.ListCount(), 2);
  for (const auto& name : frm().Lst.Items) EXPECT_EQ(name, "ひとつ");
  for (int i = 0; i < frm().Lst.ListCount(); ++i) EXPECT_EQ(frm().Inventory[i][5], "0");
}

TEST_F(TinyCatalogueTest, RequestsDrawOnlyTheLinesThereAre) {
  g.rnd.queue = {0.7, 0.99, 0.0, 0.0, 0.99, 0.0, 0.0};
  frm().MakeRequests();
  EXPECT_EQ(frm().LstIrai.Items, (std::vector<std::string>{"ひとつが欲しいです、代金は\\1で",
                                                           "ひとつが欲しいです、代金は\\1で"}));
}

class EmptyCatalogueTest : public ItemsTest {
 protected:
  void SetUp() override {
    g.content.Raw("txt/item.dat", "");
    ItemsTest::SetUp();
  }
};

TEST_F(EmptyCatalogueTest, ForestFindsNothingButKeepsItsDraws) {
  frm().GameStt();
  Forest({0.25, 0.5, 0.5, 0.0, 0.0, 0.5, 0.5, 0.5});
  EXPECT_EQ(frm().Lst.ListCount(), 0);
  EXPECT_EQ(frm().LblGame.Caption, "");
  EXPECT_EQ(g.rnd.draws, 8);  // count, two event draws, then c, k and c, d, k
}

TEST_F(EmptyCatalogueTest, RequestsPostNothing) {
  g.rnd.fallback = 0.7;
  frm().MakeRequests();
  EXPECT_EQ(frm().LstIrai.ListCount(), 0);
  EXPECT_TRUE(frm().PicSaka.Visible);
}

}  // namespace
}  // namespace porukami
