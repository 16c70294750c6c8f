#include "app/Frm.h"
#include "text/textfile.h"

namespace porukami {
namespace {

// Scenes that hand over to another before showing any text nest inside each other; a chain this
// deep is a loop in the content (a scene handing over to itself, an opening that ends at once).
constexpr int kMaxHandOvers = 64;

}  // namespace

void Frm::CloseScript() {
  script_.reset();
  sceneName_.reset();
  ScriptFileNo = 0;
}

void Frm::StartScene(const std::string& name) {
  Lbl.Visible = true;
  Lbl.Caption.clear();
  for (auto& b : LblBak) {
    b.Visible = true;
    b.Caption.clear();
  }
  LblShp.Visible = true;
  LblGame.Visible = false;
  PicKao.Visible = false;
  PicSaka.Visible = false;
  PageLines = 1;

  // The script this scene replaces is released at once.
  CloseScript();
  ++sceneSerial_;

  const std::string path = FileOf(TxtDir + name + ".dat");  // messages name it as the platform does
  if (handOverDepth_ >= kMaxHandOvers) {
    ContentError("場面「" + path +
                 "」で、文章を表示しないまま場面の受け渡しが続いています。場面を中断します。");
    GameStt();
    return;
  }
  text::TextFile f = text::ReadTextFile(path);
  if (!f.opened || f.lines.empty()) {
    ContentError(std::string(f.opened ? "場面ファイルが空です: " : "場面ファイルを開けません: ") +
                 path);
    GameStt();
    return;
  }
  if (!f.badLines.empty())
    ContentError("場面ファイル「" + path + "」の " + std::to_string(f.badLines.front()) +
                 " 行目に読めない文字があります。");

  ScriptFileNo = 1;
  sceneName_ = name;
  script_ = Script{std::move(f.lines), 1};
  NextLine = script_->lines.front();
  host_.SceneStarted(name);
  PrefetchNextPicture(script_->lines, 0);

  ++handOverDepth_;
  Lbl_Click();
  --handOverDepth_;
}

}  // namespace porukami
