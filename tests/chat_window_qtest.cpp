// The chat window's wiring: keys, clicks, the timer, the buttons. What the
// window does with them is covered by the presenter's own tests.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "frontends/chat_presenter.h"
#include "frontends/conversation_log.h"
#include "frontends/qt/chat_window.h"
#include "library/bot_core.h"
#include "tests/qt_test_support.h"
#include "tests/recording_sink.h"
#include "velk/version.h"

namespace {

using velk::ReplyLabel;

// A bot with a fixed seed over a still clock; two made alike answer alike.
velk::Bot SeededBot() {
  return velk::BotInternals::WithClock({.Seed = 99u}, std::make_unique<velk::FixedClock>());
}

// A window over a seeded bot, and a twin bot that knows its replies.
struct Harness {
  Harness() {
    greeting = twin.Greet();
    form.show();
  }
  // The reply the window's bot gives to `line` at this point.
  QString ExpectedReply(const std::string& line) {
    return QString::fromStdString(twin.Reply(line));
  }
  // Stops Timer1 so that the test steps the reveal itself.
  void StepByHand() { form.Timer1()->stop(); }
  QString Tick() {
    form.Timer1Tick();
    return form.Label1()->text();
  }
  QString TickToEnd() {
    for (int i = 0; i < 1000; ++i) form.Timer1Tick();
    return form.Label1()->text();
  }
  void TypeAndEnter(const QString& text) {
    QTest::keyClicks(form.Text1(), text);
    QTest::keyClick(form.Text1(), Qt::Key_Return);
  }

  velk::Bot live = SeededBot();
  velk::Bot twin = SeededBot();
  velk::testing::RecordingSink log;
  velk::ChatPresenter presenter{live, log};
  int ended = 0;
  velk::Form1 form{presenter, [this] { ++ended; }};
  std::string greeting;
};

// The line of the issue that first showed long replies cut off, and a word of
// 102 letters; with the harness's seed the third line of each list is
// answered with a reply that repeats what was said.
const QString kCornwall = QStringLiteral(
    "my favourite thing is walking with my grandmother Margaret along the windy cliffs of "
    "Cornwall every single Sunday morning before breakfast while the seagulls scream overhead "
    "and the fishermen haul their nets");
const QString kLongWord =
    QStringLiteral("q") + QString(100, QLatin1Char('x')) + QStringLiteral("z");

// WCAG contrast ratio of two colours, 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto linear = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop theme: light grey text on near-black.
QPalette DarkPalette() {
  QPalette dark;
  const QColor text(220, 220, 220);
  dark.setColor(QPalette::Window, QColor(53, 53, 53));
  dark.setColor(QPalette::WindowText, text);
  dark.setColor(QPalette::Base, QColor(42, 42, 42));
  dark.setColor(QPalette::Text, text);
  dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
  dark.setColor(QPalette::Button, QColor(53, 53, 53));
  dark.setColor(QPalette::ButtonText, text);
  return dark;
}

class ChatWindowTest : public QObject {
  Q_OBJECT

  velk::testing::OffscreenNoiseFilter noise;

 private slots:
  void initTestCase() { noise.Install(); }
  void cleanupTestCase() { noise.Remove(); }

