// The program: routes the command line to the chat it asks for.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "frontends/command_line.h"
#include "frontends/console_chat.h"
#include "frontends/console_exchange.h"
#include "frontends/conversation_log.h"
#include "frontends/exchange_directory.h"
#include "frontends/exchange_files.h"
#include "frontends/exchange_session.h"
#include "frontends/start_up.h"
#include "frontends/window_module.h"
#include "velk/bot.h"

namespace {

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

int OpenConsoleExchange(const velk::CommandLine& options) {
  const velk::ExchangeDirectory directory = velk::ExchangeFolder();
  velk::InstanceLock lock(directory.Path);
  velk::Bot bot({.Seed = options.Seed, .Persona = velk::ExchangePersona(lock.First())});
  velk::PosixExchangeFiles files;
  const std::unique_ptr<velk::LineSink> log = velk::OpenLog(options.NoLog);
  velk::ExchangeSession session(bot, files, *log, directory.Path);
  session.Load(lock.First());
  std::cout << "Velk 2 Velk: writing " << session.OwnFile << ", reading " << session.PartnerFile
            << " in " << (directory.Path.empty() ? "(no directory)" : directory.Path) << '\n'
            << std::flush;
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  return velk::RunConsoleExchange(session, std::cout, interrupted, velk::ExchangeTick());
}

int OpenConsoleChat(const velk::CommandLine& options) {
  velk::Bot bot({.Seed = options.Seed});

  // Hold the lock like every copy, so that an exchange started meanwhile
  // knows it is not alone.
  const velk::InstanceLock lock(velk::FindExchangeDirectory().Path);
  const std::unique_ptr<velk::LineSink> log = velk::OpenLog(options.NoLog);
  velk::ConsoleStyle style;
  style.Interactive = ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO);
  style.WaitTick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(30)); };
  return velk::RunConsoleChat(bot, std::cin, std::cout, *log, style);
}

// The window toolkit is loaded only here, so the console front ends start
// without it. A module that cannot be loaded (not built, or the toolkit's
// libraries missing) costs the window, not the session.
int OpenWindow(velk::FrontEnd frontEnd, int& argc, char** argv, const velk::CommandLine& options) {
  const velk::LoadedWindowModule module = velk::LoadWindowModule();
  if (module.Run == nullptr) {
    std::cerr << "velk: cannot open the window (" << module.Error
              << "); using the console instead\n";
    return velk::ConsoleFrontEnd(frontEnd) == velk::FrontEnd::kConsoleExchange
               ? OpenConsoleExchange(options)
               : OpenConsoleChat(options);
  }
  velk::WindowRequest request{};
  request.Kind = frontEnd == velk::FrontEnd::kExchangeWindow ? velk::kExchangeWindowKind
                                                             : velk::kChatWindowKind;
  request.NoLog = options.NoLog ? 1 : 0;
  request.HasSeed = options.Seed.has_value() ? 1 : 0;
  request.Seed = options.Seed.value_or(0);
  return module.Run(&request, &argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const velk::CommandLine options = velk::ParseCommandLine(args);
  if (!options.Error.empty()) {
    std::cerr << "velk: " << options.Error << '\n' << velk::UsageHint();
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
  const velk::FrontEnd frontEnd = velk::ChooseFrontEnd(options, HasDisplay());
  switch (frontEnd) {
    case velk::FrontEnd::kConsoleChat:
      return OpenConsoleChat(options);
    case velk::FrontEnd::kConsoleExchange:
      return OpenConsoleExchange(options);
    case velk::FrontEnd::kExchangeWindow:
    case velk::FrontEnd::kChatWindow:
      break;
  }
  return OpenWindow(frontEnd, argc, argv, options);
}
