#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <optional>
#include <sstream>
#include <tuple>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;
using Lines = std::vector<std::string>;

TEST(StartupTest, CatalogueLoadsWholeOrStopsWithAMessageNamingTheFile) {
  // The catalogue's bytes (none: no file), the lines read (-1: start-up stops), the first of them
  // and the message after the catalogue's name.
  using Case = std::tuple<std::optional<std::string>, int, Lines, std::string>;
  // clang-format off
  for (const auto& [bytes, count, lines, message] : std::vector<Case>{
           {std::nullopt, -1, {}, "を開けません。ゲームを終了します。"}, {"", 0, {}, ""},
           {std::string(1001, '\n'), 1001, {""}, ""},
           {std::string(1002, '\n'), -1, {}, "の行が多すぎます（最大 1001 行）。ゲームを終了します。"},
           // CP932 "木の実" and "小石", an empty line, a lone LF and no last line end.
           {"\x96\xD8\x82\xCC\x8E\xC0,10\r\r\n\x8F\xAC\x90\xCE,\\5\nz", 4,
            {"木の実,10", "", "小石,\\5", "z"}, ""},
           {"a\r\nb\xFF\r\nc\r\n", 3, {"a", "b\xEF\xBF\xBD", "c"}, "の 2 行目に読めない文字があります。"},
           {"\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r", 11,
            {"\xEF\xBF\xBD"}, "の 1、2、3、4、5、6、7、8、9、10 ほか 行目に読めない文字があります。"}}) {
    // clang-format on
    Game g;
    if (bytes) g.content.Raw("txt/item.dat", *bytes);
    g.frm = std::make_unique<Frm>(g.host, g.rnd);
    EXPECT_EQ(g.frm->Form_Load(), count >= 0);
    EXPECT_EQ(g.frm->ItemCount, std::max(count, 0));
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(g.frm->ItemCatalogue[i], lines[i]);
    const std::string path =
        "アイテム表「" + (g.content.dir() / "txt" / "item.dat").string() + "」";
    EXPECT_EQ(g.host.messages, message.empty() ? Lines{} : Lines{path + message});
  }
}

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << +c.r << ',' << +c.g << ',' << +c.b;
}
std::ostream& operator<<(std::ostream& out, const Geometry& g) {
  return out << g.Left << ' ' << g.Top << ' ' << g.Width << ' ' << g.Height;
}
std::ostream& operator<<(std::ostream& out, const Scale& s) {
  return out << std::bit_cast<Geometry>(s);  // the same four numbers
}

// The window as the player meets it, a line per control, to hold against window.txt.
std::string Describe(const Frm& f) {
  std::ostringstream out;
  out << f.Caption << " at " << Geometry{f.Left, f.Top, f.Width, f.Height} << " scale "
      << f.ScaleSys << " colour " << f.BackColor << " font " << f.FontBase();
  const auto put = [&](const Control& c) -> std::ostream& {
    return out << '\n'
               << c.Name << (c.Visible ? "" : " hidden") << (c.Enabled ? "" : " off") << " at "
               << c.Geo << " colours " << c.BackColor << " / " << c.ForeColor << " font "
               << c.FontSize;
  };
  for (const Button* b : {&f.Com[0], &f.Com[1], &f.Com[2], &f.Com[3], &f.Com[4], &f.ComStr[0],
                          &f.ComStr[1], &f.ComStr[2], &f.ComLst[0], &f.ComLst[1], &f.MenuCom})
    put(*b) << " \"" << b->Caption << '"';
  for (const Label* l : {&f.LblGame, &f.Lbl, &f.LblBak[0], &f.LblBak[1], &f.LblDay})
    put(*l) << " \"" << l->Caption << '"' << (l->Bold ? " bold" : "")
            << (l->Align == Alignment::Center ? " centred" : "");
  for (const PictureBox* p : {&f.Pic, &f.PicSaka, &f.PicStr, &f.PicKao, &f.E})
    put(*p) << " scale " << p->ScaleSys << (p->Border ? " border" : "");
  const auto shape = [&](const Shape& s) {
    put(s) << " fill " << s.FillColor << " line " << s.BorderColor << (s.Border ? " border" : "");
  };
  std::for_each(f.ShpStr.begin(), f.ShpStr.end(), shape);
  shape(f.LblShp);
  put(f.TxtName) << " \"" << f.TxtName.Text << "\" max " << f.TxtName.MaxLength;
  for (const ListBox* l : {&f.Lst, &f.LstIrai}) put(*l) << ' ' << l->ListCount() << " lines";
  out << "\nTimSay " << f.TimSay.Interval << (f.TimSay.Enabled ? " on" : " off") << '\n'
      << f.menu.Caption << " > " << f.menu_tim.Caption << " >";
  for (const auto& m : f.menu_tim_Click) out << ' ' << m.Caption << (m.Checked ? "*" : "");
  return out.str() + '\n';
}

