#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

using Names = std::vector<std::string>;

// The catalogues: the default one (0 木の実, 1 小石, 2 野草 common; 3 銀の指輪, 4 星のかけら,
// 5 月の涙 rare), an odd one, a one-line one and an empty file.
enum Cat { kDefault, kOdd, kTiny, kEmpty };

// A fresh game on the idle screen, its opening still running behind it.
struct Shop {
  testing::Game g;
  explicit Shop(Cat cat) {
    for (const char* s : {"moneyend", "end", "mori_3", "ive1"}) g.content.Scene(s, {s});
    g.content.Scene("opn", {"一", "二", "三"});
    if (cat == kOdd)
      g.content.Catalogue({"木の実,10,0,1,2", "", "野草,abc,2,0,1", "宝石,99999999999,3,3,3",
                           "謎,2.5,7,-1,x", "短い,12", "半,3.5,1.5,2.5,0.5"});
    if (cat == kTiny) g.content.Catalogue({"ひとつ"});
    if (cat == kEmpty) g.content.Raw("txt/item.dat", "");
    EXPECT_TRUE(g.Load());
  }
  Frm& f() { return *g.frm; }
  void Draw(const std::vector<double>& draws) {
    g.rnd.queue.assign(draws.begin(), draws.end());
    g.rnd.draws = 0;
  }
  // Posts one request for catalogue item k with the given amount and kind.
  void Post(int k, int amount, int kind) {
    Draw({0.5, (k + 0.5) / f().ItemCount, (amount - 0.5) / 30000.0, (kind + 0.5) / 3});
    f().MakeRequests();
  }
};

std::string Found(const Names& names) {
  std::string s;
  for (const auto& n : names) s += "\r\n" + n + "がみつかったよ";
  return s;
}

// The forest draws the number of finds, then a scene (11 in 100) or an event (11 in 100); then
// for each find the range (3 in 10 the first three items, else 11 in 100 the whole catalogue and
// the rest all but the last two) and the item, never past the end of the catalogue, and never
// more than 1001 items held.
struct Search {
  Cat cat;
  int held;
  std::vector<double> draws;
  Names finds;
  std::string scene = "opn";
};

TEST(ItemsTest, ForestFindsWhatItsDrawsName) {
  const Search kSearches[] = {
      {kDefault, 0, {0.0, 0.105, 0.75}, {}, "mori_3"},
      {kDefault, 0, {0.99, 0.11, 0.105, 0.5}, {}, "ive1"},
      {kDefault,
       0,
       {0.45, 0.11, 0.11, 0.305, 0.5, 0.31, 0.105, 0.99, 0.99, 0.11, 0.99},
       {"小石", "月の涙", "銀の指輪"}},
      {kDefault, 999, {0.99, 0.5, 0.5, 0.0, 0.0, 0.0, 0.0}, {"木の実", "木の実"}},
      {kDefault, 1001, {0.0, 0.5, 0.5}, {}},
      {kTiny,
       0,
       {0.45, 0.5, 0.5, 0.0, 0.99, 0.99, 0.05, 0.99, 0.99, 0.99, 0.99},
       {"ひとつ", "ひとつ", "ひとつ"}},
      {kEmpty, 0, {0.25, 0.5, 0.5, 0.0, 0.0, 0.5, 0.5, 0.5}, {}},
  };
  for (const Search& r : kSearches) {
    SCOPED_TRACE(Found(r.finds));
    Shop s(r.cat);
    for (int i = 0; i < r.held; ++i) s.f().AddInventoryItem(i % 6);
    s.f().GameStt();
    s.Draw(r.draws);
    s.f().SearchForest();
    EXPECT_EQ(s.g.rnd.draws, static_cast<int>(r.draws.size()));
    EXPECT_EQ(s.f().OpenScene(), r.scene);
    EXPECT_EQ(s.f().LblGame.Caption, Found(r.finds));
    const Names& items = s.f().Lst.Items;
    ASSERT_EQ(items.size(), r.held + r.finds.size());
    EXPECT_EQ(Names(items.begin() + r.held, items.end()), r.finds);
  }
}

// Home draws the number of requests (0, 1 or 2), then for each the item, the amount and the kind.
TEST(ItemsTest, RequestsArePostedWithTheirTexts) {
  const std::pair<Cat, std::vector<double>> kDraws[] = {
      {kDefault, {0.7, 0.5, 249.5 / 30000, 0.0, 0.0, 0.99999, 0.9}},
      {kDefault, {0.5, 5.5 / 6, 0.5 / 30000, 1.5 / 3}},
      {kDefault, {0.3}},
      {kTiny, {0.7, 0.99, 0.0, 0.0, 0.99, 0.0, 0.0}},
      {kEmpty, {0.7, 0.7}}};
  const Names kBoards[] = {
      {"銀の指輪が欲しいです、代金は\\250で", "木の実を探しています、賞金は\\30000で"},
      {"月の涙をお願いしたい、お礼は\\1で"},
      {},
      {"ひとつが欲しいです、代金は\\1で", "ひとつが欲しいです、代金は\\1で"},
      {}};
  for (int i = 0; i < 5; ++i) {
    Shop s(kDraws[i].first);
    s.Draw(kDraws[i].second);
    s.f().MakeRequests();
    EXPECT_TRUE(i == 4 || s.g.rnd.draws == static_cast<int>(kDraws[i].second.size()));
    EXPECT_EQ(s.f().LstIrai.Items, kBoards[i]);
    EXPECT_TRUE(s.f().PicSaka.Visible);
  }
}

