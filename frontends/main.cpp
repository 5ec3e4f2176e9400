// The program: routes the command line to the chat it asks for.
#include <unistd.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/clock.h"
#include "engine/random_source.h"
#include "engine/reply_engine.h"
#include "frontends/chat_presenter.h"
#include "frontends/chat_window.h"
#include "frontends/command_line.h"
#include "frontends/console_chat.h"
#include "frontends/console_exchange.h"
#include "frontends/conversation_log.h"
#include "frontends/exchange_directory.h"
#include "frontends/exchange_files.h"
#include "frontends/exchange_session.h"
#include "frontends/exchange_window.h"
#include "frontends/start_up.h"

namespace {

std::unique_ptr<velk::LineSink> OpenLog(const velk::CommandLine& options) {
  if (options.NoLog) return std::make_unique<velk::NullLineSink>();
  return std::make_unique<velk::FileLineSink>(std::string(velk::kLogFileName));
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Without a display Qt would abort, so such a session chats on the console.
bool HasDisplay() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

std::atomic<bool> interrupted{false};
extern "C" void OnInterrupt(int) { interrupted = true; }

// The exchange's tick, 3000 ms unless VELK_EXCHANGE_TICK_MS says otherwise
// (tests run it faster).
std::chrono::milliseconds ExchangeTick() {
  const char* text = std::getenv("VELK_EXCHANGE_TICK_MS");
  const long ms = text ? std::strtol(text, nullptr, 10) : 0;
  return std::chrono::milliseconds(ms >= 10 && ms <= 60000 ? ms : velk::kExchangeTickMs);
}

// The exchange folder; a refused one is reported once, and the copy then
// runs without delivering anything.
velk::ExchangeDirectory ExchangeFolder() {
  velk::ExchangeDirectory directory = velk::FindExchangeDirectory();
  if (!directory.Error.empty()) {
    std::cerr << "velk: exchange directory refused: " << directory.Error
              << "; nothing will be delivered\n";
  }
  return directory;
}

int RunConsoleExchange(const velk::CommandLine& options) {
  const velk::ExchangeDirectory directory = ExchangeFolder();
  velk::InstanceLock lock(directory.Path);
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  velk::PosixExchangeFiles files;
  const std::unique_ptr<velk::LineSink> log = OpenLog(options);
  velk::ExchangeSession session(engine, files, *log, directory.Path);
  session.Load(lock.First());
  std::cout << "Velk 2 Velk: writing " << session.OwnFile << ", reading " << session.PartnerFile
            << " in " << (directory.Path.empty() ? "(no directory)" : directory.Path) << '\n'
            << std::flush;
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  return velk::RunConsoleExchange(session, engine, std::cout, interrupted, ExchangeTick());
}

int RunConsole(const velk::CommandLine& options) {
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  engine.InitEngine("Velk", "");

  // Hold the lock like every copy, so that an exchange started meanwhile
  // knows it is not alone.
  const velk::InstanceLock lock(velk::FindExchangeDirectory().Path);
  const std::unique_ptr<velk::LineSink> log = OpenLog(options);
  velk::ConsoleStyle style;
  style.Interactive = ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO);
  style.WaitTick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(30)); };
  return velk::RunConsoleChat(engine, std::cin, std::cout, *log, style);
}

int RunWindow(int& argc, char** argv, const velk::CommandLine& options) {
  QApplication app(argc, argv);
  app.setWindowIcon(velk::PersonaIcon());
  // Held like every copy, so that an exchange started meanwhile knows it is
  // not alone.
  const velk::InstanceLock lock(velk::FindExchangeDirectory().Path);
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  const std::unique_ptr<velk::LineSink> log = OpenLog(options);
  velk::ChatPresenter presenter(engine, *log);
  // Exit and the EXIT sentence leave the event loop at once; nothing more is
  // shown or logged.
  velk::Form1 form(presenter, [] { QCoreApplication::exit(0); });
  form.show();
  return app.exec();
}

int RunExchangeWindow(int& argc, char** argv, const velk::CommandLine& options) {
  QApplication app(argc, argv);
  app.setWindowIcon(velk::PersonaIcon());
  const velk::ExchangeDirectory directory = ExchangeFolder();
  const velk::InstanceLock lock(directory.Path);
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  velk::PosixExchangeFiles files;
  const std::unique_ptr<velk::LineSink> log = OpenLog(options);
  velk::ExchangeSession session(engine, files, *log, directory.Path);
  velk::Form3 form(
      engine, session, lock.First(), [] { QCoreApplication::exit(0); },
      static_cast<int>(ExchangeTick().count()));
  form.show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const velk::CommandLine options = velk::ParseCommandLine(args);
  if (!options.Error.empty()) {
    std::cerr << "velk: " << options.Error << '\n' << velk::UsageText();
    return 2;
  }
  if (options.Help) {
    std::cout << velk::UsageText();
    return 0;
  }
  if (options.Version) {
    std::cout << velk::kVersion << '\n';
    return 0;
  }
  switch (velk::ChooseFrontEnd(options, HasDisplay())) {
    case velk::FrontEnd::kConsoleChat:
      return RunConsole(options);
    case velk::FrontEnd::kConsoleExchange:
      return RunConsoleExchange(options);
    case velk::FrontEnd::kExchangeWindow:
      return RunExchangeWindow(argc, argv, options);
    case velk::FrontEnd::kChatWindow:
      break;
  }
  return RunWindow(argc, argv, options);
}
