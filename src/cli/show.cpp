#include "cli/show.h"

#include "cli/json.h"

namespace porukami::cli {
namespace {

void Visible(JsonWriter& j, std::string_view key, bool visible) {
  j.Key(key).Begin().Key("Visible").Bool(visible).End();
}

void Caption(JsonWriter& j, std::string_view key, const Label& label) {
  j.Key(key).Begin().Key("Visible").Bool(label.Visible).Key("Caption").String(label.Caption).End();
}

int CheckedSpeed(const Frm& frm) {
  for (int i = 0; i < Frm::kMenuTimItems; ++i)
    if (frm.menu_tim_Click[i].Checked) return i;
  return -1;
}

void Scene(JsonWriter& j, const Frm& frm) {
  j.Key("scene");
  if (frm.OpenScene())
    j.String(*frm.OpenScene());
  else
    j.Null();
  j.Key("NextLine").String(frm.NextLine);
  j.Key("PageLines").Int(frm.PageLines);
  j.Key("PageMark").String(frm.PageMark);
  Caption(j, "Lbl", frm.Lbl);
  Caption(j, "LblGame", frm.LblGame);
  Visible(j, "LblShp", frm.LblShp.Visible);
  Visible(j, "PicSaka", frm.PicSaka.Visible);
  j.Key("Pic").String(frm.Pic.PaintedName);
  j.Key("PicKao").Begin().Key("Visible").Bool(frm.PicKao.Visible);
  j.Key("Picture").String(frm.PicKao.PaintedName).End();
  j.Key("TimSay").Begin().Key("Enabled").Bool(frm.TimSay.Enabled);
  j.Key("Interval").Int(frm.TimSay.Interval).End();
  j.Key("menu_tim").Int(CheckedSpeed(frm));
}

void Lists(JsonWriter& j, const Frm& frm) {
  j.Key("Com").BeginArray();
  for (const auto& c : frm.Com)
    j.Begin().Key("Visible").Bool(c.Visible).Key("Enabled").Bool(c.Enabled).End();
  j.EndArray();
  j.Key("Lst").Strings(frm.Lst.Items).Key("LstSel").Int(frm.Lst.ListIndex);
  j.Key("LstIrai").Strings(frm.LstIrai.Items).Key("LstIraiSel").Int(frm.LstIrai.ListIndex);
}

void Heroines(JsonWriter& j, const Frm& frm) {
  j.Key("Stats").BeginArray();
  for (const auto& row : frm.Stats) {
    j.BeginArray();
    for (auto v : row) j.Int(v);
    j.EndArray();
  }
  j.EndArray();
  j.Key("Stage").BeginArray();
  for (int h = 0; h < Frm::kHeroines; ++h) j.Int(frm.Stage[h]);
  j.EndArray();
  j.Key("ShpStr").BeginArray();
  for (const auto& bar : frm.ShpStr) j.Number(bar.Geo.Width);
  j.EndArray();
}

}  // namespace

std::string ShowJson(const Frm& frm, const Happenings& happened) {
  JsonWriter j;
  j.Begin();
  j.Key("Day").Int(frm.Day).Key("Money").Int(frm.Money).Key("LblDay").String(frm.LblDay.Caption);
  Scene(j, frm);
  Lists(j, frm);
  Heroines(j, frm);
  j.Key("TxtName").String(frm.TxtName.Text);
  j.Key("messages").Strings(happened.messages);
  j.Key("mci").Strings(happened.mci);
  j.Key("pages").Strings(happened.pages);
  j.End();
  return j.str();
}

}  // namespace porukami::cli