TEST(StartupTest, BuildsTheWindowAsDesigned) {
  Game g;  // on a 28800 x 16200 twip screen: four fifths of it high, 4:3 and centred
  ASSERT_TRUE(g.Load(false));
  std::ifstream golden(PORUKAMI_TEST_DIR "/app/window.txt", std::ios::binary);
  EXPECT_EQ(Describe(*g.frm), std::string(std::istreambuf_iterator<char>(golden), {}));
  g.frm->TxtName.SetText("あいうえおかきくけこ");
  EXPECT_EQ(g.frm->TxtName.Text, "あいうえおかきく");
  g.frm->Form_Activate();
  EXPECT_TRUE(g.frm->TimSay.Enabled);
  EXPECT_EQ(g.frm->OpenScene(), "opn");
}

// A game on a 28800 x 16200 twip screen, its opening scene showing a background and a face.
class WindowTest : public ::testing::Test {
 protected:
  static Frm& Loaded(Game& g) {
    g.content.Scene("opn", {">img bg", ">fce 2", "一", "二", "三"});
    g.content.Picture("bg", 640, 480);
    g.content.Picture("face_2");
    for (const char* s : {"010", "011", "012", "end", "moneyend"}) g.content.Scene(s, {s});
    EXPECT_TRUE(g.Load());
    return *g.frm;
  }
  Game g;
  Frm& f = Loaded(g);
};
using LayoutTest = WindowTest;
using MenusTest = WindowTest;

TEST_F(LayoutTest, FrameIsFourToThreeAndCentredAtAnyHeightAndRedrawn) {
  // Width: a sixth of the height rounded half to even, times eight (24573: 4095.5 -> 4096, more
  // than a 16-bit sum holds). Below 800 twips only re-shaped; refused the shape, still laid out.
  auto shapes = g.host.geometries.size();
  // clang-format off
  for (const auto& [height, reshapes, width, font] :
       std::vector<std::tuple<double, bool, double, int>>{
           {9216, true, 12288, 12}, {9000, true, 12000, 12}, {9003, true, 12000, 12},
           {9009, true, 12016, 12}, {24573, true, 32768, 27}, {43200, true, 57600, 46},
           {799, true, 1064, 46}, {800, true, 1064, 3}, {20000, false, 1064, 23}}) {
    // clang-format on
    g.host.canReshape = reshapes;
    f.Height = height;
    f.Form_Resize();
    EXPECT_EQ(std::tuple(f.Width, f.Left, f.FontBase(), f.Lst.FontSize, f.ComStr[1].FontSize),
              std::tuple(width, (28800 - width) / 2, font, font, font))
        << height;
    ASSERT_EQ(g.host.geometries.size(), shapes += reshapes);
    if (!reshapes) continue;
    const auto& geo = g.host.geometries.back();
    EXPECT_EQ((std::array{geo.left, geo.top, geo.width, geo.height, f.Top}),
              (std::array{f.Left, (16200 - height) / 2, width, height, (16200 - height) / 2}));
  }
  // A resize redraws the bars and the last background, even on a cleared screen, not the face.
  f.AddStat(0, 1, 30);
  f.ShpStr[1].Geo.Width = 7;
  f.GameStt();
  f.Form_Resize();
  EXPECT_EQ(f.ShpStr[1].Geo.Width, 30);
  ASSERT_TRUE(f.Pic.Painted);
  EXPECT_EQ(std::tie(f.Pic.PaintedName, f.Pic.Painted->width), std::tuple("bg", 640));
  EXPECT_TRUE(f.Pic.Visible && f.PicKao.Visible);
  EXPECT_EQ(std::tie(f.PicKao.Geo, f.PicKao.PaintedName),
            std::tuple(Geometry{480, 2520, 1215, 1215}, "face_2"));
}

