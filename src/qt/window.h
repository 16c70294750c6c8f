#pragma once
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/Frm.h"
#include "app/random.h"
#include "qt/accessibility.h"
#include "qt/qthost.h"
#include "qt/widgets.h"
#include "sound/mci.h"

namespace porukami::qt {

// The game's window: draws the model Frm and forwards every event to its handlers. It holds no
// game logic; after each handler it copies what changed in the model to the widgets.
class GameWindow : public QWidget {
  Q_OBJECT
 public:
  // appDir: the program folder (default: the binary's); random: the game's generator (default:
  // its own, seeded from the clock at start-up); music: the music device (default: FluidSynth
  // on the system's sound output, when the build has it).
  explicit GameWindow(const std::string& appDir = {}, Random* random = nullptr,
                      std::unique_ptr<MciDevice> music = nullptr);
  ~GameWindow() override;

  // The game's start-up; false when the game cannot run (the player has been told why).
  bool Load();
  // Once the window is shown: makes the controls and runs the new game (once). The controls
  // exist from then on.
  void ActivateOnce();

  Frm& model() { return *frm_; }
  QtHost& host() { return host_; }
  // Runs a handler of the model, then brings the widgets up to date.
  void Run(const std::function<void()>& handler);
  void Sync();

  // The widgets, for tests.
  QPushButton* ComButton(int i) { return com_[i]; }
  QPushButton* ComLstButton(int i) { return comLst_[i]; }
  QPushButton* ComStrButton(int i) { return comStr_[i]; }
  QPushButton* MenuComButton() { return menuCom_; }
  QListWidget* LstWidget() { return lst_; }
  QListWidget* LstIraiWidget() { return lstIrai_; }
  PictureWidget* PicWidget() { return pic_; }
  PictureWidget* PicStrWidget() { return picStr_; }
  PictureWidget* PicKaoWidget() { return picKao_; }
  PictureWidget* PicSakaWidget() { return picSaka_; }
  ClickLabel* LblWidget() { return lbl_; }
  ClickLabel* LblGameWidget() { return lblGame_; }
  QLabel* LblDayWidget() { return lblDay_; }
  ShapeWidget* BarWidget(int i) { return shpStr_[i]; }
  ShapeWidget* LblShpWidget() { return lblShp_; }
  QLineEdit* TxtNameWidget() { return txtName_; }
  QTimer& TimSayTimer() { return timSay_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Build();
  void SyncTimers();
  QRect Place(const Geometry& g, const Scale& s, const QRect& container) const;
  static QRect FacePlace(const Geometry& face);
  // The size in device pixels a picture box of the model is drawn at; empty before the layout.
  QSize DrawnSize(const PictureBox& box) const;
  void OnBgmTick();

  QtHost host_;
  StdRandom ownRandom_;
  std::unique_ptr<MciDevice> mci_;
  std::unique_ptr<Frm> frm_;
  bool activated_ = false;
  bool inResize_ = false;
  bool unloaded_ = false;
  bool firstFrameDone_ = false;
  bool laidOut_ = false;

  QLineEdit* txtName_ = nullptr;
  std::array<QPushButton*, Frm::kComCount> com_{};
  PictureWidget* picStr_ = nullptr;
  std::array<QPushButton*, Frm::kHeroines> comStr_{};
  std::array<ShapeWidget*, Frm::kBars> shpStr_{};
  PictureWidget* pic_ = nullptr;
  PictureWidget* picSaka_ = nullptr;
  QPushButton* menuCom_ = nullptr;
  std::array<QPushButton*, 2> comLst_{};
  QListWidget* lstIrai_ = nullptr;
  PictureWidget* picKao_ = nullptr;
  ClickLabel* lblGame_ = nullptr;
  ClickLabel* lbl_ = nullptr;
  std::array<ClickLabel*, 2> lblBak_{};
  ShapeWidget* lblShp_ = nullptr;
  QListWidget* lst_ = nullptr;
  ClickLabel* lblDay_ = nullptr;
  QTimer timSay_;
  std::uint32_t timSayStarts_ = 0;  // the model timer's count of starts, as last synced
  std::vector<std::string> lstShown_, lstIraiShown_;
  Announcer announcer_;
};

// Font set-up shared by the game and its tests: "ＭＳ Ｐゴシック" resolves to IPAPGothic.
void InstallFonts();
// The application's style and fonts, as the game runs with them (InstallFonts included).
void SetUpApplication();

}  // namespace porukami::qt
