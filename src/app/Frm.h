#pragma once
// Frm is the game's one window, as a model: every control as plain data, every piece of state of a
// play-through, and every procedure of the game. Front ends draw it and forward events to it.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"
#include "text/paths.h"
#include "ui/controls.h"

namespace porukami {

class Frm {
 public:
  static constexpr int kComCount = 5;
  static constexpr int kHeroines = 3;
  static constexpr int kStatsPerHeroine = 4;
  // The stats' names, in the order of each heroine's bars (the screen shows only the bars).
  static constexpr std::array<const char*, kStatsPerHeroine> kStatNames = {"陽だまり", "ときめき",
                                                                           "やすらぎ", "親しさ"};
  static constexpr int kBars = kHeroines * kStatsPerHeroine;
  static constexpr int kCatalogueMax = 1001;
  static constexpr int kInventoryMax = 1001;
  static constexpr int kRequestsMax = 31;
  static constexpr int kMenuTimItems = 4;
  static constexpr double kTwipsPerPixel = 15.0;
  static constexpr const char* kTitle = "ぽるかみ";

  Frm(Host& host, Random& random);
  Frm(const Frm&) = delete;
  Frm& operator=(const Frm&) = delete;

  // ---- controls, listed above-to-below within each container -------------------------------
  TextBox TxtName;
  std::array<Button, kComCount> Com;
  PictureBox PicStr;
  std::array<Button, kHeroines> ComStr;
  std::array<Shape, kBars> ShpStr;
  PictureBox E;  // never shown: holds the last background loaded
  PictureBox Pic;
  Timer BgmTim;
  Timer TimSay;
  PictureBox PicSaka;
  Button MenuCom;
  std::array<Button, 2> ComLst;
  ListBox LstIrai;
  PictureBox PicKao;
  Label LblGame;
  Label Lbl;
  std::array<Label, 2> LblBak;
  Shape LblShp;
  ListBox Lst;
  Label LblDay;
  // The pop-up menu: menu > menu_tim ("文章") > menu_tim_Click(0..3).
  MenuItem menu{"menu"};
  MenuItem menu_tim{"文章"};
  std::array<MenuItem, kMenuTimItems> menu_tim_Click{MenuItem{"無し"}, MenuItem{"速い"},
                                                     MenuItem{"普通"}, MenuItem{"遅い"}};

  // The window itself: outer frame in twips, and the client area's colour.
  std::string Caption = kTitle;
  double Left = 0, Top = 0, Width = 7905, Height = 5625;
  Rgb BackColor{225, 184, 135};
  Scale ScaleSys{0, 0, 40, 30};

  // ---- state of the game ------------------------------------------------------------------
  std::int32_t Money = 0;
  std::uint8_t Day = 0;
  std::string AppDir;
  std::string ImgDir;
  std::string TxtDir;
  std::int16_t ScriptFileNo = 0;
  std::uint8_t PageLines = 0;
  std::string NextLine;
  std::array<std::string, kCatalogueMax> ItemCatalogue;
  std::int16_t ItemCount = 0;
  std::array<std::array<std::string, 6>, kInventoryMax> Inventory;
  std::array<std::array<std::string, 2>, kRequestsMax> Requests;
  std::string PageMark;
  std::array<std::array<std::int16_t, kStatsPerHeroine>, kHeroines> Stats{};
  std::array<std::string, kHeroines> HeroineNames;
  std::array<std::int16_t, 4> Stage{};

  // ---- events -----------------------------------------------------------------------------
  // Start-up. False when the program cannot go on (the item catalogue is missing or too long);
  // the player has been told why and the front end should close.
  bool Form_Load();
  void Form_Unload(bool& cancel);
  void Form_Activate();
  void Form_Resize();
  void Com_Click(int index);
  void ComLst_Click(int index);
  void ComStr_Click(int index);
  void MenuCom_Click();
  void menu_tim_Click_Click(int index);
  void Pic_Click();
  void LblGame_Click();
  void Lbl_Click();
  void TimSay_Timer();
  void BgmTim_Timer();

  // ---- procedures -------------------------------------------------------------------------
  void GameStt();
  void Ending();
  void AdvanceDay(std::uint8_t days, std::int32_t amount);
  void EnableCommands(bool enabled);
  void AddStat(int heroine, int stat, int delta);
  int BestStat(int heroine) const;
  void StartScene(const std::string& name);
  void ScriptStep();
  void VisitHeroine(int heroine);
  void ShowBackground(const std::string& name);
  void ShowFace(const std::string& name);
  void AddInventoryItem(int catalogueIndex);
  void RemoveInventoryItem(int index);
  void SearchForest();
  void MakeRequests();
  void WriteMemories(const std::string& argument);

  // ---- for front ends, tools and tests ----------------------------------------------------
  Host& host() { return host_; }
  double Rnd() { return random_.Next(); }
  // The name of the open scene script, or nothing when no script is open.
  const std::optional<std::string>& OpenScene() const { return sceneName_; }
  // The last face loaded (faces are kept apart from the backgrounds held in E).
  const ImageRef& FaceHolder() const { return face_; }
  // The base font size the layout last computed.
  int FontBase() const { return fontBase_; }
  // Asks the host to begin decoding the opening scene's first picture, so that it is ready when
  // Form_Activate shows it. Changes nothing on the screen; a front end calls it as early
  // as it can (a window, before it builds its controls).
  void PrefetchOpening();

  // The opening scene, started by every new game.
  static constexpr const char* kOpeningScene = "opn";

 private:
  struct Script {
    std::vector<std::string> lines;
    std::size_t next = 0;  // index of the next line to read into NextLine
  };
  enum class StepEnd { Shown, Chain, RunAhead, Ended };

  void SetContentFolders();
  // The file to open for a path the game built from AppDir: content written where case does not
  // count in names is found here as it was there.
  std::string FileOf(const std::string& gamePath);
  // The file of picture `name`, as the host is asked for it.
  std::string PicturePath(const std::string& name);
  // Asks the host to decode ahead the first picture that a ">img" or ">fce" command names at or
  // after lines[from]: each scene's pictures are decoded one ahead, while the player reads.
  void PrefetchNextPicture(const std::vector<std::string>& lines, std::size_t from);

  StepEnd StepOnce(long& runAhead);
  bool LookAheadWaits() const;
  // Shows a text line; false when it shows as an empty row.
  bool ShowTextLine(const std::string& line);
  void CloseScript();
  void LoadItemCatalogue(bool& ok);
  std::vector<std::string> CatalogueFields(int index) const;
  void PutMoney(std::int64_t sum);
  void ContentError(const std::string& text);

  Host& host_;
  Random& random_;
  text::ContentPaths paths_;
  std::optional<Script> script_;
  std::optional<std::string> sceneName_;
  std::uint64_t sceneSerial_ = 0;  // counts scene starts, so a running loop sees a hand-over
  int handOverDepth_ = 0;          // scenes started inside a scene's first step, not yet shown
  ImageRef face_;
  int fontBase_ = 9;
};

// Heroine h's key stat: the one her climax needs.
int KeyStat(int heroine);

}  // namespace porukami