TEST_F(MenusTest, IdleClickAsksAndYesStartsANewGameKeepingCatalogueAndTextSpeed) {
  f.Lbl.Visible = false;  // the idle screen
  f.AdvanceDay(1, -2000);
  f.AddInventoryItem(2);
  g.rnd.fallback = 0.7;
  f.MakeRequests();
  f.AddStat(1, 2, 50);
  f.Stage[2] = 5;
  f.menu_tim_Click_Click(3);
  for (auto& c : f.Com) c.Visible = c.Enabled = false;
  g.content.Catalogue({"別,1,0,0,0"});

  f.LblGame_Click();  // the message line answers like the picture; No keeps the play-through
  EXPECT_EQ(std::tie(g.host.messages, g.host.captions),
            std::tuple(Lines{"初期化しますか？"}, Lines{"ぽるかみ"}));
  EXPECT_EQ(std::tuple(int{f.Day}, f.Money, f.Stats[1][2], f.Lst.ListCount(), f.Lbl.Visible),
            std::tuple(2, 8000, 50, 1, false));

  g.host.yesNoAnswers = {true};
  f.Pic_Click();
  EXPECT_EQ(std::tuple(int{f.Day}, f.Money, f.Stats, f.Stage, f.ItemCount, f.ItemCatalogue[0]),
            std::tuple(1, 10000, decltype(f.Stats){}, decltype(f.Stage){1, 1, 1, 0}, 6,
                       "木の実,10,0,1,2"));
  Game fresh;  // the window is that of a fresh game at the same text speed
  Loaded(fresh).menu_tim_Click_Click(3);
  EXPECT_EQ(Describe(f), Describe(*fresh.frm));
}

TEST_F(MenusTest, ClickDuringASceneShowsTheNextLineAndTheIdleScreenClearsIt) {
  f.TimSay.Enabled = false;
  f.Pic_Click();
  EXPECT_EQ(std::tie(f.Lbl.Caption, f.TimSay.Enabled), std::tuple("\r\n一\r\n二", true));
  f.LblGame_Click();
  EXPECT_EQ(std::tie(f.Lbl.Caption, g.host.messages), std::tuple("\r\n一\r\n二\r\n三▼", Lines{}));
  f.LblGame.Caption = "前の知らせ";
  f.GameStt();  // keeps the face and the captions, empties the message line
  EXPECT_TRUE(f.PicKao.Visible && f.LblGame.Visible && f.Pic.Visible);
  EXPECT_FALSE(f.Lbl.Visible || f.LblBak[0].Visible || f.LblBak[1].Visible || f.LblShp.Visible ||
               f.PicSaka.Visible || f.TimSay.Enabled || f.Pic.Painted);
  EXPECT_EQ(std::tie(f.LblGame.Caption, f.Lbl.Caption), std::tuple("", "\r\n一\r\n二\r\n三▼"));
  bool cancel = false;
  f.Form_Unload(cancel);
  EXPECT_FALSE(cancel || f.OpenScene());
}

TEST_F(MenusTest, PopupMenuPicksATextSpeedOrNothingAndLeavesTheTimerRunning) {
  g.host.menuPicks = {0, -1};
  f.MenuCom_Click();
  f.MenuCom_Click();  // dismissed
  EXPECT_EQ(std::tuple(f.TimSay.Interval, f.TimSay.Enabled, f.menu_tim_Click[0].Checked,
                       f.menu_tim_Click[1].Checked, g.host.popups),
            std::tuple(0, true, true, false, 2));
}

}  // namespace
}  // namespace porukami
