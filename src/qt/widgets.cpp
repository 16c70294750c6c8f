#include "qt/widgets.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <deque>
#include <memory>

#include "qt/qthost.h"

namespace porukami::qt {
namespace {

QColor C(const Rgb& c) {
  return QColor(c.r, c.g, c.b);
}

bool Inside(QWidget* w, QMouseEvent* e) {
  return e->button() == Qt::LeftButton && w->rect().contains(e->position().toPoint());
}

}  // namespace

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] {
    resizing_ = false;
    update();
  });
}

void PictureWidget::SetPicture(ImageRef img) {
  if (img == picture_) return;
  picture_ = std::move(img);
  drawn_ = QImage();  // a new picture is drawn smooth at once
  resizing_ = false;
  settle_.stop();
  update();
}

void PictureWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (drawn_.isNull()) return;
  resizing_ = true;
  settle_.start();
}

void PictureWidget::SetColour(const Rgb& c) {
  if (c == colour_) return;
  colour_ = c;
  update();
}

void PictureWidget::SetBorder(bool on) {
  if (on == border_) return;
  border_ = on;
  update();
}

QSize PictureWidget::PictureSize() const {
  const qreal dpr = devicePixelRatioF();
  const QSize inside = InsideBorder(rect(), border_).size();
  return {qRound(std::max(0, inside.width()) * dpr), qRound(std::max(0, inside.height()) * dpr)};
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const auto* img = dynamic_cast<const QtImage*>(picture_.get());
  if (img) {
    const QSize device = PictureSize();
    const QSize ahead = img->AheadSize();
    if (drawn_.isNull() && !ahead.isEmpty() && ahead != device) {
      // Made ahead for a size a little off (the window's frame came after): drawn stretched at
      // once, as during a resize, and the smooth copy follows when the size has held.
      drawn_ = img->TakeAhead();
      if (!drawn_.isNull()) {
        resizing_ = true;
        settle_.start();
      }
    }
    if (!resizing_ || drawn_.isNull() || drawn_.size() == device) drawn_ = img->ScaledTo(device);
    // Drawn over the box's logical rectangle inside its border: a plain copy at the right size,
    // stretched (unsmoothed) while a resize goes on.
    p.drawImage(InsideBorder(rect(), border_), drawn_);
  } else {
    p.fillRect(rect(), C(colour_));
  }
  if (border_) {
    p.setPen(QColor(64, 64, 64));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

// Presses are taken here so the release that follows comes back to this box, not its container.
void PictureWidget::mousePressEvent(QMouseEvent* e) {
  e->accept();
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (onClick && Inside(this, e)) onClick();
}

void PictureWidget::keyPressEvent(QKeyEvent* e) {
  if (onActivateKey &&
      (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
    onActivateKey();
    return;
  }
  QWidget::keyPressEvent(e);
}

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::SetColours(const Rgb& fill, const Rgb& border, bool drawBorder) {
  if (fill == fill_ && border == border_ && drawBorder == drawBorder_) return;
  fill_ = fill;
  border_ = border;
  drawBorder_ = drawBorder;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), C(fill_));
  if (drawBorder_) {
    p.setPen(C(border_));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

namespace {

// The laid-out texts last drawn by the labels, newest first.
struct LaidOut {
  QString text;
  QFont font;
  int width;
  Qt::Alignment alignment;
  std::unique_ptr<QTextLayout> layout;
};
constexpr std::size_t kLaidOutKept = 4;

// The text laid out as QPainter::drawText lays out a word-wrapped text in a rectangle of that
// width: line breaks as new lines, the font's leading between lines.
const QTextLayout& LaidOutText(const QString& text, const QFont& font, int width,
                               Qt::Alignment alignment) {
  static std::deque<LaidOut> kept;
  for (auto it = kept.begin(); it != kept.end(); ++it) {
    if (it->width == width && it->alignment == alignment && it->text == text && it->font == font) {
      if (it != kept.begin()) {
        LaidOut hit = std::move(*it);
        kept.erase(it);
        kept.push_front(std::move(hit));
      }
      return *kept.front().layout;
    }
  }
  QString lines = text;
  lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
  auto layout = std::make_unique<QTextLayout>(lines, font);
  layout->setCacheEnabled(true);
  QTextOption option(alignment & Qt::AlignHorizontal_Mask);
  option.setWrapMode(QTextOption::WordWrap);  // as QLabel wraps
  layout->setTextOption(option);
  const qreal leading = QFontMetricsF(font).leading();
  qreal height = -leading;
  layout->beginLayout();
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLineWidth(width);
    height += leading;
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout->endLayout();
  kept.push_front({text, font, width, alignment, std::move(layout)});
  if (kept.size() > kLaidOutKept) kept.pop_back();
  return *kept.front().layout;
}

}  // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);  // content is shown as written, never as markup
}

void ClickLabel::paintEvent(QPaintEvent* e) {
  if (!wordWrap()) {
    QLabel::paintEvent(e);
    return;
  }
  const QRect area = contentsRect();
  if (text().isEmpty() || area.isEmpty()) return;
  QPainter p(this);
  p.setPen(isEnabled() ? palette().color(foregroundRole())
                       : palette().color(QPalette::Disabled, foregroundRole()));
  p.setClipRect(area);
  LaidOutText(text(), font(), area.width(), alignment()).draw(&p, area.topLeft());
}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
  e->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (onClick && Inside(this, e)) onClick();
}

}  // namespace porukami::qt
