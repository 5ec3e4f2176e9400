// The program: routes the command line to the chat it asks for.
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/clock.h"
#include "engine/random_source.h"
#include "engine/reply_engine.h"
#include "frontends/command_line.h"
#include "frontends/console_chat.h"
#include "frontends/conversation_log.h"

namespace {

int RunConsole(const velk::CommandLine& options) {
  velk::Mt19937Random random;
  velk::SystemClock clock;
  velk::ReplyEngine engine(random, clock, options.Seed);
  engine.InitEngine("Velk", "");

  std::unique_ptr<velk::LineSink> log;
  if (options.NoLog) {
    log = std::make_unique<velk::NullLineSink>();
  } else {
    log = std::make_unique<velk::FileLineSink>(std::string(velk::kLogFileName));
  }
  velk::ConsoleStyle style;
  style.Interactive = ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO);
  style.WaitTick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(30)); };
  return velk::RunConsoleChat(engine, std::cin, std::cout, *log, style);
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
  // The window comes later; until then the chat is the console chat.
  return RunConsole(options);
}