TEST(ItemsTest, BoardHoldsAtMost31Requests) {
  Shop s(kDefault);
  s.g.rnd.fallback = 0.7;  // two requests each time
  for (int i = 0; i < 15; ++i) s.f().MakeRequests();
  ASSERT_EQ(s.f().LstIrai.ListCount(), 30);
  for (int draws : {4, 1}) {
    s.g.rnd.draws = 0;
    s.f().MakeRequests();
    EXPECT_EQ(s.f().LstIrai.ListCount(), 31);
    EXPECT_EQ(s.g.rnd.draws, draws);
  }
}

// Requests posted and items held, then 依頼解決 clicked with a request line and an item line
// selected (-1: none). The right item earns the amount, a wrong one costs it as a fine; both
// lines go and the lines below move up. No day passes.
struct Settle {
  int amount;                             // money added first
  std::vector<std::array<int, 3>> posts;  // item, amount, kind
  std::vector<int> held;
  std::vector<std::pair<int, int>> picks;
  int money, earned;
  std::vector<int> left, board;  // the items and requests still there, by their first places
  Names prompts = {};
};

const Names kAsk = {"依頼を選択して", "依頼を解決するアイテムを選択して"};

TEST(ItemsTest, SettlingPaysTheRightItemAndFinesAWrongOne) {
  const Settle kSettles[] = {
      {0, {{4, 100, 0}, {3, 250, 2}, {1, 7, 1}}, {0, 3, 5}, {{1, 1}}, 10250, 250, {0, 2}, {0, 2}},
      {0, {{4, 100, 0}, {1, 7, 1}}, {3, 1}, {{0, 0}, {0, 0}}, 9907, 7, {}, {}},
      {0, {{2, 300, 0}}, {0, 2}, {{0, 0}}, 9700, -300, {1}, {}},
      {-9900, {{2, 300, 0}}, {0}, {{0, 0}}, -200, -300, {}, {}},
      {0, {{0, 10, 0}}, {0}, {{-1, -1}, {0, -1}}, 10000, 0, {0}, {0}, kAsk},
  };
  for (const Settle& r : kSettles) {
    SCOPED_TRACE(r.money);
    Shop s(kDefault);
    Frm& f = s.f();
    f.AdvanceDay(0, r.amount);
    for (const auto& [k, amount, kind] : r.posts) s.Post(k, amount, kind);
    for (int k : r.held) f.AddInventoryItem(k);
    const Names items = f.Lst.Items, requests = f.LstIrai.Items;
    f.GameStt();
    for (const auto& [q, c] : r.picks) {
      f.LstIrai.ListIndex = q;
      f.Lst.ListIndex = c;
      f.ComLst_Click(0);
    }
    EXPECT_EQ(f.Money, r.money);
    EXPECT_EQ(f.LblDay.Caption, "ムルの月 1日  \\" + std::to_string(r.money));
    const std::string n = std::to_string(std::abs(r.earned));
    EXPECT_EQ(f.LblGame.Caption, r.earned > 0 ? "依頼を解決しました！　￥" + n + "手に入れました"
                                 : r.earned < 0
                                     ? "依頼を間違えました！￥" + n + "罰金を取られました！"
                                     : "");
    Names left, board;
    for (int i : r.left) left.push_back(items[i]);
    for (int i : r.board) board.push_back(requests[i]);
    EXPECT_EQ(f.Lst.Items, left);
    EXPECT_EQ(f.LstIrai.Items, board);
    EXPECT_EQ(s.g.host.messages, r.prompts);
    EXPECT_EQ(f.OpenScene(), r.money < 0 ? "moneyend" : "opn");
  }
}

// Items held, then アイテム売却 clicked with an item line selected: the price as the catalogue
// writes it is shown, and read as the number it begins with (rounded half to even, clamped),
// money capped at 100000. A line with no text counts as no selection.
struct Sale {
  Cat cat;
  std::vector<int> held, picks;
  int money;
  std::string price;
  Names left;
  bool prompt = false;
};

