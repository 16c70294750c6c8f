#include <chrono>

#include "app/Frm.h"
#include "sound/mci.h"
#include "text/textfile.h"

namespace porukami {
namespace {

std::string JoinLineNumbers(const std::vector<int>& lines) {
  std::string s;
  for (std::size_t i = 0; i < lines.size() && i < 10; ++i) {
    if (i) s += "、";
    s += std::to_string(lines[i]);
  }
  if (lines.size() > 10) s += " ほか";
  return s;
}

}  // namespace

void Frm::ContentError(const std::string& text) {
  host_.MsgBoxOk(text, kTitle);
}

void Frm::SetContentFolders() {
  AppDir = host_.AppPath();
  paths_.SetProgramFolder(AppDir);
  if (AppDir.empty() || AppDir.back() != '\\') AppDir += '\\';
  ImgDir = AppDir + "img\\";
  TxtDir = AppDir + "txt\\";
}

std::string Frm::FileOf(const std::string& gamePath) {
  return paths_.File(gamePath);
}

void Frm::PrefetchOpening() {
  SetContentFolders();
  // Broken content is reported when the scene really starts, not here.
  const text::TextFile f = text::ReadTextFile(FileOf(TxtDir + kOpeningScene + ".dat"));
  if (f.opened) PrefetchNextPicture(f.lines, 0);
}

bool Frm::Form_Load() {
  SetContentFolders();

  共用関数::BgmOpen(FileOf(AppDir + "bgm.mid"));
  共用関数::MusicOn = -1;
  共用関数::BgmPlay();

  random_.Seed(
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));

  HeroineNames = {"ラテゥ", "ヒョウ", "マム"};

  for (int i = 1; i < kHeroines; ++i) {
    ComStr[i] = ComStr[0];
    ComStr[i].Visible = true;
  }
  for (int i = 1; i < kBars; ++i) {
    ShpStr[i] = ShpStr[0];
    ShpStr[i].Visible = true;
  }

  bool ok = true;
  LoadItemCatalogue(ok);
  if (!ok) return false;

  TimSay.Enabled = false;
  menu_tim_Click_Click(1);

  Height = 0.8 * host_.ScreenHeight();
  Form_Resize();
  return true;
}

void Frm::LoadItemCatalogue(bool& ok) {
  ScriptFileNo = 1;
  const std::string path = FileOf(TxtDir + "item.dat");  // messages name it as the platform does
  text::TextFile f = text::ReadTextFile(path, kCatalogueMax);
  ScriptFileNo = 0;
  ItemCount = 0;
  if (!f.opened) {
    ContentError("アイテム表「" + path + "」を開けません。ゲームを終了します。");
    ok = false;
    return;
  }
  if (f.lines.size() > kCatalogueMax) {
    ContentError("アイテム表「" + path + "」の行が多すぎます（最大 " +
                 std::to_string(kCatalogueMax) + " 行）。ゲームを終了します。");
    ok = false;
    return;
  }
  if (!f.badLines.empty())
    ContentError("アイテム表「" + path + "」の " + JoinLineNumbers(f.badLines) +
                 " 行目に読めない文字があります。");
  for (auto& line : f.lines) ItemCatalogue[static_cast<std::size_t>(ItemCount++)] = std::move(line);
}

void Frm::Form_Unload(bool& cancel) {
  (void)cancel;  // closing always proceeds
  CloseScript();
  共用関数::BgmStop();
}

}  // namespace porukami
