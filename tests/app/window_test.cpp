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
  const std::string bad = "\xEF\xBF\xBD";
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
           {"a\r\nb\xFF\r\nc\r\n", 3, {"a", "b" + bad, "c"}, "の 2 行目に読めない文字があります。"},
           {"\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r\xFF\r", 11, {bad},
            "の 1、2、3、4、5、6、7、8、9、10 ほか 行目に読めない文字があります。"}}) {
    // clang-format on
    Game g;
    g.host.appPath += "\\";  // kept as the one backslash at the end of AppDir
    if (bytes) g.content.Raw("txt/item.dat", *bytes);
    g.frm = std::make_unique<Frm>(g.host, g.rnd);
    EXPECT_EQ(g.frm->Form_Load(), count >= 0);
    EXPECT_EQ(g.frm->ItemCount, std::max(count, 0));
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(g.frm->ItemCatalogue[i], lines[i]);
    const std::string path = "アイテム表「" + g.content.dir().string() + "\\txt\\item.dat」";
    EXPECT_EQ(g.host.messages, message.empty() ? Lines{} : Lines{path + message});
    EXPECT_EQ(g.host.captions, Lines(g.host.messages.size(), Frm::kTitle));
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
  const auto button = [&](const Button& b) { put(b) << " \"" << b.Caption << '"'; };
  std::for_each(f.Com.begin(), f.Com.end(), button);
  std::for_each(f.ComStr.begin(), f.ComStr.end(), button);
  std::for_each(f.ComLst.begin(), f.ComLst.end(), button);
  button(f.MenuCom);
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
  for (const Timer* t : {&f.TimSay, &f.BgmTim})
    out << '\n' << t->Name << ' ' << t->Interval << (t->Enabled ? " on" : " off");
  out << '\n' << f.menu.Caption << " > " << f.menu_tim.Caption << " >";
  for (const auto& m : f.menu_tim_Click) out << ' ' << m.Caption << (m.Checked ? "*" : "");
  out << "\nheroines";
  for (const auto& name : f.HeroineNames) out << ' ' << name;
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
  Frm& ResizeTo(double height) {
    f.Height = height;
    f.Form_Resize();
    return f;
  }
  Game g;
  Frm& f = Loaded(g);
};
using LayoutTest = WindowTest;
using MenusTest = WindowTest;

TEST_F(LayoutTest, FrameIsFourToThreeAndCentredAtAnyHeight) {
  // The width is a sixth of the height rounded half to even, times eight; 24573 gives 4095.5 ->
  // 4096, a width a 16-bit sum could not hold. Below 800 twips the window is only re-shaped; a
  // window that refuses the shape (maximised) is still laid out.
  auto shapes = g.host.geometries.size();
  // clang-format off
  for (const auto& [height, reshapes, width, font] :
       std::vector<std::tuple<double, bool, double, int>>{
           {9216, true, 12288, 12}, {9000, true, 12000, 12}, {9003, true, 12000, 12},
           {9009, true, 12016, 12}, {24573, true, 32768, 27}, {43200, true, 57600, 46},
           {799, true, 1064, 46}, {800, true, 1064, 3}, {20000, false, 1064, 23}}) {
    // clang-format on
    g.host.canReshape = reshapes;
    ResizeTo(height);
    EXPECT_EQ(std::tuple(f.Width, f.Left, f.FontBase(), f.Lst.FontSize, f.ComStr[1].FontSize),
              std::tuple(width, (28800 - width) / 2, font, font, font))
        << height;
    ASSERT_EQ(g.host.geometries.size(), shapes += reshapes);
    if (!reshapes) continue;
    const auto& geo = g.host.geometries.back();
    EXPECT_EQ((std::array{geo.left, geo.top, geo.width, geo.height, f.Top}),
              (std::array{f.Left, (16200 - height) / 2, width, height, (16200 - height) / 2}));
  }
}

TEST_F(LayoutTest, ResizeRedrawsTheBarsAndTheLastBackgroundAndKeepsTheFace) {
  f.AddStat(0, 1, 30);
  f.ShpStr[1].Geo.Width = 7;
  f.GameStt();
  ASSERT_FALSE(f.Pic.Painted);
  ResizeTo(20000);
  EXPECT_EQ(f.ShpStr[1].Geo.Width, 30);
  ASSERT_TRUE(f.Pic.Painted);
  EXPECT_EQ(std::tie(f.Pic.PaintedName, f.Pic.Painted->width), std::tuple("bg", 640));
  EXPECT_TRUE(f.Pic.Visible && f.PicKao.Visible);
  EXPECT_EQ(std::tie(f.PicKao.Geo, f.PicKao.PaintedName),
            std::tuple(Geometry{480, 2520, 1215, 1215}, "face_2"));
}

TEST_F(MenusTest, IdleClickAsksAndYesStartsANewGameKeepingCatalogueAndTextSpeed) {
  f.GameStt();
  f.Day = 2;
  f.Money = 8000;
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
  EXPECT_EQ(g.host.messages.size(), 2u);
  EXPECT_EQ(
      std::tuple(int{f.Day}, f.Money, f.Stats, f.Stage, f.Lst.ListCount() + f.LstIrai.ListCount()),
      std::tuple(1, 10000, decltype(f.Stats){}, decltype(f.Stage){1, 1, 1, 0}, 0));
  for (const auto& bar : f.ShpStr) EXPECT_EQ(bar.Geo.Width, 0);
  for (const auto& c : f.Com) EXPECT_TRUE(c.Visible && c.Enabled);
  EXPECT_EQ(std::tie(f.LblDay.Caption, f.Lbl.Caption),
            std::tuple("ムルの月 1日  \\10000", "\r\n一"));
  EXPECT_EQ(
      std::tie(f.ItemCount, f.ItemCatalogue[0], f.TimSay.Interval, f.menu_tim_Click[3].Checked),
      std::tuple(6, "木の実,10,0,1,2", 300, true));
}

TEST_F(MenusTest, ClickDuringASceneShowsTheNextLineAndTheIdleScreenClearsIt) {
  f.TimSay.Enabled = false;
  f.Pic_Click();
  EXPECT_EQ(std::tie(f.Lbl.Caption, f.TimSay.Enabled), std::tuple("\r\n一\r\n二", true));
  f.LblGame_Click();
  EXPECT_EQ(f.Lbl.Caption, "\r\n一\r\n二\r\n三▼");
  EXPECT_TRUE(g.host.messages.empty());
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

TEST_F(MenusTest, PopupMenuPicksATextSpeedAndLeavesTheTimerOnOrOff) {
  // Picks (-1: dismissed, 4: no such item), each on a running scene or on the idle screen.
  for (const auto& [pick, idle, checked] : std::vector<std::tuple<int, bool, int>>{
           {2, false, 2}, {-1, false, 2}, {4, false, 2}, {3, true, 3}, {0, true, 0}}) {
    if (idle) f.GameStt();
    g.host.menuPicks = {pick};
    f.MenuCom_Click();
    EXPECT_EQ(std::tie(f.TimSay.Interval, f.TimSay.Enabled), std::tuple(checked * 100, !idle));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.menu_tim_Click[i].Checked, i == checked) << pick;
  }
  EXPECT_EQ(g.host.popups, 5);
}

}  // namespace
}  // namespace porukami
