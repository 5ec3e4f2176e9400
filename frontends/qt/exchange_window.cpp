#include "frontends/qt/exchange_window.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

#include "frontends/qt/twips.h"

// The pictures live in a static library, whose resource object the linker
// would drop unless something refers to it; this must stand outside any
// namespace.
static void InitExchangeResources() {
  static bool registered = false;
  if (!registered) Q_INIT_RESOURCE(exchange);
  registered = true;
}

namespace velk {
namespace {

// The layout's controls are sized for a small dialog font: an 11-pixel face
// keeps the one-line captions inside their 12-pixel-high labels.
constexpr int kFontPixelSize = 11;
constexpr int kStatusRefreshMs = 1000;

QLabel* Caption(QWidget* parent, const char* name, const QString& text, const QRect& place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(place);
  // Received lines come from another program; never read them as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// The small caption over a line, set apart from the line itself.
QLabel* LineCaption(QWidget* parent, const char* name, const QString& text, const QRect& place) {
  QLabel* label = Caption(parent, name, text, place);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  QPalette dim = label->palette();
  dim.setColor(QPalette::WindowText, QColor(0x30, 0x30, 0x60));
  label->setPalette(dim);
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

QString PictureOf(ExchangeRole role) {
  return role == ExchangeRole::kA ? QStringLiteral(":/exchange/tavro.svg")
                                  : QStringLiteral(":/exchange/velk.svg");
}

// The persona's drawing fitted into a square of `side` pixels, sharp on any
// screen.
QPixmap PersonaPixmap(ExchangeRole role, int side, qreal pixelRatio) {
  QPixmap pixmap(QSize(side, side) * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer drawing(PictureOf(role));
  drawing.setAspectRatioMode(Qt::KeepAspectRatio);
  QPainter painter(&pixmap);
  drawing.render(&painter, QRectF(0, 0, side, side));
  return pixmap;
}

QString FromText(const std::string& text) { return QString::fromStdString(VisibleText(text)); }

}  // namespace

QString PartText(ExchangeRole role) {
  if (role == ExchangeRole::kNone) return QStringLiteral("Standing by");
  return QString::fromLatin1(ExchangePersona(role)) + QStringLiteral(" (") +
         QString::fromLatin1(ExchangeRoleName(role)) + QStringLiteral(")");
}

QString ExchangeWindowTitle(ExchangeRole role) {
  const QString part = PartText(role);
  return QString::fromLatin1(kExchangeWindowCaption) + QStringLiteral(" — ") +
         (role == ExchangeRole::kNone ? part.toLower() : part);
}

Form3::Form3(ExchangeSession& session, std::function<void()> endProgram, QWidget* parent)
    : QWidget(parent), session_(session), endProgram_(std::move(endProgram)) {
  InitExchangeResources();
  setObjectName(QStringLiteral("Form3"));
  // The design's client area, and below it a strip for the picture and status.
  setFixedSize(Twips(0, 0, 3885, 3435).size());
  QFont small = font();
  small.setPixelSize(kFontPixelSize);
  setFont(small);
  QPalette form = palette();
  form.setColor(QPalette::Window, QColor(Qt::lightGray));
  form.setColor(QPalette::WindowText, Qt::black);
  setPalette(form);
  setAutoFillBackground(true);

  label1_ = Caption(this, "Label1", QStringLiteral("Output to:"), Twips(270, 180, 1035, 180));
  text1_ = Box(this, "Text1", Twips(450, 390, 1875, 285));
  label2_ = Caption(this, "Label2", QStringLiteral("Input from:"), Twips(255, 735, 930, 195));
  text2_ = Box(this, "Text2", Twips(465, 930, 1875, 300));
  command1_ = Button(this, "Command1", QStringLiteral("Go"), Twips(2730, 180, 1065, 390));
  command2_ = Button(this, "Command2", QStringLiteral("Stop!"), Twips(2745, 795, 1050, 405));
  receivedCaption_ =
      LineCaption(this, "ReceivedCaption", QStringLiteral("Received:"), Twips(45, 1230, 1800, 165));
  label3_ = Caption(this, "Label3", QString(), Twips(45, 1395, 3795, 495));
  label3_->setWordWrap(true);
  sentCaption_ =
      LineCaption(this, "SentCaption", QStringLiteral("Sent:"), Twips(45, 1980, 1800, 195));
  label4_ = Caption(this, "Label4", QString(), Twips(45, 2190, 3795, 495));
  label4_->setWordWrap(true);
  picture_ = Caption(this, "Picture", QString(), Twips(60, 2790, 540, 540));
  part_ = LineCaption(this, "Part", QString(), Twips(690, 2775, 3120, 195));
  status_ = Caption(this, "Status", QString(), Twips(690, 2985, 3120, 420));
  status_->setWordWrap(true);

  ShowPart();
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
  timer1_->setInterval(static_cast<int>(session_.TickLength().count()));
  connect(timer1_, &QTimer::timeout, this, &Form3::Timer1Tick);

  // The wait for the partner returns to the event loop between passes
  // instead of spinning inside the tick, so Stop! and window moves work
  // throughout and a tick can never start inside another.
  pollTimer_ = new QTimer(this);
  pollTimer_->setObjectName(QStringLiteral("PollTimer"));
  pollTimer_->setInterval(kExchangePollMs);
  connect(pollTimer_, &QTimer::timeout, this, &Form3::PollTick);

  // The status counts seconds, also while nothing else happens.
  statusTimer_ = new QTimer(this);
  statusTimer_->setInterval(kStatusRefreshMs);
  connect(statusTimer_, &QTimer::timeout, this,
          [this] { status_->setText(QString::fromStdString(session_.Status().Text)); });
  status_->setText(QString::fromStdString(session_.Status().Text));
}

void Form3::ShowPart() {
  shownPart_ = session_.Role();
  setWindowTitle(ExchangeWindowTitle(shownPart_));
  part_->setText(PartText(shownPart_));
  text1_->setText(QString::fromStdString(session_.OwnFile));
  text2_->setText(QString::fromStdString(session_.PartnerFile));
  if (shownPart_ == ExchangeRole::kNone) {
    picture_->clear();
    return;
  }
  picture_->setPixmap(PersonaPixmap(shownPart_, picture_->width(), devicePixelRatioF()));
  setWindowIcon(QIcon(PersonaPixmap(shownPart_, 64, 1.0)));
}

void Form3::Command1Click() {
  session_.Go();
  timer1_->start();
  statusTimer_->start();
  command1_->setText(QStringLiteral("Working...."));
  command1_->setEnabled(false);
  AfterPass();
}

void Form3::Command2Click() {
  timer1_->stop();
  pollTimer_->stop();
  statusTimer_->stop();
  endProgram_();
}

void Form3::Timer1Tick() {
  // A tick during a wait makes one more pass of it.
  session_.Tick();
  AfterPass();
}

void Form3::PollTick() {
  session_.Poll();
  AfterPass();
}

void Form3::AfterPass() {
  if (session_.Role() != shownPart_) ShowPart();
  label3_->setText(FromText(session_.Received));
  label4_->setText(FromText(session_.Sent));
  status_->setText(QString::fromStdString(session_.Status().Text));
  if (session_.Waiting()) {
    if (!pollTimer_->isActive()) pollTimer_->start();
    return;
  }
  pollTimer_->stop();
  if (session_.Ended()) {
    timer1_->stop();
    statusTimer_->stop();
    endProgram_();
  }
}

}  // namespace velk
