#include "qt/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QPalette>
#include <QResizeEvent>
#include <QStyleFactory>
#include <QTranslator>
#include <cmath>

#include "qt/input.h"
#include "qt/letterbox.h"
#include "qt/reload.h"
#include "sound/mci.h"
#ifdef PORUKAMI_HAVE_SOUND
#include "sound/mci_fluid.h"
#endif

namespace porukami::qt {
namespace {

QColor C(const Rgb& c) {
  return QColor(c.r, c.g, c.b);
}

QString Caption(const std::string& s) {
  QString q = QString::fromStdString(s);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return q;
}

// The game's font sizes are points at 96 dots per inch.
QFont GameFont(bool bold, int points) {
  // The family the substitution names: one family for every control, so the fonts share one
  // fallback list and one glyph cache per size.
  static const QString family = QFont::substitute(QStringLiteral("ＭＳ Ｐゴシック"));
  QFont f(bold ? family : QStringLiteral("IPAPGothic"));
  f.setBold(bold);
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

void SetFont(QWidget* w, const QFont& f) {
  if (w->font() != f) w->setFont(f);
}

void SetColours(QWidget* w, const Rgb& back, const Rgb& fore, bool isList) {
  QPalette p = w->palette();
  const QPalette::ColorRole backRole = isList ? QPalette::Base : QPalette::Button;
  const QPalette::ColorRole foreRole = isList ? QPalette::Text : QPalette::ButtonText;
  if (p.color(backRole) == C(back) && p.color(foreRole) == C(fore)) return;
  p.setColor(backRole, C(back));
  p.setColor(QPalette::Window, C(back));
  p.setColor(foreRole, C(fore));
  w->setPalette(p);
}

void SetLabelColour(QLabel* l, const Rgb& fore) {
  QPalette p = l->palette();
  if (p.color(QPalette::WindowText) == C(fore)) return;
  p.setColor(QPalette::WindowText, C(fore));
  l->setPalette(p);
}

void SyncList(QListWidget* w, const ListBox& model, std::vector<std::string>& shown) {
  if (shown != model.Items) {
    const QSignalBlocker block(w);
    w->clear();
    for (const auto& s : model.Items) {
      auto* item = new QListWidgetItem(QString::fromStdString(s), w);
      item->setData(Qt::AccessibleTextRole, Spoken(item->text()));
    }
    shown = model.Items;
  }
  if (SelectedRow(w) != model.ListIndex) {
    const QSignalBlocker block(w);
    if (model.ListIndex < 0) {
      w->setCurrentRow(-1);
      w->clearSelection();
    } else {
      w->setCurrentRow(model.ListIndex);
    }
  }
}

}  // namespace

void InstallFonts() {
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
}

void SetUpApplication() {
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  InstallFonts();
  QApplication::setFont(QFont(QStringLiteral("IPAPGothic")));
  // Qt's own words, the message boxes' buttons among them, in Japanese as on the game's platform.
  auto* japanese = new QTranslator(qApp);
  if (japanese->load(QStringLiteral("qtbase_ja"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(japanese);
}

GameWindow::GameWindow(const std::string& appDir, Random* random, std::unique_ptr<MciDevice> music)
    : host_(this), mci_(std::move(music)) {
  host_.SetAppPath(appDir);
  setWindowTitle(QString::fromUtf8(Frm::kTitle));
#ifdef PORUKAMI_HAVE_SOUND
  if (!mci_) {
    // The synthesiser is loaded once the first frame is up (see paintEvent).
    FluidMciDevice::Options options;
    options.deferLoading = true;
    mci_ = std::make_unique<FluidMciDevice>(options);
  }
#endif
  if (mci_) {
    // The music timer ticks only when the sequence has ended: the device reports the end from
    // its rendering thread and the tick runs here, on the window's thread, without polling.
    mci_->SetEndListener([this] {
      QMetaObject::invokeMethod(
          this, [this] { OnBgmTick(); }, Qt::QueuedConnection);
    });
    共用関数::SetMciDevice(mci_.get());
  }
  frm_ = std::make_unique<Frm>(host_, random ? *random : ownRandom_);
  host_.SetDrawnSize([this](const PictureBox& box) { return DrawnSize(box); });
  // The opening's first picture decodes on another core from now on.
  frm_->PrefetchOpening();
  connect(&timSay_, &QTimer::timeout, this, [this] {
    if (!host_.ModalOpen()) Run([this] { frm_->TimSay_Timer(); });
  });
  InstallReloadKey(*this);
  new ScreenModes(
      this,
      [this] {
        QResizeEvent e(size(), size());
        if (laidOut_) resizeEvent(&e);
      },
      [this] { Sync(); });
}

GameWindow::~GameWindow() {
  if (!unloaded_) {
    bool cancel = false;
    frm_->Form_Unload(cancel);
  }
  if (共用関数::GetMciDevice() == mci_.get()) 共用関数::SetMciDevice(nullptr);
}

void GameWindow::Build() {
  setAutoFillBackground(true);
  auto button = [](QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setAutoFillBackground(true);
    b->setAutoDefault(true);  // Enter presses the focused button, like Space
    return b;
  };
  // Created bottom-most first, so each control lies above the ones created before it.
  lblDay_ = new ClickLabel(this);
  lst_ = new QListWidget(this);
  for (int i = 0; i < 3; ++i) com_[2 - i] = button(this);
  pic_ = new PictureWidget(this);
  com_[3] = button(this);
  picStr_ = new PictureWidget(this);
  for (int i = Frm::kBars - 1; i >= 0; --i) shpStr_[i] = new ShapeWidget(picStr_);
  for (int i = Frm::kHeroines - 1; i >= 0; --i) comStr_[i] = button(picStr_);
  com_[4] = button(this);
  txtName_ = new QLineEdit(this);

  lblShp_ = new ShapeWidget(pic_);
  for (int k = 1; k >= 0; --k) lblBak_[k] = new ClickLabel(pic_);
  lbl_ = new ClickLabel(pic_);
  lblGame_ = new ClickLabel(pic_);
  picKao_ = new PictureWidget(pic_);
  picSaka_ = new PictureWidget(pic_);
  lstIrai_ = new QListWidget(picSaka_);
  comLst_[0] = button(picSaka_);
  comLst_[1] = button(picSaka_);
  menuCom_ = button(picSaka_);

  for (ClickLabel* l : {lbl_, lblBak_[0], lblBak_[1], lblDay_}) {
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
  }
  lblGame_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblGame_->setWordWrap(true);
  txtName_->setMaxLength(static_cast<int>(frm_->TxtName.MaxLength));
  // Shown with the window (made after it was shown, they would stay hidden); every other control
  // is shown or hidden as the game says.
  for (QWidget* w : {static_cast<QWidget*>(lst_), static_cast<QWidget*>(lstIrai_),
                     static_cast<QWidget*>(txtName_)})
    w->setVisible(true);
  lst_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstIrai_->setSelectionMode(QAbstractItemView::SingleSelection);

  // Events the game handles; every other event of every control is ignored.
  for (int i = 0; i < Frm::kComCount; ++i)
    connect(com_[i], &QPushButton::clicked, this,
            [this, i] { Run([=, this] { frm_->Com_Click(i); }); });
  for (int i = 0; i < 2; ++i)
    connect(comLst_[i], &QPushButton::clicked, this,
            [this, i] { Run([=, this] { frm_->ComLst_Click(i); }); });
  for (int i = 0; i < Frm::kHeroines; ++i)
    connect(comStr_[i], &QPushButton::clicked, this,
            [this, i] { Run([=, this] { frm_->ComStr_Click(i); }); });
  connect(menuCom_, &QPushButton::clicked, this,
          [this] { Run([this] { frm_->MenuCom_Click(); }); });
  pic_->onClick = [this] { Run([this] { frm_->Pic_Click(); }); };
  pic_->onActivateKey = [this] {
    if (frm_->Lbl.Visible) Run([this] { frm_->Pic_Click(); });
  };
  lbl_->onClick = [this] { Run([this] { frm_->Lbl_Click(); }); };
  lblGame_->onClick = [this] { Run([this] { frm_->LblGame_Click(); }); };
  connect(lst_, &QListWidget::itemSelectionChanged, this,
          [this] { frm_->Lst.ListIndex = SelectedRow(lst_); });
  connect(lstIrai_, &QListWidget::itemSelectionChanged, this,
          [this] { frm_->LstIrai.ListIndex = SelectedRow(lstIrai_); });
  connect(txtName_, &QLineEdit::textChanged, this,
          [this](const QString& t) { frm_->TxtName.SetText(t.toStdString()); });
  auto* single = new SingleClicks(this);  // a double click is one click
  for (QWidget* w : std::initializer_list<QWidget*>{pic_, lbl_, lblGame_, menuCom_, com_[0],
                                                    com_[1], com_[2], com_[3], com_[4], comLst_[0],
                                                    comLst_[1], comStr_[0], comStr_[1], comStr_[2]})
    single->Watch(w);

  // The keyboard order of the controls.
  pic_->setFocusPolicy(Qt::StrongFocus);
  for (QWidget* w : {static_cast<QWidget*>(picKao_), static_cast<QWidget*>(picSaka_),
                     static_cast<QWidget*>(picStr_)})
    w->setFocusPolicy(Qt::TabFocus);
  QWidget* order[] = {lst_,       com_[0],    com_[1],    com_[2], pic_,       picKao_,
                      picSaka_,   lstIrai_,   comLst_[0], com_[3], comLst_[1], picStr_,
                      comStr_[0], comStr_[1], comStr_[2], com_[4], menuCom_,   txtName_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool GameWindow::Load() {
  // The platform's window first, so the frame it adds is known when the game sizes its window.
  create();
  bool ok = false;
  Run([&] { ok = frm_->Form_Load(); });  // before the controls exist: nothing to bring up to date
  laidOut_ = ok;
  // The window has its size now, so the opening's first picture is also scaled to its box on the
  // other core while the controls are made.
  if (ok) host_.ScaleHintedPictures();
  return ok;
}

QSize GameWindow::DrawnSize(const PictureBox& box) const {
  if (!laidOut_) return {};
  const Frm& m = *frm_;
  QSize logical;
  if (&box == &m.Pic) {
    logical = Place(m.Pic.Geo, m.ScaleSys, GameArea(*this)).size();
  } else if (&box == &m.PicKao) {
    logical = FacePlace(m.PicKao.Geo).size();
  } else {
    return {};
  }
  logical = PictureWidget::InsideBorder(QRect({}, logical), box.Border).size();
  const qreal dpr = devicePixelRatioF();
  return {qRound(logical.width() * dpr), qRound(logical.height() * dpr)};
}

QRect GameWindow::FacePlace(const Geometry& k) {
  // The face box keeps its design place in twips, whatever the size of the picture.
  return {static_cast<int>(k.Left / Frm::kTwipsPerPixel),
          static_cast<int>(k.Top / Frm::kTwipsPerPixel),
          static_cast<int>(k.Width / Frm::kTwipsPerPixel),
          static_cast<int>(k.Height / Frm::kTwipsPerPixel)};
}

void GameWindow::ActivateOnce() {
  if (activated_) return;
  activated_ = true;
  // The controls are made once the window has been shown: the platform maps the window meanwhile,
  // and the frame that shows them is the first one painted.
  Build();
  Sync();
  Run([this] { frm_->Form_Activate(); });
  pic_->setFocus(Qt::OtherFocusReason);  // the opening scene has the keyboard
}

void GameWindow::Run(const std::function<void()>& handler) {
  const bool sceneBefore = frm_->Lbl.Visible;
  const bool pressed = qobject_cast<QAbstractButton*>(sender()) != nullptr;
  handler();
  Sync();
  // A scene that starts (or runs on after a button) takes the keyboard, so Space and Enter move
  // its text on rather than press the command that started it again.
  if (pic_ && frm_->Lbl.Visible && (pressed || !sceneBefore)) pic_->setFocus(Qt::OtherFocusReason);
}

QRect GameWindow::Place(const Geometry& g, const Scale& s, const QRect& c) const {
  const auto x = [&](double u) {
    return c.x() + static_cast<int>(std::lround((u - s.Left) / s.Width * c.width()));
  };
  const auto y = [&](double u) {
    return c.y() + static_cast<int>(std::lround((u - s.Top) / s.Height * c.height()));
  };
  const int x0 = x(g.Left), y0 = y(g.Top);
  return QRect(x0, y0, std::max(0, x(g.Left + g.Width) - x0),
               std::max(0, y(g.Top + g.Height) - y0));
}

void GameWindow::Sync() {
  if (!pic_) return;  // not built yet
  const Frm& m = *frm_;
  QPalette wp = palette();
  if (wp.color(QPalette::Window) != C(m.BackColor)) {
    wp.setColor(QPalette::Window, C(m.BackColor));
    setPalette(wp);
  }
  const int f = m.FontBase();
  const QFont plain = GameFont(false, f);
  const QRect client = GameArea(*this);

  auto syncButton = [&](QPushButton* w, const Button& b, const QRect& container, const Scale& s) {
    w->setGeometry(Place(b.Geo, s, container));
    if (w->text() != QString::fromStdString(b.Caption))
      w->setText(QString::fromStdString(b.Caption));
    w->setEnabled(b.Enabled);
    SetColours(w, b.BackColor, b.ForeColor, false);
    SetFont(w, GameFont(false, b.FontSize));
    w->setVisible(b.Visible);
  };
  auto syncLabel = [&](ClickLabel* w, const Label& l, const QRect& container, const Scale& s) {
    w->setGeometry(Place(l.Geo, s, container));
    w->setText(Caption(l.Caption));
    SetLabelColour(w, l.ForeColor);
    SetFont(w, GameFont(l.Bold, l.FontSize));
    w->setVisible(l.Visible);
  };
  auto syncPicture = [&](PictureWidget* w, const PictureBox& p, const QRect& container,
                         const Scale& s) {
    w->setGeometry(Place(p.Geo, s, container));
    w->SetColour(p.BackColor);
    w->SetBorder(p.Border);
    w->SetPicture(p.Painted);
    w->setVisible(p.Visible);
  };

  txtName_->setGeometry(Place(m.TxtName.Geo, m.ScaleSys, client));
  SetFont(txtName_, plain);  // before the text, which is laid out in it
  SetColours(txtName_, m.TxtName.BackColor, m.TxtName.ForeColor, true);
  if (txtName_->text().toStdString() != m.TxtName.Text)
    txtName_->setText(QString::fromStdString(m.TxtName.Text));
  for (int i = 0; i < Frm::kComCount; ++i) syncButton(com_[i], m.Com[i], client, m.ScaleSys);

  syncPicture(picStr_, m.PicStr, client, m.ScaleSys);
  const QRect strSize = picStr_->rect();
  for (int i = 0; i < Frm::kHeroines; ++i)
    syncButton(comStr_[i], m.ComStr[i], strSize, m.PicStr.ScaleSys);
  for (int i = 0; i < Frm::kBars; ++i) {
    const Shape& bar = m.ShpStr[i];
    shpStr_[i]->setGeometry(Place(bar.Geo, m.PicStr.ScaleSys, strSize));
    shpStr_[i]->SetColours(bar.FillColor, bar.BorderColor, bar.Border);
    shpStr_[i]->setVisible(bar.Visible && bar.Geo.Width > 0);
  }

  syncPicture(pic_, m.Pic, client, m.ScaleSys);
  const QRect picSize = pic_->rect();
  syncPicture(picSaka_, m.PicSaka, picSize, m.Pic.ScaleSys);
  const QRect sakaSize = picSaka_->rect();
  syncButton(menuCom_, m.MenuCom, sakaSize, m.PicSaka.ScaleSys);
  for (int i = 0; i < 2; ++i) syncButton(comLst_[i], m.ComLst[i], sakaSize, m.PicSaka.ScaleSys);
  lstIrai_->setGeometry(Place(m.LstIrai.Geo, m.PicSaka.ScaleSys, sakaSize));
  SetColours(lstIrai_, m.LstIrai.BackColor, m.LstIrai.ForeColor, true);
  SetFont(lstIrai_, GameFont(false, m.LstIrai.FontSize));
  SyncList(lstIrai_, m.LstIrai, lstIraiShown_);

  picKao_->setGeometry(FacePlace(m.PicKao.Geo));
  picKao_->SetBorder(m.PicKao.Border);
  picKao_->SetPicture(m.PicKao.Painted);
  picKao_->setVisible(m.PicKao.Visible);

  syncLabel(lblGame_, m.LblGame, picSize, m.Pic.ScaleSys);
  syncLabel(lbl_, m.Lbl, picSize, m.Pic.ScaleSys);
  for (int i = 0; i < 2; ++i) syncLabel(lblBak_[i], m.LblBak[i], picSize, m.Pic.ScaleSys);
  lblShp_->setGeometry(Place(m.LblShp.Geo, m.Pic.ScaleSys, picSize));
  lblShp_->SetColours(m.LblShp.FillColor, m.LblShp.BorderColor, m.LblShp.Border);
  lblShp_->setVisible(m.LblShp.Visible);

  lst_->setGeometry(Place(m.Lst.Geo, m.ScaleSys, client));
  SetColours(lst_, m.Lst.BackColor, m.Lst.ForeColor, true);
  SetFont(lst_, GameFont(false, m.Lst.FontSize));
  SyncList(lst_, m.Lst, lstShown_);
  syncLabel(lblDay_, m.LblDay, client, m.ScaleSys);

  SyncTimers();
  announcer_.Sync(*this);
}

void GameWindow::SyncTimers() {
  const Timer& t = frm_->TimSay;
  if (t.Ticks()) {
    // A timer switched on while already on keeps its phase; one switched off and on again in
    // the same event starts afresh.
    if (!timSay_.isActive() || timSay_.interval() != t.Interval ||
        t.Enabled.Starts() != timSayStarts_)
      timSay_.start(t.Interval);
  } else if (timSay_.isActive()) {
    timSay_.stop();
  }
  timSayStarts_ = t.Enabled.Starts();
}

void GameWindow::OnBgmTick() {
  if (frm_->BgmTim.Ticks()) frm_->BgmTim_Timer();
}

void GameWindow::paintEvent(QPaintEvent* e) {
  QWidget::paintEvent(e);
  PaintMargins(*this);
  if (firstFrameDone_) return;
  firstFrameDone_ = true;
  // What the first frame does not need waits until it is on the screen: the icon (an image
  // plugin and a decode) and the synthesiser (dozens of libraries and the soundfont).
  QTimer::singleShot(0, this, [this] {
    const QString icon =
        QString::fromStdString(host_.AppPath()) + QStringLiteral("/icons/icon32.png");
    if (QFile::exists(icon)) setWindowIcon(QIcon(icon));
    if (mci_) mci_->BeginLoading();
  });
}

void GameWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (inResize_) {
    Sync();
    return;
  }
  inResize_ = true;
  const int frameExtra = frameGeometry().height() - geometry().height();
  frm_->Height = (GameArea(*this).height() + frameExtra) * Frm::kTwipsPerPixel;
  Run([this] { frm_->Form_Resize(); });
  inResize_ = false;
}

void GameWindow::closeEvent(QCloseEvent* e) {
  if (!unloaded_) {
    bool cancel = false;
    frm_->Form_Unload(cancel);
    unloaded_ = !cancel;
  }
  e->accept();
}

}  // namespace porukami::qt