  void controlsSitWhereTheyBelong_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");  // twips / 15
    QTest::newRow("Text1") << "Text1" << QRect(88, 5, 433, 37);
    QTest::newRow("Label1Area") << "Label1Area" << QRect(88, 45, 433, 65);
    QTest::newRow("Status") << "Status" << QRect(188, 160, 240, 32);
    QTest::newRow("Command1") << "Command1" << QRect(7, 160, 80, 32);
    QTest::newRow("Command2") << "Command2" << QRect(100, 160, 80, 32);
    QTest::newRow("Image2") << "Image2" << QRect(-2, 5, 83, 64);
    QTest::newRow("Image1") << "Image1" << QRect(436, 89, 110, 111);
  }
  void controlsSitWhereTheyBelong() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    Harness h;
    auto* control = h.form.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), pixels);
  }

  void resizedWindowGivesTheReplyTheRoom() {
    Harness h;
    QCOMPARE(h.form.minimumSize(), QSize(555, 203));
    h.form.resize(555 + 100, 203 + 50);
    QCOMPARE(h.form.Text1()->geometry(), QRect(88, 5, 533, 37));
    QCOMPARE(h.form.ReplyArea()->geometry(), QRect(88, 45, 533, 115));
    QCOMPARE(h.form.Command1()->geometry(), QRect(7, 210, 80, 32));
    QCOMPARE(h.form.Command2()->geometry(), QRect(100, 210, 80, 32));
    QCOMPARE(h.form.Image1()->geometry(), QRect(536, 139, 110, 111));
    QCOMPARE(h.form.Image2()->geometry(), QRect(-2, 5, 83, 64));
  }

  void windowLooksAsDesigned() {
    Harness h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.form));
    QCOMPARE(h.form.windowTitle(), QStringLiteral("Velk Tavro - Beta Release 2"));
    QCOMPARE(h.form.size(), QSize(555, 203));
    QCOMPARE(h.form.Command1()->text(), QStringLiteral("&About"));
    QCOMPARE(h.form.Command2()->text(), QStringLiteral("E&xit"));
    const QColor orange(255, 128, 0);
    QCOMPARE(h.form.palette().color(QPalette::Window), orange);
    QCOMPARE(h.form.Text1()->palette().color(QPalette::Base), orange);
    QVERIFY(h.form.Label1()->palette().color(QPalette::Base) != orange);
    QVERIFY(QFontInfo(h.form.Text1()->font()).fixedPitch());
    QVERIFY(QFontInfo(h.form.Label1()->font()).fixedPitch());
    QCOMPARE(h.form.Label1()->mapTo(&h.form, QPoint(0, 0)), QPoint(88, 45));
    QCOMPARE(h.form.Label1()->size(), QSize(433, 65));
    QVERIFY(h.form.Text1()->placeholderText().contains(QStringLiteral("Enter")));
    QVERIFY(!h.form.Image1()->pixmap().isNull());
    QVERIFY(!h.form.Image2()->pixmap().isNull());
    QVERIFY(!h.form.windowIcon().isNull());
    QCOMPARE(h.form.Timer1()->interval(), 30);
    QVERIFY(h.form.Timer1()->isActive());
  }

  void timerRevealsGreetingAndReplies() {
    Harness h;
    QTRY_COMPARE(h.form.Label1()->text(), QString::fromStdString(h.greeting));
    const QString reply = h.ExpectedReply("hello");
    h.TypeAndEnter(QStringLiteral("hello"));
    QTRY_COMPARE(h.form.Label1()->text(), reply);
  }

  void enterAsksTheEngineAndRestartsTheReveal_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
  }
  void enterAsksTheEngineAndRestartsTheReveal() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Harness h;
    h.StepByHand();
    QCOMPARE(h.TickToEnd(), QString::fromStdString(h.greeting));
    QSignalSpy returnPressed(h.form.Text1(), &QLineEdit::returnPressed);
    const QString reply = h.ExpectedReply("hello Velk");

    QTest::keyClicks(h.form.Text1(), QStringLiteral("hello Velk"));
    QTest::keyClick(h.form.Text1(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(returnPressed.count(), 0);  // swallowed
    QCOMPARE(h.form.Text1()->text(), QStringLiteral("hello Velk"));
    QCOMPARE(h.form.Text1()->selectedText(), QStringLiteral("hello Velk"));
    QCOMPARE(h.log.Lines.size(), std::size_t{4});
    QCOMPARE(h.log.Lines[2], std::string("USER:>hello Velk"));
    QCOMPARE(QString::fromStdString(h.log.Lines[3]), QStringLiteral("VELK:>") + reply);
    QCOMPARE(h.Tick(), QString());
    QCOMPARE(h.Tick(), reply.left(1));
    QCOMPARE(h.TickToEnd(), reply);

    // The selected line gives way to the next typing.
    QTest::keyClicks(h.form.Text1(), QStringLiteral("next"));
    QCOMPARE(h.form.Text1()->text(), QStringLiteral("next"));
  }

  void secondEnterReplacesTheRevealFromTheStart() {
    Harness h;
    h.StepByHand();
    const QString first = h.ExpectedReply("hello");
    const QString second = h.ExpectedReply("how old are you");
    h.TypeAndEnter(QStringLiteral("hello"));
    h.Tick();
    h.Tick();
    QVERIFY(h.Tick() != first);

    h.form.Text1()->clear();
    h.TypeAndEnter(QStringLiteral("how old are you"));
    QCOMPARE(h.Tick(), QString());
    QCOMPARE(h.TickToEnd(), second);
  }

  void emptyEnterIsAnsweredAndLogged() {
    Harness h;
    h.StepByHand();
    const QString reply = h.ExpectedReply("");
    QTest::keyClick(h.form.Text1(), Qt::Key_Return);
    QCOMPARE(h.log.Lines.size(), std::size_t{4});
    QCOMPARE(h.log.Lines[2], std::string("USER:>"));
    QCOMPARE(h.TickToEnd(), reply);
  }

  void labelClickCopiesWhatIsShownSoFar() {
    Harness h;
    h.StepByHand();
    const QString reply = h.ExpectedReply("tell me a joke");
    QVERIFY(reply.size() > 3);
    h.TypeAndEnter(QStringLiteral("tell me a joke"));
    for (int i = 0; i < 3; ++i) h.Tick();
    const QString partial = h.form.Label1()->text();
    QVERIFY(!partial.isEmpty() && reply.startsWith(partial) && partial != reply);

    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    QTest::mouseClick(h.form.Label1(), Qt::RightButton);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QVERIFY(h.form.Status()->text().isEmpty());
    QTest::mouseClick(h.form.Label1(), Qt::LeftButton);
    QCOMPARE(clipboard->text(), partial);
    QVERIFY(h.form.Status()->text().contains(QStringLiteral("copied")));
    QCOMPARE(h.form.focusWidget(), h.form.Text1());  // typing goes on there
    QTRY_VERIFY(h.form.Status()->text().isEmpty());  // a brief notice
  }

  void exitButtonAndCtrlQEndTheProgram() {
    Harness h;
    QVERIFY(QTest::qWaitForWindowActive(&h.form));
    QTest::mouseClick(h.form.Command2(), Qt::LeftButton);
    QCOMPARE(h.ended, 1);
    QTest::keyClick(h.form.Text1(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(h.ended, 2);
    QCOMPARE(h.log.Lines.size(), std::size_t{2});
  }

  void longRepliesAreWholeInsideTheWindow_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("inReply");
    QTest::newRow("199 characters")
        << QStringList{kCornwall, kCornwall, QStringLiteral("what about Cornwall")}
        << QStringLiteral("fishermen haul.");
    const QString line = QStringLiteral("my favourite thing is ") + kLongWord;
    QTest::newRow("102-letter word")
        << QStringList{line, line, QStringLiteral("what about ") + kLongWord} << kLongWord;
  }
  void longRepliesAreWholeInsideTheWindow() {
    QFETCH(QStringList, lines);
    QFETCH(QString, inReply);
    Harness h;
    h.StepByHand();
    QVERIFY(QTest::qWaitForWindowExposed(&h.form));
    QString reply;
    for (const QString& line : lines) {
      reply = h.ExpectedReply(line.toStdString());
      h.form.Text1()->setText(line);
      QTest::keyClick(h.form.Text1(), Qt::Key_Return);
    }
    QVERIFY2(reply.contains(inReply), qPrintable(reply));
    QCOMPARE(h.TickToEnd(), reply);
    QCoreApplication::processEvents();  // the scroll area fits its label

    ReplyLabel* label = h.form.Label1();
    const QFontMetrics metrics(label->font());
    // Even wrapped anywhere, the text needs this many lines.
    const int atLeast = int(std::ceil(double(metrics.horizontalAdvance(reply)) / label->width()));
    const int needed = label->heightForWidth(label->width());
    QVERIFY2(needed >= atLeast * metrics.height(), "the label wraps long words");
    const QRect shown = label->visibleRegion().boundingRect();
    QCOMPARE(shown.topLeft(), QPoint(0, 0));
    QVERIFY2(shown.height() >= needed, "every line inside the visible area");
    QCOMPARE(shown.width(), label->width());
    QVERIFY(label->width() <= h.form.ReplyArea()->viewport()->width());
    QVERIFY(h.form.height() > 203);  // the window grew to give it room
  }

  void replyTooLongForTheWindowScrollsWithTheReveal() {
    Harness h;
    h.StepByHand();
    h.form.setMaximumSize(h.form.minimumSize());  // cannot grow
    QVERIFY(QTest::qWaitForWindowExposed(&h.form));
    for (int i = 0; i < 2; ++i) h.TypeAndEnter(kCornwall);
    h.form.Text1()->setText(QStringLiteral("what about Cornwall"));
    QTest::keyClick(h.form.Text1(), Qt::Key_Return);
    h.TickToEnd();
    QCoreApplication::processEvents();

    QCOMPARE(h.form.height(), 203);
    const QScrollBar* scroll = h.form.ReplyArea()->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum());  // the end is in view
    const QRect shown = h.form.Label1()->visibleRegion().boundingRect();
    QCOMPARE(shown.bottom(), h.form.Label1()->height() - 1);
  }

  void pastedLineBreaksAndTabsReachTheEngineAsBlanks() {
    Harness h;
    h.StepByHand();
    const QString reply = h.ExpectedReply("a b c");
    QGuiApplication::clipboard()->setText(QStringLiteral("a\nb\tc"));
    QTest::keyClick(h.form.Text1(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.form.Text1()->text(), QStringLiteral("a b c"));
    QTest::keyClick(h.form.Text1(), Qt::Key_Return);
    QCOMPARE(h.log.Lines[2], std::string("USER:>a b c"));
    QCOMPARE(h.TickToEnd(), reply);
  }

  void escapeFinishesTheReveal() {
    Harness h;
    h.StepByHand();
    QVERIFY(QTest::qWaitForWindowActive(&h.form));
    const QString reply = h.ExpectedReply("tell me a joke");
    h.TypeAndEnter(QStringLiteral("tell me a joke"));
    h.Tick();
    QVERIFY(h.Tick() != reply);
    QTest::keyClick(h.form.Text1(), Qt::Key_Escape);
    QCOMPARE(h.form.Label1()->text(), reply);
    QCOMPARE(h.Tick(), reply);
  }

  void screenReadersGetNamesAndDescriptions() {
    Harness h;
    const QList<QWidget*> controls{h.form.Text1(),  h.form.Label1(),   h.form.Image1(),
                                   h.form.Image2(), h.form.Command1(), h.form.Command2()};
    for (QWidget* control : controls) {
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
      QVERIFY(face != nullptr);
      QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
      QVERIFY2(!face->text(QAccessible::Description).isEmpty(), qPrintable(control->objectName()));
    }
  }

  // A label's accessible name is what screen readers announce when it
  // changes: once per reply, when it is whole, not at every letter.
  void replyIsAnnouncedOnceWhenWhole() {
    Harness h;
    h.StepByHand();
    h.TickToEnd();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(h.form.Label1());
    QCOMPARE(face->text(QAccessible::Name), QString::fromStdString(h.greeting));

    const QString reply = h.ExpectedReply("tell me a joke");
    h.TypeAndEnter(QStringLiteral("tell me a joke"));
    QStringList names{face->text(QAccessible::Name)};
    for (int tick = 0; tick < 1000 && h.form.Label1()->text() != reply; ++tick) {
      h.Tick();
      if (face->text(QAccessible::Name) != names.last()) names << face->text(QAccessible::Name);
    }
    QCOMPARE(names, (QStringList{QString::fromStdString(h.greeting), reply}));
  }

  void everyTextContrastsInBothThemes_data() {
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
  }
  void everyTextContrastsInBothThemes() {
    QFETCH(bool, dark);
    const QPalette theme = QApplication::palette();
    QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
    {
      Harness h;
      const struct {
        QWidget* control;
        QPalette::ColorRole text;
        QPalette::ColorRole background;
      } pairs[] = {
          {&h.form, QPalette::WindowText, QPalette::Window},
          {h.form.Text1(), QPalette::Text, QPalette::Base},
          {h.form.Text1(), QPalette::PlaceholderText, QPalette::Base},
          {h.form.Label1(), QPalette::Text, QPalette::Base},
          {h.form.Status(), QPalette::WindowText, QPalette::Window},
          {h.form.Command1(), QPalette::ButtonText, QPalette::Button},
      };
      for (const auto& pair : pairs) {
        const QPalette& colours = pair.control->palette();
        const double ratio = Contrast(colours.color(pair.text), colours.color(pair.background));
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 role %2: %3:1")
                                              .arg(pair.control->objectName())
                                              .arg(int(pair.text))
                                              .arg(ratio)));
      }
    }
    QApplication::setPalette(theme);
  }

  void refusedLogIsNoticedInTheWindow() {
    Harness h;
    QVERIFY(h.form.Status()->text().isEmpty());
    h.log.Refuse = true;
    h.TypeAndEnter(QStringLiteral("hello"));
    QVERIFY(h.form.Status()->text().contains(QStringLiteral("velk.log")));
    h.log.Refuse = false;
    h.TypeAndEnter(QStringLiteral("hello again"));
    QVERIFY(h.form.Status()->text().isEmpty());
  }

  void exitSentenceEndsTheProgram_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("alone") << QStringLiteral("exit");
    QTest::newRow("second sentence") << QStringLiteral("hello. exit");
  }
  void exitSentenceEndsTheProgram() {
    QFETCH(QString, line);
    Harness h;
    h.TypeAndEnter(line);
    QCOMPARE(h.ended, 1);
    QCOMPARE(h.log.Lines.size(), std::size_t{2});  // nothing logged for it
  }

  void aboutBoxNamesTheProgramAndTheMaker() {
    Harness h;
    QString title;
    QString text;
    int buttons = 0;
    QTimer::singleShot(50, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        title = box->windowTitle();
        text = box->text();
        buttons = int(box->buttons().size());
        box->accept();
      }
    });
    QTest::mouseClick(h.form.Command1(), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Velk Tavro"));
    QCOMPARE(buttons, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Velk Tavro - ZARQ 2"));
    QCOMPARE(lines[1], QStringLiteral("Version " VELK_VERSION));
    QVERIFY(lines[4].contains(QStringLiteral("velk.log")));
  }
};

}  // namespace

QTEST_MAIN(ChatWindowTest)
#include "chat_window_qtest.moc"
