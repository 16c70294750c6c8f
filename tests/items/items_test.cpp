#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

using Names = std::vector<std::string>;

// The catalogues: the default one (0 木の実, 1 小石, 2 野草 common; 3 銀の指輪, 4 星のかけら,
// 5 月の涙 rare), an odd one, a one-line one and an empty file.
enum Cat { kDefault, kOdd, kTiny, kEmpty };
const char* const kNoSale = "売却するアイテムを選択して";

// A fresh game on the idle screen, its opening still running behind it.
struct Shop {
  testing::Game g;
  explicit Shop(Cat cat) {
    for (const char* s : {"moneyend", "end", "mori_3", "ive1"}) g.content.Scene(s, {s});
    g.content.Scene("opn", {"一", "二", "三"});
    if (cat == kOdd)
      g.content.Catalogue({"木の実,10,0,1,2", "", "野草,abc,2,0,1", "宝石,99999999999,3,3,3",
                           "謎,2.5,7,-1,x", "短い,12,,", "半,3.5,1.5,2.5,0.5"});
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
  // clang-format off
  const Search kSearches[] = {
      {kDefault, 0, {0, .1095, .8}, {}, "mori_3"},
      {kDefault, 0, {.99, .11, .1095, .5}, {}, "ive1"},
      {kDefault, 0, {.55, .11, .11, .305, .5, .31, .105, .99, .99, .11, .99},
       {"小石", "月の涙", "銀の指輪"}},
      {kDefault, 999, {.99, .5, .5, 0, 0, 0, 0}, {"木の実", "木の実"}},
      {kDefault, 1001, {0, .5, .5}, {}},
      {kTiny, 0, {.45, .5, .5, 0, .99, .99, .05, .99, .99, .99, .99},
       {"ひとつ", "ひとつ", "ひとつ"}},
      {kEmpty, 0, {.35, .5, .5, 0, 0, .5, .5, .5}, {}},
  };
  // clang-format on
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

// Home draws the number of requests (0, 1 or 2), then for each the item, the amount and the
// kind; the board holds at most 31. The rounds before post two each.
struct Post {
  Cat cat;
  int rounds;
  std::vector<double> draws;
  Names posted;
};

TEST(ItemsTest, RequestsArePostedWithTheirTexts) {
  // clang-format off
  const Post kPosts[] = {
      {kDefault, 0, {.7, .5, .01, 0, 0, .99999, .9},
       {"銀の指輪が欲しいです、代金は\\301で", "木の実を探しています、賞金は\\30000で"}},
      {kDefault, 0, {.5, .9, 0, .5}, {"月の涙をお願いしたい、お礼は\\1で"}},
      {kDefault, 0, {.3}, {}},
      {kTiny, 0, {.7, .99, 0, 0, .99, 0, 0},
       {"ひとつが欲しいです、代金は\\1で", "ひとつが欲しいです、代金は\\1で"}},
      {kEmpty, 0, {.7, .7}, {}},
      {kDefault, 15, {.7, .5, 0, .5}, {"銀の指輪をお願いしたい、お礼は\\1で"}},
      {kDefault, 16, {.7}, {}},
  };
  // clang-format on
  for (const Post& r : kPosts) {
    Shop s(r.cat);
    s.g.rnd.fallback = 0.7;
    for (int i = 0; i < r.rounds; ++i) s.f().MakeRequests();
    const Names before = s.f().LstIrai.Items;
    s.Draw(r.draws);
    s.f().MakeRequests();
    EXPECT_TRUE(r.cat == kEmpty || s.g.rnd.draws == static_cast<int>(r.draws.size()));
    EXPECT_EQ(Names(s.f().LstIrai.Items.begin() + before.size(), s.f().LstIrai.Items.end()),
              r.posted);
    EXPECT_TRUE(s.f().PicSaka.Visible);
  }
}

// Requests posted and items held, then clicks on 依頼解決 (0) or アイテム売却 (1) with a request
// line and an item line selected (-1: none). The right item earns the amount, a wrong one costs
// it as a fine; both lines go and the lines below move up. A sale earns the price as written,
// read as the number it begins with (half to even, clamped); money is capped at 100000. A line
// with no text counts as no selection. No day passes.
struct Deal {
  Cat cat;
  int amount;                             // money added first
  std::vector<std::array<int, 3>> posts;  // item, amount, kind
  std::vector<int> held;
  std::vector<std::array<int, 3>> clicks;  // button, request line, item line
  int money;
  std::string said;
  Names left;
  std::vector<int> board;  // the requests still there, by their first places
  Names prompts = {};
};

const std::string kPaid = "依頼を解決しました！　￥", kSold = "アイテムを売りました！　￥";
const std::string kFined = "依頼を間違えました！￥300罰金を取られました！", kGot = "手に入れました";

TEST(ItemsTest, SettlingAndSelling) {
  // clang-format off
  const Deal kDeals[] = {
      {kDefault, 0, {{4, 100, 0}, {3, 250, 2}, {1, 7, 1}}, {0, 3, 5}, {{0, 1, 1}}, 10250,
       kPaid + "250" + kGot, {"木の実", "月の涙"}, {0, 2}},
      {kDefault, 0, {{4, 100, 0}, {1, 7, 1}}, {3, 1}, {{0, 0, 0}, {0, 0, 0}}, 9907,
       kPaid + "7" + kGot, {}, {}},
      {kDefault, 0, {{2, 300, 0}}, {0, 2}, {{0, 0, 0}}, 9700, kFined, {"野草"}, {}},
      {kDefault, -9900, {{2, 300, 0}}, {0}, {{0, 0, 0}}, -200, kFined, {}, {}},
      {kDefault, 0, {{0, 10, 0}}, {0}, {{0, -1, -1}, {0, 0, -1}, {1, -1, 1}}, 10000, "",
       {"木の実"}, {0}, {"依頼を選択して", "依頼を解決するアイテムを選択して", kNoSale}},
      {kDefault, 0, {}, {0, 4, 1}, {{1, -1, 1}, {1, -1, 1}, {7, -1, 0}}, 13005,
       kSold + "5" + kGot, {"木の実"}, {}},
      {kOdd, 0, {}, {2}, {{1, -1, 0}}, 10000, kSold + "abc" + kGot, {}, {}},
      {kOdd, 0, {}, {3, 3}, {{1, -1, 0}, {1, -1, 0}}, 100000, kSold + "99999999999" + kGot, {}, {}},
      {kOdd, 0, {}, {4, 6}, {{1, -1, 0}, {1, -1, 0}}, 10006, kSold + "3.5" + kGot, {}, {}},
      {kOdd, 0, {}, {5, 1}, {{1, -1, 1}, {1, -1, 0}}, 10012, kSold + "12" + kGot, {""}, {},
       {kNoSale}},
  };
  // clang-format on
  for (const Deal& r : kDeals) {
    SCOPED_TRACE(r.said);
    Shop s(r.cat);
    Frm& f = s.f();
    f.AdvanceDay(0, r.amount);
    for (const auto& [k, amount, kind] : r.posts) s.Post(k, amount, kind);
    for (int k : r.held) f.AddInventoryItem(k);
    const Names requests = f.LstIrai.Items;
    f.GameStt();
    for (const auto& [button, q, c] : r.clicks) {
      f.LstIrai.ListIndex = q;
      f.Lst.ListIndex = c;
      f.ComLst_Click(button);
    }
    EXPECT_EQ(f.Money, r.money);
    EXPECT_EQ(f.LblDay.Caption, "ムルの月 1日  \\" + std::to_string(r.money));
    EXPECT_EQ(f.LblGame.Caption, r.said);
    EXPECT_EQ(f.Lst.Items, r.left);
    Names board;
    for (int i : r.board) board.push_back(requests[i]);
    EXPECT_EQ(f.LstIrai.Items, board);
    EXPECT_EQ(s.g.host.messages, r.prompts);
    EXPECT_EQ(f.OpenScene(), r.money < 0 ? "moneyend" : "opn");
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
