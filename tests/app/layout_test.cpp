#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

using testing::Game;

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g.host.screenW = 100000;
    g.host.screenH = 60000;
    g.content.Picture("bg", 640, 480);
    g.content.Picture("face_1", 81, 81);
    g.content.Scene("opn", {">img bg", ">fce 1", "はじまり"});
    ASSERT_TRUE(g.Load());
  }
  void ResizeTo(double height) {
    frm().Height = height;
    frm().Form_Resize();
  }
  Frm& frm() { return *g.frm; }
  Game g;
};

TEST_F(LayoutTest, HeightOf9216GivesAFourToThreeFrameCentred) {
  ResizeTo(9216);
  EXPECT_DOUBLE_EQ(frm().Width, 12288);
  EXPECT_DOUBLE_EQ(frm().Left, (100000 - 12288) / 2.0);
  EXPECT_DOUBLE_EQ(frm().Top, (60000 - 9216) / 2.0);
  EXPECT_EQ(frm().FontBase(), 12);
  EXPECT_EQ(frm().Lbl.FontSize, 12);
  const auto& geo = g.host.geometries.back();
  EXPECT_DOUBLE_EQ(geo.width, 12288);
  EXPECT_DOUBLE_EQ(geo.height, 9216);
}

TEST_F(LayoutTest, WidthRoundsTheSixthHalfToEven) {
  ResizeTo(9000);
  EXPECT_DOUBLE_EQ(frm().Width, 12000);
  EXPECT_EQ(frm().FontBase(), 12);
  ResizeTo(9003);  // 1500.5 -> 1500
  EXPECT_DOUBLE_EQ(frm().Width, 12000);
  ResizeTo(9009);  // 1501.5 -> 1502
  EXPECT_DOUBLE_EQ(frm().Width, 12016);
}

TEST_F(LayoutTest, TallWindowsStillGetTheirShape) {
  ResizeTo(24573);  // 4095.5 -> 4096: a width the old 16-bit sum could not hold
  EXPECT_DOUBLE_EQ(frm().Width, 32768);
  ResizeTo(43200);
  EXPECT_DOUBLE_EQ(frm().Width, 57600);
  EXPECT_DOUBLE_EQ(frm().Left, (100000 - 57600) / 2.0);
  EXPECT_EQ(frm().FontBase(), 46);
}

TEST_F(LayoutTest, BelowMinimumOnlyReshapes) {
  ResizeTo(9216);
  const Geometry com = frm().Com[2].Geo;
  frm().AddStat(0, 0, 40);
  frm().ShpStr[0].Geo.Width = 7;  // a redraw would put it back to 40
  ResizeTo(799);
  EXPECT_DOUBLE_EQ(frm().Width, 1064);  // round(133.17) * 8
  EXPECT_EQ(frm().FontBase(), 12);
  EXPECT_EQ(frm().Com[2].Geo, com);
  EXPECT_EQ(frm().ShpStr[0].Geo.Width, 7);

  ResizeTo(800);
  EXPECT_EQ(frm().FontBase(), 3);
  EXPECT_EQ(frm().Lst.FontSize, 3);
  EXPECT_EQ(frm().ShpStr[0].Geo.Width, 40);
}

TEST_F(LayoutTest, RefusedReshapeStillLaysOut) {
  ResizeTo(9000);
  g.host.canReshape = false;
  const auto before = g.host.geometries.size();
  ResizeTo(20000);
  EXPECT_EQ(g.host.geometries.size(), before);
  EXPECT_DOUBLE_EQ(frm().Width, 12000);  // unchanged
  EXPECT_EQ(frm().FontBase(), 23);
  EXPECT_EQ(frm().ComStr[1].FontSize, 23);
  EXPECT_EQ(frm().ComStr[1].Caption, "ヒョウ");
}

