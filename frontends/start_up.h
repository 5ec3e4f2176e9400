// Which front end a start of the program opens, and the pieces every front
// end sets up the same way.
#ifndef VELK_FRONTENDS_START_UP_H_
#define VELK_FRONTENDS_START_UP_H_

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "frontends/command_line.h"
#include "frontends/conversation_log.h"
#include "frontends/exchange_directory.h"
#include "frontends/exchange_files.h"
#include "frontends/exchange_session.h"

namespace velk {

enum class FrontEnd {
  kChatWindow,
  kConsoleChat,
  kExchangeWindow,
  kConsoleExchange,
};

// "/m" picks the bot-to-bot exchange, otherwise the chat; either runs in its
// window unless --console is given or there is no display to open it on.
FrontEnd ChooseFrontEnd(const CommandLine& options, bool hasDisplay);

// The console front end of the same mode as `frontEnd` (a console one maps
// to itself); where a window that cannot be opened falls back to.
FrontEnd ConsoleFrontEnd(FrontEnd frontEnd);

// velk.log in the current folder, or a sink that keeps nothing under --no-log.
// `onFirstFailure` is told once why, when a group of lines is first lost.
std::unique_ptr<LineSink> OpenLog(
    bool noLog, std::function<void(const std::string& problem)> onFirstFailure = {});

// Everything one copy of the exchange needs, set up alike for the window and
// the console, and the session loaded: the folder of this process (a refused
// one is reported in one line on `err`, and the copy then delivers nothing),
// the part it plays (a copy that finds both parts taken says so on `err` and
// stands by), the files, the log and the bot. Notices of the session go to
// `err`, one line each. `err` must outlive it.
struct ExchangeCopy {
  ExchangeCopy(std::optional<std::uint32_t> seed, bool noLog, std::ostream& err);

  ExchangeDirectory Directory;
  RoleLock Part;
  PosixExchangeFiles Files;
  std::unique_ptr<LineSink> Log;
  ExchangeSession Session;
};

// The exchange's tick: kExchangeTickMs unless VELK_EXCHANGE_TICK_MS gives
// 10..60000 ms (tests run it faster).
std::chrono::milliseconds ExchangeTick();

}  // namespace velk

#endif  // VELK_FRONTENDS_START_UP_H_
