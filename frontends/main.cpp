// The program: routes the command line to the chat it asks for.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "frontends/command_line.h"
#include "frontends/console_chat.h"
#include "frontends/console_exchange.h"
#include "frontends/console_program.h"
#include "frontends/conversation_log.h"
#include "frontends/display_check.h"
#include "frontends/serve_command.h"
#include "frontends/standard_descriptors.h"
#include "frontends/start_up.h"
#include "frontends/window_module.h"
#include "velk/bot.h"

namespace {

int OpenConsoleExchange(const velk::CommandLine& options) {
  return velk::RunExchangeOnConsole(options.Seed, options.NoLog);
}

int OpenConsoleChat(const velk::CommandLine& options) {
  return velk::RunConsoleChatProgram(options);
}

// The window toolkit is loaded only here, so the console front ends start
// without it. A module that cannot be loaded (not built, or the toolkit's
// libraries missing) costs the window, not the session.
int OpenWindow(velk::FrontEnd frontEnd, const velk::DisplayCheck& display, int& argc, char** argv,
               const velk::CommandLine& options) {
  const velk::LoadedWindowModule module = velk::LoadWindowModule();
  if (module.Run == nullptr) {
    std::cerr << "velk: cannot open the window (" << module.Error
              << "); using the console instead\n";
    return velk::ConsoleFrontEnd(frontEnd) == velk::FrontEnd::kConsoleExchange
               ? OpenConsoleExchange(options)
               : OpenConsoleChat(options);
  }
  // Only the platforms that answered, so that the toolkit never tries one
  // that would end the program.
  ::setenv("QT_QPA_PLATFORM", display.Platforms.c_str(), 1);
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
  // Before any file is opened, so that none takes a standard number.
  velk::OpenClosedStandardDescriptors();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args.front() == velk::kServeCommand) {
    return velk::RunServeProgram({args.begin() + 1, args.end()});
  }
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
  // The toolkit ends the program when it cannot reach its display, so the
  // display is tried first; without one the chat goes to the console.
  const velk::DisplayCheck display =
      options.Console ? velk::DisplayCheck{} : velk::CheckDisplay(velk::SystemDisplayProbes());
  if (!display.Problem.empty()) {
    std::cerr << "velk: " << display.Problem << "; using the console instead\n";
  }
  const velk::FrontEnd frontEnd = velk::ChooseFrontEnd(options, !display.Platforms.empty());
  switch (frontEnd) {
    case velk::FrontEnd::kConsoleChat:
      return OpenConsoleChat(options);
    case velk::FrontEnd::kConsoleExchange:
      return OpenConsoleExchange(options);
    case velk::FrontEnd::kExchangeWindow:
    case velk::FrontEnd::kChatWindow:
      break;
  }
  return OpenWindow(frontEnd, display, argc, argv, options);
}
