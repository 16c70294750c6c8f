#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/Frm.h"
#include "text/number.h"

namespace porukami {
namespace {

constexpr Rgb kWindowColour{225, 184, 135};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kShadow{200, 200, 200};
constexpr Rgb kMessage{100, 0, 0};
constexpr Rgb kBarColours[Frm::kStatsPerHeroine] = {
    {255, 255, 0}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
constexpr double kMinHeight = 800;
constexpr double kShadowOffset = 0.002;

}  // namespace

void Frm::Form_Resize() {
  // Keep a 4:3 frame centred on the screen. Computed in 32 bits: large screens get the shape too.
  const double width =
      static_cast<double>(text::RoundHalfEvenClamped(Height / 6.0, INT32_MIN, INT32_MAX)) * 8.0;
  const double left = (host_.ScreenWidth() - width) / 2.0;
  const double top = (host_.ScreenHeight() - Height) / 2.0;
  if (width <= INT32_MAX && host_.SetOuterGeometry(left, top, width, Height)) {
    Width = width;
    Left = left;
    Top = top;
  }

  if (Height < kMinHeight) return;
  BackColor = kWindowColour;
  ScaleSys = Scale{0, 0, 40, 30};
  // The font grows with the window, within what a 16-bit size can hold.
  const int f = static_cast<int>(std::min(std::floor(Height / 100.0 / 10.0), 32764.0)) + 3;
  fontBase_ = f;

  Pic.Geo = {0, 0, 30, 25};
  Pic.BackColor = BackColor;
  Pic.Border = false;
  Pic.ScaleSys = Scale{0, 0, 1, 10};

  Lbl.Geo = {0, 7, 1, 3};
  Lbl.FontSize = f;
  Lbl.ForeColor = kBlack;
  LblShp.Geo = {0, 7, 1, 3};
  for (int k = 0; k < 2; ++k) {
    const double d = kShadowOffset * (k + 1);
    LblBak[k].Geo = {Lbl.Geo.Left + d, Lbl.Geo.Top + d, Lbl.Geo.Width, Lbl.Geo.Height};
    LblBak[k].FontSize = f;
    LblBak[k].ForeColor = kShadow;
  }
  LblGame.Geo = {0, 0, 1, 9};
  LblGame.FontSize = f;
  LblGame.ForeColor = kMessage;

  PicSaka.Geo = {0, 1, 1, 9};
  PicSaka.ScaleSys = Scale{0, 0, 3, 10};
  PicSaka.Border = false;
  PicSaka.BackColor = BackColor;
  for (int k = 0; k < static_cast<int>(ComLst.size()); ++k) {
    ComLst[k].Geo = {static_cast<double>(k), 9, 1, 1};
    ComLst[k].BackColor = PicSaka.BackColor;
    ComLst[k].FontSize = f;
  }
  MenuCom.Geo = {static_cast<double>(ComLst.size()), 9, 1, 1};
  MenuCom.BackColor = PicSaka.BackColor;
  MenuCom.FontSize = f;
  LstIrai.Geo = {0, 0, 3, 9};
  LstIrai.BackColor = PicSaka.BackColor;
  LstIrai.FontSize = f;
  LstIrai.ForeColor = Lbl.ForeColor;

  for (int k = 0; k < kComCount; ++k) {
    Com[k].Geo = {30, 3.0 * k, 10, 3};
    Com[k].BackColor = PicSaka.BackColor;
    Com[k].FontSize = f;
  }
  Lst.Geo = {30, 3.0 * kComCount, 10, 13};
  Lst.BackColor = BackColor;
  Lst.ForeColor = Lbl.ForeColor;
  Lst.FontSize = f;
  LblDay.Geo = {30, 28, 10, 1};
  LblDay.ForeColor = Lbl.ForeColor;
  LblDay.FontSize = f;
  TxtName.Geo = {30, 29, 10, 1};
  TxtName.BackColor = BackColor;
  TxtName.ForeColor = Lbl.ForeColor;
  TxtName.FontSize = f;

  PicStr.Geo = {0, 25, 30, 5};
  PicStr.Border = false;
  PicStr.BackColor = BackColor;
  PicStr.ForeColor = Lbl.ForeColor;
  PicStr.ScaleSys = Scale{-50, 0, 150, static_cast<double>(kBars)};
  for (int k = 0; k < kHeroines; ++k) {
    ComStr[k].Geo = {-50, 4.0 * k, 50, 4};
    ComStr[k].BackColor = BackColor;
    ComStr[k].FontSize = f;
    ComStr[k].Caption = HeroineNames[k];
  }

  for (int i = 0; i < kHeroines; ++i) {
    for (int j = 0; j < kStatsPerHeroine; ++j) {
      Shape& bar = ShpStr[i * kStatsPerHeroine + j];
      bar.Geo.Left = 0;
      bar.Geo.Top = i * kStatsPerHeroine + j;
      bar.Geo.Height = 1;
      bar.Border = false;
      bar.FillColor = bar.BorderColor = kBarColours[j];
      AddStat(i, j, 0);
    }
  }
  ShowBackground("");
}

}  // namespace porukami
