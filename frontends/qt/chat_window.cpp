#include "frontends/qt/chat_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QSvgRenderer>
#include <QTimer>

#include "frontends/qt/twips.h"

// The pictures live in a static library, whose resource object the linker
// would drop unless something refers to it; this must stand outside any
// namespace. Registering once is enough for every window and icon.
static void InitPersonaResources() {
  static bool registered = false;
  if (!registered) Q_INIT_RESOURCE(persona);
  registered = true;
}

namespace velk {
namespace {

const QColor kOrange(255, 128, 0);
constexpr int kRevealIntervalMs = 30;
constexpr int kFontPointSize = 12;

QFont FixedPitchFont() {
  QFont font(QStringLiteral("Courier New"), kFontPointSize);
  // Without the hint a missing Courier New falls back to a proportional face.
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

// A drawing rendered at the size it is shown, sharp on any screen.
QPixmap Render(const QString& resource, QSize size, qreal pixelRatio) {
  QPixmap pixmap(size * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(resource);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QLabel* Picture(QWidget* parent, const QString& resource, const QRect& place) {
  auto* picture = new QLabel(parent);
  picture->setGeometry(place);
  picture->setPixmap(Render(resource, place.size(), parent->devicePixelRatioF()));
  return picture;
}

}  // namespace

QString AboutText() {
  return QStringList{
      QStringLiteral("Velk Tavro - ZARQ 2"),
      QStringLiteral("Newer versions can be obtained from www.velktavro.example"),
      QStringLiteral("To reach the maker, Ned Parrow, e-mail ned@velktavro.example"),
      QStringLiteral("Please send the maker the log file velk.log, which this program writes, so "
                     "that Velk can be improved."),
  }
      .join(QLatin1Char('\n'));
}

QIcon PersonaIcon() {
  InitPersonaResources();
  QIcon icon;
  for (int side : {64, 256}) {
    icon.addPixmap(Render(QStringLiteral(":/persona/image1.svg"), QSize(side, side), 1.0));
  }
  return icon;
}

Form1::Form1(ChatPresenter& presenter, std::function<void()> endProgram, QWidget* parent)
    : QWidget(parent), presenter_(presenter), endProgram_(std::move(endProgram)) {
  InitPersonaResources();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kChatWindowCaption));
  setWindowIcon(PersonaIcon());
  setFixedSize(Twips(0, 0, 8325, 3045).size());

  QPalette form = palette();
  form.setColor(QPalette::Window, kOrange);
  setPalette(form);
  setAutoFillBackground(true);

  image2_ = Picture(this, QStringLiteral(":/persona/image2.svg"), Twips(-30, 75, 1245, 960));
  image2_->setObjectName(QStringLiteral("Image2"));
  image1_ = Picture(this, QStringLiteral(":/persona/image1.svg"), Twips(6540, 1335, 1650, 1665));
  image1_->setObjectName(QStringLiteral("Image1"));

  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setGeometry(Twips(1320, 75, 6495, 555));
  text1_->setFont(FixedPitchFont());
  QPalette input = text1_->palette();
  input.setColor(QPalette::Base, kOrange);
  text1_->setPalette(input);
  text1_->installEventFilter(this);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(Twips(1320, 675, 6495, 975));
  label1_->setFont(FixedPitchFont());
  // A reply may echo the user's own text; it must never be read as markup.
  label1_->setTextFormat(Qt::PlainText);
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The system's window colours (Base, Text), not the orange of the form.
  label1_->setBackgroundRole(QPalette::Base);
  label1_->setForegroundRole(QPalette::Text);
  label1_->setAutoFillBackground(true);
  label1_->installEventFilter(this);

  command1_ = new QPushButton(QStringLiteral("&About"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(Twips(105, 2400, 1200, 480));
  connect(command1_, &QPushButton::clicked, this, &Form1::Command1Click);

  command2_ = new QPushButton(QStringLiteral("E&xit"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setGeometry(Twips(1500, 2400, 1200, 480));
  connect(command2_, &QPushButton::clicked, this, [this] { endProgram_(); });

  // The reply label overlaps the top of the lower picture; the text wins.
  label1_->raise();
  text1_->setFocus();

  presenter_.Load();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kRevealIntervalMs);
  connect(timer1_, &QTimer::timeout, this, &Form1::Timer1Tick);
  timer1_->start();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Text1Enter();
      return true;  // swallowed: the box neither beeps nor inserts anything
    }
  }
  if (watched == label1_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label1Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::Text1Enter() {
  // Selected, so that the next typing replaces the line while it stays visible.
  text1_->selectAll();
  if (presenter_.Enter(text1_->text().toStdString()) == ChatPresenter::Outcome::kEndProgram) {
    endProgram_();
  }
}

void Form1::Timer1Tick() {
  // Returning to the event loop processes pending events, so the tick needs
  // no call of its own; one would let a queued Enter run inside the tick.
  if (const std::optional<std::string> caption = presenter_.Tick()) {
    label1_->setText(QString::fromStdString(*caption));
  }
}

void Form1::Label1Click() { QGuiApplication::clipboard()->setText(label1_->text()); }

void Form1::Command1Click() {
  QMessageBox::about(this, QString::fromLatin1(kProgramTitle), AboutText());
}

}  // namespace velk
