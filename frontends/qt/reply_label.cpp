#include "frontends/qt/reply_label.h"

#include <QPainter>
#include <QTextLayout>
#include <QtMath>

namespace velk {
namespace {

// Lays `layout` out in lines of `width`, one under the other; returns the
// height they take.
qreal LayOut(QTextLayout& layout, int width) {
  QTextOption option(Qt::AlignLeft | Qt::AlignTop);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal y = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();
  return y;
}

}  // namespace

ReplyLabel::ReplyLabel(QWidget* parent) : QLabel(parent) {
  // A reply may echo the user's own text; it must never be read as markup.
  setTextFormat(Qt::PlainText);
  // Tells the layout and the scroll area that the height follows the width.
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int ReplyLabel::HeightFor(const QString& text, int width) const {
  const QMargins margins = contentsMargins();
  QTextLayout layout(text, font());
  const qreal height = LayOut(layout, width - margins.left() - margins.right());
  return qCeil(height) + margins.top() + margins.bottom();
}

QSize ReplyLabel::minimumSizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.maxWidth(), metrics.lineSpacing()};
}

void ReplyLabel::paintEvent(QPaintEvent*) {
  const QRect place = contentsRect();
  QTextLayout layout(text(), font());
  LayOut(layout, place.width());
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  layout.draw(&painter, place.topLeft());
}

}  // namespace velk
