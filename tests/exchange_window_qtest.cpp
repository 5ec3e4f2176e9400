// The bot-to-bot window's wiring: its controls, Go, Stop!, the timers and the
// boxes over real files in a private folder. What a tick does with the files
// is covered by the session's own tests.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "frontends/conversation_log.h"
#include "frontends/exchange_directory.h"
#include "frontends/exchange_files.h"
#include "frontends/exchange_session.h"
#include "frontends/qt/exchange_window.h"
#include "library/bot_core.h"
#include "tests/qt_test_support.h"
#include "tests/recording_sink.h"

namespace {

// A bot with a fixed seed over a still clock; two made alike answer alike.
velk::Bot SeededBot(const std::string& persona) {
  return velk::BotInternals::WithClock({.Seed = 99u, .Persona = persona},
                                       std::make_unique<velk::FixedClock>());
}

constexpr int kFastTickMs = 40;

struct Options {
  velk::ExchangeRole Role = velk::ExchangeRole::kA;
  int TickMs = kFastTickMs;
  bool Reachable = true;  // false: the exchange folder was refused
};

// A window over a seeded bot and a private exchange folder, and a twin bot
// that knows the window's replies. A window without a part stands by until
// `freePart` names one.
struct Harness {
  explicit Harness(Options options = {})
      : directory(options.Reachable ? velk::ExchangeDirectory::Open(
                                          folder.path().toStdString().c_str(), nullptr, ::getuid())
                                    : velk::ExchangeDirectory()),
        files(directory),
        twin(SeededBot(velk::ExchangePersona(options.Role))),
        session(files, log, SeededBot, std::chrono::milliseconds(options.TickMs)),
        form(Loaded(options.Role), [this] { ++ended; }) {
    form.show();
  }
  velk::ExchangeSession& Loaded(velk::ExchangeRole role) {
    session.Load(role, [this] { return freePart; });
    return session;
  }
  QString ExpectedReply(const std::string& line) {
    return QString::fromStdString(twin.Reply(line));
  }
  QString Path(const QString& name) const { return folder.filePath(name); }
  QByteArray Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }
  void Write(const QString& name, const QByteArray& content) const {
    QFile file(Path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
  }
  void Go() { QTest::mouseClick(form.Command1(), Qt::LeftButton); }
  // Presses Go and waits until the greeting went out and the next tick waits.
  void GreetAndWait() {
    Go();
    QTRY_COMPARE(log.Lines.size(), std::size_t{2});
    QTRY_VERIFY(form.PollTimer()->isActive());
  }
  // Stops Timer1 after the next exchange, so that its labels and file stay
  // as it left them.
  void FreezeAfterExchange() {
    session.OnExchange = [this](const std::string&, const std::string&) { form.Timer1()->stop(); };
  }
  static QString Labels(const velk::Form3& form) {
    return form.Label3()->text() + QLatin1Char('|') + form.Label4()->text();
  }

  QTemporaryDir folder;
  velk::ExchangeDirectory directory;
  velk::PosixExchangeFiles files;
  velk::Bot twin;
  velk::testing::RecordingSink log;
  velk::ExchangeSession session;
  velk::ExchangeRole freePart = velk::ExchangeRole::kNone;
  int ended = 0;
  velk::Form3 form;
};

class ExchangeWindowTest : public QObject {
  Q_OBJECT

  velk::testing::OffscreenNoiseFilter noise;

 private slots:
  void initTestCase() { noise.Install(); }
  void cleanupTestCase() { noise.Remove(); }