TEST_F(LayoutTest, EveryControlTakesItsPlaceInItsContainer) {
  ResizeTo(9216);
  const Frm& f = frm();
  EXPECT_EQ(f.ScaleSys, (Scale{0, 0, 40, 30}));
  EXPECT_EQ(f.Pic.Geo, (Geometry{0, 0, 30, 25}));
  EXPECT_EQ(f.Pic.ScaleSys, (Scale{0, 0, 1, 10}));
  EXPECT_EQ(f.Lbl.Geo, (Geometry{0, 7, 1, 3}));
  EXPECT_EQ(f.LblShp.Geo, (Geometry{0, 7, 1, 3}));
  for (int k = 0; k < 2; ++k) {
    const double d = 0.002 * (k + 1);
    EXPECT_DOUBLE_EQ(f.LblBak[k].Geo.Left, d);
    EXPECT_DOUBLE_EQ(f.LblBak[k].Geo.Top, 7 + d);
    EXPECT_DOUBLE_EQ(f.LblBak[k].Geo.Width, 1);
    EXPECT_DOUBLE_EQ(f.LblBak[k].Geo.Height, 3);
    EXPECT_EQ(f.LblBak[k].ForeColor, (Rgb{200, 200, 200}));
    EXPECT_EQ(f.LblBak[k].FontSize, 12);
  }
  EXPECT_EQ(f.LblGame.Geo, (Geometry{0, 0, 1, 9}));
  EXPECT_EQ(f.LblGame.ForeColor, (Rgb{100, 0, 0}));
  EXPECT_EQ(f.PicSaka.Geo, (Geometry{0, 1, 1, 9}));
  EXPECT_EQ(f.PicSaka.ScaleSys, (Scale{0, 0, 3, 10}));
  EXPECT_EQ(f.ComLst[0].Geo, (Geometry{0, 9, 1, 1}));
  EXPECT_EQ(f.ComLst[1].Geo, (Geometry{1, 9, 1, 1}));
  EXPECT_EQ(f.MenuCom.Geo, (Geometry{2, 9, 1, 1}));
  EXPECT_EQ(f.LstIrai.Geo, (Geometry{0, 0, 3, 9}));
  for (int k = 0; k < 5; ++k) EXPECT_EQ(f.Com[k].Geo, (Geometry{30, 3.0 * k, 10, 3})) << k;
  EXPECT_EQ(f.Lst.Geo, (Geometry{30, 15, 10, 13}));
  EXPECT_EQ(f.LblDay.Geo, (Geometry{30, 28, 10, 1}));
  EXPECT_EQ(f.TxtName.Geo, (Geometry{30, 29, 10, 1}));
  EXPECT_EQ(f.PicStr.Geo, (Geometry{0, 25, 30, 5}));
  EXPECT_EQ(f.PicStr.ScaleSys, (Scale{-50, 0, 150, 12}));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(f.ComStr[k].Geo, (Geometry{-50, 4.0 * k, 50, 4})) << k;

  const Rgb window{225, 184, 135};
  EXPECT_EQ(f.BackColor, window);
  using Controls = std::vector<const Control*>;
  for (const Control* c : Controls{&f.Pic, &f.PicSaka, &f.Lst, &f.TxtName, &f.PicStr, &f.LstIrai,
                                   &f.MenuCom, &f.ComLst[1], &f.Com[4], &f.ComStr[2]})
    EXPECT_EQ(c->BackColor, window) << c->Name;
  for (const Control* c : Controls{&f.Lbl, &f.Lst, &f.LstIrai, &f.LblDay, &f.TxtName, &f.PicStr})
    EXPECT_EQ(c->ForeColor, (Rgb{0, 0, 0})) << c->Name;
  for (const Control* c : Controls{&f.Lbl, &f.LblGame, &f.ComLst[0], &f.MenuCom, &f.LstIrai,
                                   &f.Com[0], &f.Lst, &f.LblDay, &f.TxtName, &f.ComStr[0]})
    EXPECT_EQ(c->FontSize, 12) << c->Name;
}

TEST_F(LayoutTest, BarsAreStackedColouredAndFollowTheStats) {
  frm().AddStat(0, 1, 30);
  frm().AddStat(2, 3, 100);
  ResizeTo(9216);
  const Rgb colours[] = {{255, 255, 0}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  for (int h = 0; h < 3; ++h) {
    for (int s = 0; s < 4; ++s) {
      const Shape& bar = frm().ShpStr[h * 4 + s];
      EXPECT_DOUBLE_EQ(bar.Geo.Left, 0);
      EXPECT_DOUBLE_EQ(bar.Geo.Top, h * 4 + s);
      EXPECT_DOUBLE_EQ(bar.Geo.Height, 1);
      EXPECT_DOUBLE_EQ(bar.Geo.Width, frm().Stats[h][s]);
      EXPECT_EQ(bar.FillColor, colours[s]);
      EXPECT_EQ(bar.BorderColor, colours[s]);
      EXPECT_FALSE(bar.Border);
    }
  }
  EXPECT_DOUBLE_EQ(frm().ShpStr[1].Geo.Width, 30);
  EXPECT_DOUBLE_EQ(frm().ShpStr[11].Geo.Width, 100);
}

TEST_F(LayoutTest, ResizeRepaintsTheLastBackgroundAfterTheScreenWasCleared) {
  ASSERT_EQ(frm().Pic.PaintedName, "bg");
  frm().GameStt();
  ASSERT_FALSE(frm().Pic.Painted);
  ResizeTo(12000);
  ASSERT_TRUE(frm().Pic.Painted);
  EXPECT_EQ(frm().Pic.PaintedName, "bg");  // not the face loaded after it
  EXPECT_EQ(frm().Pic.Painted->width, 640);
  EXPECT_TRUE(frm().Pic.Visible);
}

TEST_F(LayoutTest, FaceBoxKeepsItsPlaceAndPicture) {
  ASSERT_TRUE(frm().PicKao.Visible);
  const Geometry before = frm().PicKao.Geo;
  EXPECT_EQ(before, (Geometry{480, 2520, 1215, 1215}));
  ResizeTo(20000);
  EXPECT_EQ(frm().PicKao.Geo, before);
  EXPECT_EQ(frm().PicKao.PaintedName, "face_1");
  EXPECT_TRUE(frm().PicKao.Visible);
}

}  // namespace
}  // namespace porukami
