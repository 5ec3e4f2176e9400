#include "frontends/qt/chat_window.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStringList>
#include <QSvgRenderer>
#include <QTimer>
#include <QValidator>
#include <algorithm>

#include "frontends/qt/twips.h"
#include "velk/version.h"

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
// Text on the orange parts, whatever the theme: black gives 8.3:1, and the
// placeholder's dark brown 5.9:1 (white would give 2.5:1).
const QColor kInkOnOrange(0, 0, 0);
const QColor kPlaceholderOnOrange(64, 32, 0);
constexpr int kRevealIntervalMs = 30;
constexpr int kCopiedShownMs = 2000;
constexpr int kFontPointSize = 12;

// The designed places; room beyond the designed size goes to the input and
// the reply, and what lies below or right of them moves along.
constexpr QRect kForm = Twips(0, 0, 8325, 3045);
constexpr QRect kText1 = Twips(1320, 75, 6495, 555);
constexpr QRect kLabel1 = Twips(1320, 675, 6495, 975);
constexpr QRect kCommand1 = Twips(105, 2400, 1200, 480);
constexpr QRect kCommand2 = Twips(1500, 2400, 1200, 480);
constexpr QRect kStatus = Twips(2820, 2400, 3600, 480);
constexpr QRect kImage2 = Twips(-30, 75, 1245, 960);
constexpr QRect kImage1 = Twips(6540, 1335, 1650, 1665);

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

void Describe(QWidget* widget, const QString& name, const QString& description) {
  widget->setAccessibleName(name);
  widget->setAccessibleDescription(description);
}

// Keeps the input box holding what it shows: a line break or tab pasted into
// it becomes a blank, so the engine and the log never see one.
class BlanksForControls final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (QChar& c : input) {
      if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
          c == QChar::ParagraphSeparator) {
        c = QLatin1Char(' ');
      }
    }
    return Acceptable;
  }
};

const QString kReplyName = QStringLiteral("Velk's reply");

}  // namespace

