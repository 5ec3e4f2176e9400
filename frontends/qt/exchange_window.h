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
// under `Label2`, Go `Command1`, Stop! `Command2`, the line received `Label3`,
// the reply sent `Label4`, and `Timer1`, which runs one exchange per tick once
// Go is pressed. Loading the window loads the session (the file names); the
// session must outlive the window. The boxes stay editable and the session
// always uses what they hold. `endProgram` ends the program at once; it is
// called by Stop! and when the partner ends the conversation.
class Form3 final : public QWidget {
  Q_OBJECT

 public:
  Form3(ExchangeSession& session, bool firstCopy, std::function<void()> endProgram,
        int tickMs = kExchangeTickMs, QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLineEdit* Text1() const { return text1_; }
  QLabel* Label2() const { return label2_; }
  QLineEdit* Text2() const { return text2_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  QLabel* Label3() const { return label3_; }
  QLabel* Label4() const { return label4_; }
  QTimer* Timer1() const { return timer1_; }
  // Runs every kExchangePollMs while a tick waits for the partner.
  QTimer* PollTimer() const { return pollTimer_; }

 private:
  void Command1Click();
  void Command2Click();
  void Timer1Tick();
  void PollTick();
  // Shows the session's labels and, between ticks, stops polling; ends the
  // program when the last exchange asked for it.
  void AfterPass();

  ExchangeSession& session_;
  std::function<void()> endProgram_;
  QLabel* label1_;
  QLineEdit* text1_;
  QLabel* label2_;
  QLineEdit* text2_;
  QPushButton* command1_;
  QPushButton* command2_;
  QLabel* label3_;
  QLabel* label4_;
  QTimer* timer1_;
  QTimer* pollTimer_;
};

inline constexpr const char* kExchangeWindowCaption = "Velk 2 Velk";

}  // namespace velk

#endif  // VELK_FRONTENDS_QT_EXCHANGE_WINDOW_H_
