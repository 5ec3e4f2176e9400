#include "frontends/qt/exchange_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "frontends/qt/twips.h"

namespace velk {
namespace {

// The layout's controls are sized for a small dialog font: an 11-pixel face
// keeps the one-line captions inside their 12-pixel-high labels.
constexpr int kFontPixelSize = 11;

QLabel* Caption(QWidget* parent, const char* name, const QString& text, const QRect& place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(place);
  // Received lines come from another program; never read them as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QLineEdit* Box(QWidget* parent, const char* name, const QRect& place) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(place);
  return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, const QRect& place) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(place);
  return button;
}

}  // namespace

Form3::Form3(ExchangeSession& session, bool firstCopy, std::function<void()> endProgram, int tickMs,
             QWidget* parent)
    : QWidget(parent), session_(session), endProgram_(std::move(endProgram)) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QString::fromLatin1(kExchangeWindowCaption));
  setFixedSize(Twips(0, 0, 3885, 2775).size());
  QFont small = font();
  small.setPixelSize(kFontPixelSize);
  setFont(small);
  QPalette form = palette();
  form.setColor(QPalette::Window, QColor(Qt::lightGray));
  setPalette(form);
  setAutoFillBackground(true);

  label1_ = Caption(this, "Label1", QStringLiteral("Output to:"), Twips(270, 180, 1035, 180));
  text1_ = Box(this, "Text1", Twips(450, 390, 1875, 285));
  label2_ = Caption(this, "Label2", QStringLiteral("Input from:"), Twips(255, 735, 930, 195));
  text2_ = Box(this, "Text2", Twips(465, 930, 1875, 300));
  command1_ = Button(this, "Command1", QStringLiteral("Go"), Twips(2730, 180, 1065, 390));
  command2_ = Button(this, "Command2", QStringLiteral("Stop!"), Twips(2745, 795, 1050, 405));
  label3_ = Caption(this, "Label3", QString(), Twips(45, 1395, 3795, 495));
  label3_->setWordWrap(true);
  label4_ = Caption(this, "Label4", QString(), Twips(45, 2190, 3795, 495));
  label4_->setWordWrap(true);

  session_.Load(firstCopy);
  text1_->setText(QString::fromStdString(session_.OwnFile));
  text2_->setText(QString::fromStdString(session_.PartnerFile));
  // The session reads the names at every pass, so an edit counts from the
  // next file step on, as the boxes promise.
  connect(text1_, &QLineEdit::textChanged, this,
          [this](const QString& text) { session_.OwnFile = text.toStdString(); });
  connect(text2_, &QLineEdit::textChanged, this,
          [this](const QString& text) { session_.PartnerFile = text.toStdString(); });

  connect(command1_, &QPushButton::clicked, this, &Form3::Command1Click);
  connect(command2_, &QPushButton::clicked, this, &Form3::Command2Click);

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(tickMs);
  connect(timer1_, &QTimer::timeout, this, &Form3::Timer1Tick);

  // The wait for the partner returns to the event loop between passes
  // instead of spinning inside the tick, so Stop! and window moves work
  // throughout and a tick can never start inside another.
  pollTimer_ = new QTimer(this);
  pollTimer_->setObjectName(QStringLiteral("PollTimer"));
  pollTimer_->setInterval(kExchangePollMs);
  connect(pollTimer_, &QTimer::timeout, this, &Form3::PollTick);
}

void Form3::Command1Click() {
  timer1_->start();
  command1_->setText(QStringLiteral("Working...."));
  command1_->setEnabled(false);
}

void Form3::Command2Click() {
  timer1_->stop();
  pollTimer_->stop();
  endProgram_();
}

void Form3::Timer1Tick() {
  // A tick that comes while the last one still waits is skipped.
  if (session_.Waiting()) return;
  session_.Tick();
  AfterPass();
}

void Form3::PollTick() {
  session_.Poll();
  AfterPass();
}

void Form3::AfterPass() {
  label3_->setText(QString::fromStdString(session_.Received));
  label4_->setText(QString::fromStdString(session_.Sent));
  if (session_.Waiting()) {
    if (!pollTimer_->isActive()) pollTimer_->start();
    return;
  }
  pollTimer_->stop();
  if (session_.Ended()) {
    timer1_->stop();
    endProgram_();
  }
}

}  // namespace velk