  void controlsSitWhereTheyBelong_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");  // twips / 15
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << QRect(18, 12, 69, 12) << "Output to:";
    QTest::newRow("Text1") << "Text1" << QRect(30, 26, 125, 19) << "VelkA.ini";
    QTest::newRow("Label2") << "Label2" << QRect(17, 49, 62, 13) << "Input from:";
    QTest::newRow("Text2") << "Text2" << QRect(31, 62, 125, 20) << "VelkB.ini";
    QTest::newRow("Command1") << "Command1" << QRect(182, 12, 71, 26) << "Go";
    QTest::newRow("Command2") << "Command2" << QRect(183, 53, 70, 27) << "Stop!";
    QTest::newRow("Label3") << "Label3" << QRect(3, 93, 253, 33) << "";
    QTest::newRow("Label4") << "Label4" << QRect(3, 146, 253, 33) << "";
    // Added below and between the design's controls, overlapping none.
    QTest::newRow("ReceivedCaption") << "ReceivedCaption" << QRect(3, 82, 120, 11) << "Received:";
    QTest::newRow("SentCaption") << "SentCaption" << QRect(3, 132, 120, 13) << "Sent:";
    QTest::newRow("Picture") << "Picture" << QRect(4, 186, 36, 36) << "";
    QTest::newRow("Part") << "Part" << QRect(46, 185, 208, 13) << "Tavro (A)";
    QTest::newRow("Status") << "Status" << QRect(46, 199, 208, 28) << "Press Go to start.";
  }
  void controlsSitWhereTheyBelong() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QFETCH(QString, text);
    Harness h;
    auto* control = h.form.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), pixels);
    QCOMPARE(control->property("text").toString(), text);
  }

  void windowLoadsIdle() {
    Harness h({.TickMs = velk::kExchangeTickMs});
    QVERIFY(QTest::qWaitForWindowExposed(&h.form));
    QCOMPARE(h.form.size(), QSize(259, 229));
    QCOMPARE(h.form.palette().color(QPalette::Window), QColor(Qt::lightGray));
    QCOMPARE(h.form.Timer1()->interval(), 3000);
    QVERIFY(!h.form.Timer1()->isActive());
    QVERIFY(!h.form.PollTimer()->isActive());
    QVERIFY(h.form.Command1()->isEnabled());
    QVERIFY(!h.form.Text1()->isReadOnly() && !h.form.Text2()->isReadOnly());
    QVERIFY(h.log.Lines.empty());
  }

  void eachPartShowsItsPersona_data() {
    QTest::addColumn<velk::ExchangeRole>("role");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("partner");
    QTest::addColumn<bool>("picture");
    QTest::newRow("first") << velk::ExchangeRole::kA << "Velk 2 Velk — Tavro (A)"
                           << "VelkA.ini"
                           << "VelkB.ini" << true;
    QTest::newRow("second") << velk::ExchangeRole::kB << "Velk 2 Velk — Velk (B)"
                            << "VelkB.ini"
                            << "VelkA.ini" << true;
    QTest::newRow("third") << velk::ExchangeRole::kNone << "Velk 2 Velk — standing by"
                           << ""
                           << "" << false;
  }
  void eachPartShowsItsPersona() {
    QFETCH(velk::ExchangeRole, role);
    QFETCH(QString, title);
    QFETCH(QString, own);
    QFETCH(QString, partner);
    QFETCH(bool, picture);
    Harness h({.Role = role});
    QCOMPARE(h.form.windowTitle(), title);
    QVERIFY(title.endsWith(h.form.Part()->text(), Qt::CaseInsensitive));
    QCOMPARE(h.form.Text1()->text(), own);
    QCOMPARE(h.form.Text2()->text(), partner);
    QCOMPARE(!h.form.Picture()->pixmap().isNull(), picture);
    if (h.session.PartBot() != nullptr) {
      QCOMPARE(velk::BotInternals::State(*h.session.PartBot()).BotName,
               std::string(velk::ExchangePersona(role)));
    }
  }

  void aCopyStandingByJoinsWhenAPartIsFree() {
    Harness h({.Role = velk::ExchangeRole::kNone});
    QCOMPARE(
        h.form.Status()->text(),
        QStringLiteral("Two copies are talking here already; this one waits for a free part."));
    h.Go();
    QTest::qWait(3 * kFastTickMs);
    QCOMPARE(QDir(h.folder.path()).entryList(QDir::Files), QStringList());
    h.Write(QStringLiteral("VelkA.ini"), "\"hello\"\r\n");
    h.FreezeAfterExchange();
    h.freePart = velk::ExchangeRole::kB;
    QTRY_COMPARE(h.form.windowTitle(), QStringLiteral("Velk 2 Velk — Velk (B)"));
    QCOMPARE(h.form.Text1()->text(), QStringLiteral("VelkB.ini"));
    QTRY_COMPARE(h.form.Label3()->text(), QStringLiteral("hello"));
    QVERIFY(!h.form.Picture()->pixmap().isNull());
  }

  void goStartsTheTimerWithoutAnImmediateTick() {
    Harness h({.TickMs = velk::kExchangeTickMs});
    h.Go();
    QCOMPARE(h.form.Command1()->text(), QStringLiteral("Working...."));
    QVERIFY(!h.form.Command1()->isEnabled());
    QVERIFY(h.form.Timer1()->isActive());
    QCOMPARE(h.form.Status()->text(), QStringLiteral("Starting: the first turn comes in 3 s."));
    QTest::qWait(200);
    QCOMPARE(Harness::Labels(h.form), QStringLiteral("|"));
    QCOMPARE(h.Read(QStringLiteral("VelkA.ini")), QByteArray("(missing)"));
  }

  void firstTickGreetsWritesAndLogsThenWaits() {
    Harness h;
    const QString greeting = h.ExpectedReply("-GETGREET-");
    h.FreezeAfterExchange();
    h.Go();
    QTRY_COMPARE(Harness::Labels(h.form), QStringLiteral("-GETGREET-|") + greeting);
    QCOMPARE(h.Read(QStringLiteral("VelkA.ini")),
             QByteArray::fromStdString(velk::QuoteField(greeting.toStdString())));
    QCOMPARE(h.log.Lines,
             (std::vector<std::string>{"VELKA:>-GETGREET-", "VELKB:>" + greeting.toStdString()}));

    // The next tick finds no new line: it clears the labels and polls, and
    // the greeting stays for a partner whose ticks come later.
    h.form.Timer1()->start();
    QTRY_VERIFY(h.form.PollTimer()->isActive());
    QCOMPARE(Harness::Labels(h.form), QStringLiteral("|"));
    QCOMPARE(h.Read(QStringLiteral("VelkA.ini")),
             QByteArray::fromStdString(velk::QuoteField(greeting.toStdString())));
    QCOMPARE(h.form.Status()->text(), QStringLiteral("Waiting for the partner's first line."));
  }

  void waitingTickAnswersThePartnerByPolling() {
    Harness h;
    h.ExpectedReply("-GETGREET-");
    const QString reply = h.ExpectedReply("hello there");
    h.GreetAndWait();
    // Without Timer1 only the poll timer can see the partner's line.
    h.form.Timer1()->stop();
    h.Write(QStringLiteral("VelkB.ini"), "\"hello there\"\r\n");
    QTRY_COMPARE(Harness::Labels(h.form), QStringLiteral("hello there|") + reply);
    QVERIFY(!h.form.PollTimer()->isActive());
    QCOMPARE(h.log.Lines.size(), std::size_t{4});
  }

  void editedBoxesAreUsedFromTheNextStep() {
    Harness h;
    h.ExpectedReply("-GETGREET-");
    const QString reply = h.ExpectedReply("hello");
    h.GreetAndWait();
    h.FreezeAfterExchange();
    h.form.Text1()->selectAll();
    QTest::keyClicks(h.form.Text1(), QStringLiteral("Mine.ini"));
    h.form.Text2()->selectAll();
    QTest::keyClicks(h.form.Text2(), QStringLiteral("Theirs.ini"));
    QCOMPARE(h.session.OwnFile, std::string("Mine.ini"));
    QCOMPARE(h.session.PartnerFile, std::string("Theirs.ini"));

    h.Write(QStringLiteral("VelkB.ini"), "\"ignored\"\r\n");
    h.Write(QStringLiteral("Theirs.ini"), "\"hello\"\r\n");
    QTRY_COMPARE(Harness::Labels(h.form), QStringLiteral("hello|") + reply);
    QCOMPARE(h.Read(QStringLiteral("Mine.ini")),
             QByteArray::fromStdString(velk::QuoteField(reply.toStdString())));
    QCOMPARE(h.log.Lines.size(), std::size_t{2});  // only the greeting: Text1 is not VelkA.ini
  }

  void stopEndsTheProgramAtOnce_data() {
    QTest::addColumn<bool>("running");
    QTest::newRow("idle") << false;
    QTest::newRow("waiting for the partner") << true;
  }
  void stopEndsTheProgramAtOnce() {
    QFETCH(bool, running);
    Harness h;
    if (running) h.GreetAndWait();
    QTest::mouseClick(h.form.Command2(), Qt::LeftButton);
    QCOMPARE(h.ended, 1);
    QVERIFY(!h.form.Timer1()->isActive());
    QVERIFY(!h.form.PollTimer()->isActive());
  }

  void exitFromThePartnerEndsTheProgram() {
    Harness h;
    h.GreetAndWait();
    h.Write(QStringLiteral("VelkB.ini"), "\"exit\"\r\n");
    QTRY_COMPARE(h.ended, 1);
    QVERIFY(!h.form.Timer1()->isActive());
    QCOMPARE(h.session.LastOutput, std::string());  // nothing answered
    QCOMPARE(h.log.Lines.size(), std::size_t{2});
  }

  void refusedFolderDeliversNothingAndSaysSo() {
    Harness h({.Reachable = false});
    h.Go();
    QTest::qWait(3 * kFastTickMs);
    QCOMPARE(Harness::Labels(h.form), QStringLiteral("|"));
    QVERIFY(h.log.Lines.empty());
    QCOMPARE(QDir(h.folder.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(h.form.Status()->text(),
             QStringLiteral("Nothing is delivered: the exchange folder was refused."));
  }
};

}  // namespace

QTEST_MAIN(ExchangeWindowTest)
#include "exchange_window_qtest.moc"
