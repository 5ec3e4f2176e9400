// The program: routes the command line to the chat it asks for.
#include <unistd.h>

#include <QApplication>
#include <chrono>
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
#include "frontends/conversation_log.h"

namespace {

std::unique_ptr<velk::LineSink> MakeLog(const velk::CommandLine& options) {
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

int RunConsole(const velk::CommandLine& options) {
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  engine.InitEngine("Velk", "");

  const std::unique_ptr<velk::LineSink> log = MakeLog(options);
  velk::ConsoleStyle style;
  style.Interactive = ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO);
  style.WaitTick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(30)); };
  return velk::RunConsoleChat(engine, std::cin, std::cout, *log, style);
}

int RunWindow(int& argc, char** argv, const velk::CommandLine& options) {
  QApplication app(argc, argv);
  app.setWindowIcon(velk::PersonaIcon());
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  const std::unique_ptr<velk::LineSink> log = MakeLog(options);
  velk::ChatPresenter presenter(engine, *log);
  // Exit and the EXIT sentence leave the event loop at once; nothing more is
  // shown or logged.
  velk::Form1 form(presenter, [] { QCoreApplication::exit(0); });
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
  if (options.Exchange) {
    std::cerr << "velk: /m: the bot-to-bot exchange is not part of this build yet\n";
    return 2;
  }
  if (options.Console || !HasDisplay()) return RunConsole(options);
  return RunWindow(argc, argv, options);
}
