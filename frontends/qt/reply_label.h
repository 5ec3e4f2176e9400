// The reply's label: wraps at blanks where it can and anywhere where it must,
// so that a word longer than the line is never cut off at the right edge.
#ifndef VELK_FRONTENDS_QT_REPLY_LABEL_H_
#define VELK_FRONTENDS_QT_REPLY_LABEL_H_

#include <QLabel>

namespace velk {

// A plain-text QLabel (and so read by screen readers as one) that lays its
// text out itself; its height for a width is what that layout needs.
class ReplyLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit ReplyLabel(QWidget* parent = nullptr);

  // The height `text` needs when laid out as this label lays it out at `width`.
  int HeightFor(const QString& text, int width) const;

  int heightForWidth(int width) const override { return HeightFor(text(), width); }
  // Small: the label takes the width it is given and wraps to it.
  QSize sizeHint() const override { return minimumSizeHint(); }
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_QT_REPLY_LABEL_H_
