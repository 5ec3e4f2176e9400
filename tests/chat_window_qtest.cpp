// The chat window's wiring: keys, clicks, the timer, the buttons. What the
// window does with them is covered by the presenter's own tests.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
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

namespace {

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
    QTest::newRow("Label1") << "Label1" << QRect(88, 45, 433, 65);
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
    QTest::mouseClick(h.form.Label1(), Qt::LeftButton);
    QCOMPARE(clipboard->text(), partial);
  }

  void exitButtonEndsTheProgram() {
    Harness h;
    QTest::mouseClick(h.form.Command2(), Qt::LeftButton);
    QCOMPARE(h.ended, 1);
    QCOMPARE(h.log.Lines.size(), std::size_t{2});
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
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QStringLiteral("Velk Tavro - ZARQ 2"));
    QVERIFY(lines[3].contains(QStringLiteral("velk.log")));
  }
};

}  // namespace

QTEST_MAIN(ChatWindowTest)
#include "chat_window_qtest.moc"
