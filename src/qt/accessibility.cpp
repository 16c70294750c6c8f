#include "qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <vector>

#include "qt/window.h"

namespace porukami::qt {
namespace {

// The controls published with a meaning of their own; every other widget of the window (the
// buttons, lists and name box) is published by Qt as it is.
enum class Kind { Other, Window, Picture, Face, Board, Status, Scene, Message, Day, Bar };

struct Which {
  GameWindow* window = nullptr;
  Kind kind = Kind::Other;
  int index = 0;  // of a bar
};

Which Identify(QWidget* w) {
  Which c{qobject_cast<GameWindow*>(w->window())};
  if (!c.window) return c;
  GameWindow& g = *c.window;
  const std::pair<const QWidget*, Kind> kinds[] = {{&g, Kind::Window},
                                                   {g.PicWidget(), Kind::Picture},
                                                   {g.PicKaoWidget(), Kind::Face},
                                                   {g.PicSakaWidget(), Kind::Board},
                                                   {g.PicStrWidget(), Kind::Status},
                                                   {g.LblWidget(), Kind::Scene},
                                                   {g.LblGameWidget(), Kind::Message},
                                                   {g.LblDayWidget(), Kind::Day}};
  for (const auto& [widget, kind] : kinds) {
    if (widget == w) c.kind = kind;
  }
  for (int i = 0; i < Frm::kBars; ++i) {
    if (g.BarWidget(i) == w) c = {&g, Kind::Bar, i};
  }
  return c;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// The page as the reader is given it: the page marks are drawing, not text.
QString SceneText(const Frm& m) {
  if (!m.Lbl.Visible) return {};
  QString page = Q(m.Lbl.Caption);
  page.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  page.remove(QStringLiteral("▼")).remove(QStringLiteral("▽"));
  while (page.startsWith(QLatin1Char('\n'))) page.remove(0, 1);
  return Spoken(page);
}

QString MessageText(const Frm& m) {
  return m.LblGame.Visible ? Spoken(Q(m.LblGame.Caption)) : QString();
}

// What the picture shows in words: the page of a running scene, or the message of the idle
// screen.
QString PictureText(const Frm& m) {
  return m.Lbl.Visible ? SceneText(m) : MessageText(m);
}

// Faces 1 to 9 are the heroines' three faces each, in the heroines' order.
QString FaceName(const Frm& m) {
  const std::string& face = m.PicKao.PaintedName;
  if (face.size() == 6 && face[5] >= '1' && face[5] <= '9')
    return Q(m.HeroineNames[(face[5] - '1') / 3]);
  return QStringLiteral("顔");
}

// Shown to the player: the bars as the game says (a bar of 0 has no width on the screen but
// still shows a stat), every other control as its widget is.
bool Shown(GameWindow& g, QWidget* w) {
  const Which c = Identify(w);
  if (c.kind == Kind::Bar) return g.model().ShpStr[c.index].Visible;
  return !w->isHidden();
}

// The children a reader sees, in the game's keyboard order.
std::vector<QWidget*> Children(const Which& c) {
  GameWindow& g = *c.window;
  std::vector<QWidget*> all;
  switch (c.kind) {
    case Kind::Window:
      all = {g.LstWidget(),  g.ComButton(0),   g.ComButton(1), g.ComButton(2),   g.PicWidget(),
             g.ComButton(3), g.PicStrWidget(), g.ComButton(4), g.LblDayWidget(), g.TxtNameWidget()};
      break;
    case Kind::Picture:
      all = {g.PicKaoWidget(), g.LblWidget(), g.LblGameWidget(), g.PicSakaWidget()};
      break;
    case Kind::Board:
      all = {g.LstIraiWidget(), g.ComLstButton(0), g.ComLstButton(1), g.MenuComButton()};
      break;
    case Kind::Status:
      for (int h = 0; h < Frm::kHeroines; ++h) {
        all.push_back(g.ComStrButton(h));
        for (int s = 0; s < Frm::kStatsPerHeroine; ++s)
          all.push_back(g.BarWidget(h * Frm::kStatsPerHeroine + s));
      }
      break;
    default:
      break;
  }
  std::erase_if(all, [&](QWidget* w) { return !w || !Shown(g, w); });
  return all;
}

// One accessible object for each widget of the window's own kinds; what it publishes depends on
// which control it is, looked up at each question (the controls are made after the window).
class Published : public QAccessibleWidget,
                  public QAccessibleTextInterface,
                  public QAccessibleValueInterface {
 public:
  explicit Published(QWidget* w) : QAccessibleWidget(w) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    const Kind k = Identify(widget()).kind;
    const bool text =
        k == Kind::Picture || k == Kind::Scene || k == Kind::Message || k == Kind::Day;
    if (t == QAccessible::TextInterface && text)
      return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::ValueInterface && k == Kind::Bar)
      return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QAccessible::Role role() const override {
    switch (Identify(widget()).kind) {
      case Kind::Window:
        return QAccessible::Window;
      case Kind::Picture:
      case Kind::Face:
        return QAccessible::Graphic;
      case Kind::Board:
      case Kind::Status:
        return QAccessible::Pane;
      case Kind::Scene:
      case Kind::Message:
      case Kind::Day:
        return QAccessible::StaticText;
      case Kind::Bar:
        return QAccessible::ProgressBar;
      case Kind::Other:
        break;
    }
    return QAccessibleWidget::role();
  }

  QString text(QAccessible::Text t) const override {
    const Which c = Identify(widget());
    if (!c.window || (t != QAccessible::Name && t != QAccessible::Description))
      return QAccessibleWidget::text(t);
    const Frm& m = c.window->model();
    const bool name = t == QAccessible::Name;
    switch (c.kind) {
      case Kind::Picture:
        return name ? QStringLiteral("場面") : PictureText(m);
      case Kind::Face:
        return name ? FaceName(m) : QString();
      case Kind::Board:
        return name ? QStringLiteral("掲示板") : QString();
      case Kind::Status:
        return name ? QStringLiteral("ステータス") : QString();
      case Kind::Scene:
      case Kind::Message:
      case Kind::Day:
        return name ? Text() : QString();
      case Kind::Bar:
        return name ? Q(m.HeroineNames[c.index / Frm::kStatsPerHeroine]) + QLatin1Char(' ') +
                          QString::fromUtf8(Frm::kStatNames[c.index % Frm::kStatsPerHeroine])
                    : QString();
      default:
        return QAccessibleWidget::text(t);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const Which c = Identify(widget());
    if (c.kind == Kind::Bar && c.window->model().ShpStr[c.index].Visible) {
      s.invisible = false;
      s.offscreen = false;
    }
    return s;
  }

  int childCount() const override {
    const Which c = Identify(widget());
    return c.window ? static_cast<int>(Children(c).size()) : QAccessibleWidget::childCount();
  }
  QAccessibleInterface* child(int i) const override {
    const Which c = Identify(widget());
    if (!c.window) return QAccessibleWidget::child(i);
    const std::vector<QWidget*> all = Children(c);
    return i >= 0 && i < static_cast<int>(all.size())
               ? QAccessible::queryAccessibleInterface(all[i])
               : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const Which c = Identify(widget());
    if (!c.window) return QAccessibleWidget::indexOfChild(child);
    const std::vector<QWidget*> all = Children(c);
    for (std::size_t i = 0; i < all.size(); ++i)
      if (child && child->object() == all[i]) return static_cast<int>(i);
    return -1;
  }

  // The picture moves a running scene on, as Space does.
  QStringList actionNames() const override {
    const Which c = Identify(widget());
    if (c.kind == Kind::Picture && c.window->model().Lbl.Visible) return {pressAction()};
    return QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    const Which c = Identify(widget());
    if (c.kind == Kind::Picture && action == pressAction()) {
      if (auto* pic = c.window->PicWidget(); pic->onActivateKey) pic->onActivateKey();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

  // Text: what the control shows, read only, without a caret or selections.
  QString Text() const {
    const Which c = Identify(widget());
    if (!c.window) return {};
    const Frm& m = c.window->model();
    switch (c.kind) {
      case Kind::Picture:
        return PictureText(m);
      case Kind::Scene:
        return SceneText(m);
      case Kind::Message:
        return MessageText(m);
      case Kind::Day:
        return Spoken(Q(m.LblDay.Caption));
      default:
        return {};
    }
  }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override { return Text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

  // Value: a bar's stat, 0 to 100, set only by the game.
  QVariant currentValue() const override {
    const Which c = Identify(widget());
    if (c.kind != Kind::Bar) return 0;  // a window being closed is no longer the game's
    return c.window->model()
        .Stats[c.index / Frm::kStatsPerHeroine][c.index % Frm::kStatsPerHeroine];
  }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 100; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* Factory(const QString&, QObject* o) {
  if (qobject_cast<GameWindow*>(o) || qobject_cast<PictureWidget*>(o) ||
      qobject_cast<ClickLabel*>(o) || qobject_cast<ShapeWidget*>(o))
    return new Published(static_cast<QWidget*>(o));
  return nullptr;
}

// Tells the reader that `after` replaced `before` in o's text: each new line alone, as inserted
// text, when the text grew; else the old text removed first.
void Tell(QObject* o, const QString& before, const QString& after) {
  if (before == after) return;
  qsizetype at = 0;
  if (!before.isEmpty() && after.startsWith(before)) {
    at = before.size();
  } else if (!before.isEmpty()) {
    QAccessibleTextRemoveEvent removed(o, 0, before);
    QAccessible::updateAccessibility(&removed);
  }
  while (at < after.size()) {
    qsizetype end = after.indexOf(QLatin1Char('\n'), at);
    if (end < 0) end = after.size();
    if (end > at) {
      QAccessibleTextInsertEvent inserted(o, static_cast<int>(at), after.mid(at, end - at));
      QAccessible::updateAccessibility(&inserted);
    }
    at = end + 1;
  }
}

}  // namespace

QString Spoken(QString text) {
  return text.replace(QLatin1Char('\\'), QChar(0xA5));
}

Announcer::Announcer() {
  static const bool installed = (QAccessible::installFactory(&Factory), true);
  (void)installed;
}

void Announcer::Sync(GameWindow& w) {
  if (!named_) {
    named_ = true;
    w.LstWidget()->setAccessibleName(QStringLiteral("持ち物"));
    w.LstIraiWidget()->setAccessibleName(QStringLiteral("依頼"));
    w.TxtNameWidget()->setAccessibleName(QStringLiteral("名前"));
  }
  if (!QAccessible::isActive()) {  // nothing listens: nothing to work out
    scene_.clear();
    message_.clear();
    picture_.clear();
    return;
  }
  const Frm& m = w.model();
  const QString scene = SceneText(m), message = MessageText(m), picture = PictureText(m);
  Tell(w.LblWidget(), scene_, scene);
  Tell(w.LblGameWidget(), message_, message);
  if (picture != picture_) {
    Tell(w.PicWidget(), picture_, picture);
    // Readers keep the description they were last given until they are told it changed.
    QAccessibleEvent described(w.PicWidget(), QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
  }
  scene_ = scene;
  message_ = message;
  picture_ = picture;
}

}  // namespace porukami::qt
