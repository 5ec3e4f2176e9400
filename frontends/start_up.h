// Which front end a start of the program opens, and the pieces every front
// end sets up the same way.
#ifndef VELK_FRONTENDS_START_UP_H_
#define VELK_FRONTENDS_START_UP_H_

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "frontends/command_line.h"
#include "frontends/conversation_log.h"
#include "frontends/exchange_directory.h"

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

// The exchange folder of this process; a refused one is reported in one line
// on standard error, and the copy then runs without delivering anything.
ExchangeDirectory ExchangeFolder();

// The exchange's tick: kExchangeTickMs unless VELK_EXCHANGE_TICK_MS gives
// 10..60000 ms (tests run it faster).
std::chrono::milliseconds ExchangeTick();

}  // namespace velk

#endif  // VELK_FRONTENDS_START_UP_H_
