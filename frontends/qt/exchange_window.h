// The bot-to-bot window: a thin Qt layer over ExchangeSession.
#ifndef VELK_FRONTENDS_QT_EXCHANGE_WINDOW_H_
#define VELK_FRONTENDS_QT_EXCHANGE_WINDOW_H_

#include <QWidget>
#include <functional>

#include "frontends/exchange_session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace velk {

// `Form3`: the own file's name `Text1` under `Label1`, the partner's `Text2`
// under `Label2`, Go `Command1`, Stop! `Command2`, the line received `Label3`
// and the reply sent `Label4` (each under a caption saying which), and
// `Timer1`, which runs one exchange per tick once Go is pressed. Below them a
// strip shows the persona's picture and name with the part ("Tavro (A)") and
// what the copy is doing; the title names them too ("Velk 2 Velk — Tavro
// (A)").
//
// The session must be loaded and must outlive the window; the window drives
// it at its TickLength(). The boxes stay editable and the session always uses
// what they hold. `endProgram` ends the program at once; it is called by
// Stop! and when the partner ends the conversation.
class Form3 final : public QWidget {
  Q_OBJECT

 public:
  Form3(ExchangeSession& session, std::function<void()> endProgram, QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLineEdit* Text1() const { return text1_; }
  QLabel* Label2() const { return label2_; }
  QLineEdit* Text2() const { return text2_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  QLabel* Label3() const { return label3_; }
  QLabel* Label4() const { return label4_; }
  QLabel* ReceivedCaption() const { return receivedCaption_; }
  QLabel* SentCaption() const { return sentCaption_; }
  QLabel* Picture() const { return picture_; }
  QLabel* Part() const { return part_; }
  QLabel* Status() const { return status_; }
  QTimer* Timer1() const { return timer1_; }
  // Runs every kExchangePollMs while a tick waits for the partner.
  QTimer* PollTimer() const { return pollTimer_; }

 private:
  void Command1Click();
  void Command2Click();
  void Timer1Tick();
  void PollTick();
  // Shows the session's labels and status and, between ticks, stops polling;
  // ends the program when the last exchange asked for it.
  void AfterPass();
  // The title, boxes and picture of the part the session plays.
  void ShowPart();

  ExchangeSession& session_;
  std::function<void()> endProgram_;
  ExchangeRole shownPart_ = ExchangeRole::kNone;
  QLabel* label1_;
  QLineEdit* text1_;
  QLabel* label2_;
  QLineEdit* text2_;
  QPushButton* command1_;
  QPushButton* command2_;
  QLabel* receivedCaption_;
  QLabel* label3_;
  QLabel* sentCaption_;
  QLabel* label4_;
  QLabel* picture_;
  QLabel* part_;
  QLabel* status_;
  QTimer* timer1_;
  QTimer* pollTimer_;
  QTimer* statusTimer_;
};

inline constexpr const char* kExchangeWindowCaption = "Velk 2 Velk";

// The persona and part ("Tavro (A)"), or "Standing by" without a part.
QString PartText(ExchangeRole role);
// The window's title for a part: "Velk 2 Velk — Tavro (A)", or
// "Velk 2 Velk — standing by" without one.
QString ExchangeWindowTitle(ExchangeRole role);

}  // namespace velk

#endif  // VELK_FRONTENDS_QT_EXCHANGE_WINDOW_H_
