#include "app/Frm.h"

namespace porukami {
namespace {

Label MakeLabel(const char* name, const char* caption, Alignment align, bool bold) {
  Label l;
  l.Name = name;
  l.Caption = caption;
  l.Align = align;
  l.Bold = bold;
  return l;
}

}  // namespace

int KeyStat(int heroine) {
  static constexpr int kKey[Frm::kHeroines] = {2, 1, 0};
  return (heroine >= 0 && heroine < Frm::kHeroines) ? kKey[heroine] : 0;
}

// The window as designed: captions, texts and visibility before start-up runs.
Frm::Frm(Host& host, Random& random) : host_(host), random_(random) {
  TxtName.Name = "TxtName";
  TxtName.MaxLength = 8;
  TxtName.SetText("メイヒル");

  static constexpr const char* kComCaptions[kComCount] = {"ラテゥ", "ヒョウ", "マム", "森に行く",
                                                          "家に帰る"};
  for (int i = 0; i < kComCount; ++i) {
    Com[i].Name = "Com";
    Com[i].Caption = kComCaptions[i];
  }
  PicStr.Name = "PicStr";
  for (int i = 0; i < kHeroines; ++i) {
    ComStr[i].Name = "ComStr";
    ComStr[i].Caption = "Ｓ";
    ComStr[i].Visible = i == 0;  // elements 1 and 2 are built at start-up
  }
  for (int i = 0; i < kBars; ++i) {
    ShpStr[i].Name = "ShpStr";
    ShpStr[i].Visible = i == 0;
  }
  E.Name = "E";
  E.Visible = false;
  Pic.Name = "Pic";
  BgmTim = Timer{"BgmTim", 1, true};
  TimSay = Timer{"TimSay", 0, true};
  PicSaka.Name = "PicSaka";
  MenuCom.Name = "MenuCom";
  MenuCom.Caption = "MenuCom";
  ComLst[0].Name = ComLst[1].Name = "ComLst";
  ComLst[0].Caption = "依頼解決";
  ComLst[1].Caption = "アイテム売却";
  LstIrai.Name = "LstIrai";
  PicKao.Name = "PicKao";
  PicKao.Border = true;
  // The face box keeps its design place inside Pic, in twips: left 480, top 2520, 1215 square.
  PicKao.Geo = Geometry{480, 2520, 1215, 1215};
  LblGame = MakeLabel("LblGame", "Label1", Alignment::Left, false);
  Lbl = MakeLabel("Lbl", "0", Alignment::Center, true);
  LblBak[0] = MakeLabel("LblBak", "Label1", Alignment::Center, true);
  LblBak[1] = MakeLabel("LblBak", "Label1", Alignment::Center, true);
  LblShp.Name = "LblShp";
  LblShp.FillColor = LblShp.BorderColor = Rgb{255, 255, 192};
  Lst.Name = "Lst";
  LblDay = MakeLabel("LblDay", "Label1", Alignment::Center, true);
  menu.Caption = "menu";
}

}  // namespace porukami
