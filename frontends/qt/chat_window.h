// The chat window: a thin Qt layer over ChatPresenter.
#ifndef VELK_FRONTENDS_QT_CHAT_WINDOW_H_
#define VELK_FRONTENDS_QT_CHAT_WINDOW_H_

#include <QIcon>
#include <QString>
#include <QWidget>
#include <functional>

#include "frontends/chat_presenter.h"
#include "frontends/qt/reply_label.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTimer;

namespace velk {

// `Form1`: the input line `Text1`, the revealed reply `Label1`, the reveal
// timer `Timer1`, the About button `Command1`, the Exit button `Command2` and
// the two persona pictures `Image2` (top left) and `Image1` (bottom right).
// Label1 sits in a scroll area in its designed place, and a status line beside
// the buttons tells of a copied reply and of a log that cannot be written.
// The window opens at its designed size and may be made larger, the reply
// taking the room; it grows by itself when a reply needs more.
// Loading the window loads the presenter (greeting and log header); the
// presenter must outlive the window. `endProgram` ends the program at once; it
// is called by Exit, Ctrl+Q and the EXIT sentence.
class Form1 final : public QWidget {
  Q_OBJECT

 public:
  Form1(ChatPresenter& presenter, std::function<void()> endProgram, QWidget* parent = nullptr);

  QLineEdit* Text1() const { return text1_; }
  ReplyLabel* Label1() const { return label1_; }
  QScrollArea* ReplyArea() const { return replyArea_; }
  QLabel* Status() const { return status_; }
  QTimer* Timer1() const { return timer1_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  QLabel* Image1() const { return image1_; }
  QLabel* Image2() const { return image2_; }

  // One tick of Timer1: shows the next part of the reply. Public so that a
  // test can stop the timer and step the reveal itself.
  void Timer1Tick();

 protected:
  // Swallows Enter in Text1 and takes left clicks on Label1.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Gives the room beyond the designed size to the input and the reply.
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Text1Enter();
  void Label1Click();
  void Command1Click();
  // Puts every control in its designed place, moved or widened by the room
  // the window has beyond its designed size.
  void PlaceControls();
  // Escape: the whole reply at once.
  void FinishReveal();
  // Tells screen readers the reply, once it is shown whole.
  void AnnounceReply();
  // Makes the window taller when the reply needs more room than it has.
  void GrowForReply();
  // The status line: a copy just made, else a failing log, else nothing.
  void ShowStatus();

  ChatPresenter& presenter_;
  std::function<void()> endProgram_;
  QLineEdit* text1_;
  ReplyLabel* label1_;
  QScrollArea* replyArea_;
  QLabel* status_;
  QTimer* copied_;  // runs while the status line tells of a copy
  QTimer* timer1_;
  QPushButton* command1_;
  QPushButton* command2_;
  QLabel* image1_;
  QLabel* image2_;
};

// The window's caption, the About box's title and its text.
inline constexpr const char* kChatWindowCaption = "Velk Tavro - Beta Release 2";
inline constexpr const char* kProgramTitle = "Velk Tavro";
QString AboutText();

// The persona picture, also the program's icon.
QIcon PersonaIcon();

}  // namespace velk

#endif  // VELK_FRONTENDS_QT_CHAT_WINDOW_H_