TEST(ItemsTest, SellingAddsThePrice) {
  const Sale kSales[] = {
      {kDefault, {0, 4, 1}, {1, 1}, 13005, "5", {"木の実"}},
      {kDefault, {0}, {-1}, 10000, "", {"木の実"}, true},
      {kOdd, {2}, {0}, 10000, "abc", {}},
      {kOdd, {3, 3}, {0, 0}, 100000, "99999999999", {}},
      {kOdd, {4, 6}, {0, 0}, 10006, "3.5", {}},
      {kOdd, {5, 1}, {1, 0}, 10012, "12", {""}, true},
  };
  for (const Sale& r : kSales) {
    SCOPED_TRACE(r.price);
    Shop s(r.cat);
    Frm& f = s.f();
    for (int k : r.held) f.AddInventoryItem(k);
    f.GameStt();
    for (int c : r.picks) {
      f.Lst.ListIndex = c;
      f.ComLst_Click(1);
    }
    f.ComLst_Click(7);  // no such button
    EXPECT_EQ(f.Money, r.money);
    EXPECT_EQ(f.LblGame.Caption,
              r.price.empty() ? "" : "アイテムを売りました！　￥" + r.price + "手に入れました");
    EXPECT_EQ(f.Lst.Items, r.left);
    EXPECT_EQ(s.g.host.messages, r.prompt ? Names{"売却するアイテムを選択して"} : Names{});
  }
}

// A gift of the selected item to heroine h: a common one (index below 3) lowers the stat it
// names for her by 30, a rare one raises it by a draw below 40; then her stat three rises by a
// draw below 5, the heroine before her loses 10 and the one after her gains 1. An item naming no
// stat 0 to 3 changes none of hers; the rest still happens. Play and the scene behind go on.
struct Gift {
  Cat cat;
  std::array<int, 3> before;  // heroine, stat, value
  int item, h;                // item -1: one held, none selected
  std::vector<double> draws;
  std::array<int, 12> after;
};

TEST(ItemsTest, GiftsMoveTheStats) {
  const Gift kGifts[] = {
      {kDefault, {0, 0, 0}, -1, 0, {}, {}},
      {kDefault, {0, 0, 50}, 0, 0, {0.61}, {20, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0}},
      {kDefault, {2, 3, 20}, 0, 0, {0.61}, {0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 10}},
      {kDefault, {0, 0, 0}, 3, 1, {0.5, 0.99}, {0, 0, 0, 0, 0, 20, 0, 4, 0, 0, 0, 1}},
      {kDefault, {0, 0, 0}, 5, 2, {0.99, 0.0}, {0, 0, 0, 1, 0, 0, 0, 0, 39, 0, 0, 0}},
      {kOdd, {0, 0, 0}, 6, 0, {0.5, 0.0}, {0, 0, 20, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {kOdd, {0, 0, 0}, 6, 1, {0.5, 0.0}, {0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 1}},
      {kOdd, {0, 0, 0}, 6, 2, {0.5, 0.0}, {0, 0, 0, 1, 0, 0, 0, 0, 20, 0, 0, 0}},
      {kOdd, {1, 3, 95}, 3, 1, {0.99, 0.99}, {0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 1}},
      {kOdd, {2, 3, 30}, 4, 0, {0.5, 0.5}, {0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 20}},
      {kOdd, {2, 3, 30}, 4, 1, {0.5, 0.5}, {0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 31}},
      {kOdd, {0, 0, 0}, 4, 2, {0.5, 0.5}, {0, 0, 0, 1, 0, 0, 0, 0, 20, 0, 0, 2}},
      {kOdd, {0, 0, 0}, 5, 0, {0.99, 0.0}, {39, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
  };
  const Names kHer = {"ラテゥ", "ヒョウ", "マム"};
  for (const Gift& r : kGifts) {
    Shop s(r.cat);
    Frm& f = s.f();
    f.AddStat(r.before[0], r.before[1], r.before[2]);
    f.AddInventoryItem(r.item < 0 ? 3 : r.item);
    f.Lst.ListIndex = r.item < 0 ? -1 : 0;
    const std::string item = f.Lst.Items[0], said = f.LblGame.Caption;
    SCOPED_TRACE(item + " " + kHer[r.h]);
    s.Draw(r.draws);
    f.ComStr_Click(r.h);
    EXPECT_EQ(s.g.rnd.draws, static_cast<int>(r.draws.size()));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(f.Stats[i / 4][i % 4], r.after[i]) << i;
    EXPECT_EQ(f.LblGame.Caption, r.item < 0 ? said : kHer[r.h] + "に" + item + "をそっとあげたよ");
    EXPECT_EQ(f.Lst.ListCount(), r.item < 0 ? 1 : 0);
    EXPECT_EQ(s.g.host.messages, r.item < 0 ? Names{"あげるアイテムを選んで！"} : Names{});
    EXPECT_TRUE(f.Lbl.Visible && !f.LblGame.Visible);
    EXPECT_EQ(f.Lbl.Caption, "\r\n一");
    EXPECT_EQ(f.Money + f.Day, 10001);
  }
}

}  // namespace
}  // namespace porukami