QString AboutText() {
  return QStringList{
      QStringLiteral("Velk Tavro - ZARQ 2"),
      QStringLiteral("Version " VELK_VERSION),
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
  setMinimumSize(kForm.size());
  resize(kForm.size());

  QPalette form = palette();
  form.setColor(QPalette::Window, kOrange);
  form.setColor(QPalette::WindowText, kInkOnOrange);
  setPalette(form);
  setAutoFillBackground(true);

  image2_ = Picture(this, QStringLiteral(":/persona/image2.svg"), kImage2);
  image2_->setObjectName(QStringLiteral("Image2"));
  Describe(image2_, QStringLiteral("Velk"), QStringLiteral("A drawing of Velk, the persona"));
  image1_ = Picture(this, QStringLiteral(":/persona/image1.svg"), kImage1);
  image1_->setObjectName(QStringLiteral("Image1"));
  Describe(image1_, QStringLiteral("Velk"), QStringLiteral("Another drawing of Velk"));

  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setFont(FixedPitchFont());
  text1_->setPlaceholderText(QStringLiteral("Type a line and press Enter"));
  text1_->setValidator(new BlanksForControls(text1_));
  QPalette input = text1_->palette();
  input.setColor(QPalette::Base, kOrange);
  input.setColor(QPalette::Text, kInkOnOrange);
  input.setColor(QPalette::PlaceholderText, kPlaceholderOnOrange);
  text1_->setPalette(input);
  Describe(text1_, QStringLiteral("Your line"),
           QStringLiteral("Type a line for Velk and press Enter"));
  text1_->installEventFilter(this);

  label1_ = new ReplyLabel;
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setFont(FixedPitchFont());
  // The system's window colours (Base, Text), not the orange of the form.
  label1_->setBackgroundRole(QPalette::Base);
  label1_->setForegroundRole(QPalette::Text);
  label1_->setToolTip(QStringLiteral("A click copies the reply; Esc shows it whole"));
  // A name of its own keeps the label from announcing every revealed letter;
  // AnnounceReply names it after the reply once the reply is whole.
  Describe(label1_, kReplyName,
           QStringLiteral("Velk's reply. A click copies what is shown; Escape shows it whole"));
  label1_->installEventFilter(this);

  // Label1's designed place; a reply that needs more room than the window
  // can give scrolls there, following the reveal.
  replyArea_ = new QScrollArea(this);
  replyArea_->setObjectName(QStringLiteral("Label1Area"));
  replyArea_->setFrameShape(QFrame::NoFrame);
  // A click on the reply must leave the typing in the input box.
  replyArea_->setFocusPolicy(Qt::NoFocus);
  replyArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  replyArea_->setWidgetResizable(true);
  replyArea_->setWidget(label1_);
  QScrollBar* scroll = replyArea_->verticalScrollBar();
  connect(scroll, &QScrollBar::rangeChanged, scroll,
          [scroll](int, int end) { scroll->setValue(end); });

  command1_ = new QPushButton(QStringLiteral("&About"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  Describe(command1_, QStringLiteral("About"),
           QStringLiteral("Who made Velk, and where to find newer versions"));
  connect(command1_, &QPushButton::clicked, this, &Form1::Command1Click);

  command2_ = new QPushButton(QStringLiteral("E&xit"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  Describe(command2_, QStringLiteral("Exit"), QStringLiteral("Ends the program (Ctrl+Q)"));
  connect(command2_, &QPushButton::clicked, this, [this] { endProgram_(); });

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Status"));
  status_->setTextFormat(Qt::PlainText);
  // No accessible name: the label's text is its name, so a new notice is read.
  status_->setAccessibleDescription(QStringLiteral("Notices about the chat"));
  copied_ = new QTimer(this);
  copied_->setSingleShot(true);
  copied_->setInterval(kCopiedShownMs);
  connect(copied_, &QTimer::timeout, this, &Form1::ShowStatus);

  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  connect(quit, &QShortcut::activated, this, [this] { endProgram_(); });
  auto* finish = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(finish, &QShortcut::activated, this, &Form1::FinishReveal);

  PlaceControls();
  // The reply overlaps the top of the lower picture; the text wins.
  replyArea_->raise();
  text1_->setFocus();

  presenter_.Load();
  ShowStatus();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kRevealIntervalMs);
  connect(timer1_, &QTimer::timeout, this, &Form1::Timer1Tick);
  timer1_->start();
}

void Form1::resizeEvent(QResizeEvent* event) {
  PlaceControls();
  QWidget::resizeEvent(event);
}

void Form1::PlaceControls() {
  const QSize extra = size().expandedTo(kForm.size()) - kForm.size();
  const QPoint down(0, extra.height());
  const QPoint across(extra.width(), 0);
  text1_->setGeometry(kText1.adjusted(0, 0, extra.width(), 0));
  replyArea_->setGeometry(kLabel1.adjusted(0, 0, extra.width(), extra.height()));
  command1_->setGeometry(kCommand1.translated(down));
  command2_->setGeometry(kCommand2.translated(down));
  status_->setGeometry(kStatus.translated(down).adjusted(0, 0, extra.width(), 0));
  image1_->setGeometry(kImage1.translated(down + across));
  image2_->setGeometry(kImage2);
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
    return;
  }
  GrowForReply();
  ShowStatus();
}

void Form1::Timer1Tick() {
  // Returning to the event loop processes pending events, so the tick needs
  // no call of its own; one would let a queued Enter run inside the tick.
  if (const std::optional<std::string> caption = presenter_.Tick()) {
    label1_->setText(QString::fromStdString(*caption));
    if (presenter_.Revealed()) AnnounceReply();
  }
}

void Form1::FinishReveal() {
  if (presenter_.Revealed()) return;
  label1_->setText(QString::fromStdString(presenter_.FinishReveal()));
  AnnounceReply();
}

void Form1::AnnounceReply() {
  const QString reply = label1_->text().isEmpty() ? kReplyName : label1_->text();
  if (label1_->accessibleName() != reply) {
    label1_->setAccessibleName(reply);  // tells screen readers of the change
    return;
  }
  // The same reply again is news all the same.
  QAccessibleEvent changed(label1_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

void Form1::GrowForReply() {
  // Measured before the reveal, so the window grows once, not line by line.
  const QSize room = replyArea_->maximumViewportSize();
  const int needed =
      label1_->HeightFor(QString::fromStdString(presenter_.RevealText()), room.width());
  if (needed <= room.height()) return;
  int target = height() + needed - room.height();
  if (const QScreen* display = screen()) {
    const int frame = frameGeometry().height() - height();
    target = std::min(target, display->availableGeometry().height() - frame);
  }
  if (target > height()) resize(width(), target);
}

void Form1::Label1Click() {
  QGuiApplication::clipboard()->setText(label1_->text());
  copied_->start();
  ShowStatus();
}

void Form1::ShowStatus() {
  if (copied_->isActive()) {
    status_->setText(QStringLiteral("Reply copied to the clipboard"));
  } else if (presenter_.LogFailing()) {
    status_->setText(QStringLiteral("velk.log cannot be written"));
  } else {
    status_->clear();
  }
}

void Form1::Command1Click() {
  QMessageBox::about(this, QString::fromLatin1(kProgramTitle), AboutText());
}

}  // namespace velk
