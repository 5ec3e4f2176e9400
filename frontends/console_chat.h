// The chat on a terminal, or on any pair of streams.
#ifndef VELK_FRONTENDS_CONSOLE_CHAT_H_
#define VELK_FRONTENDS_CONSOLE_CHAT_H_

#include <functional>
#include <istream>
#include <ostream>

#include "frontends/conversation_log.h"
#include "velk/bot.h"

namespace velk {

struct ConsoleStyle {
  // Show a prompt and reveal replies letter by letter (both ends terminals).
  bool Interactive = false;
  // Waits one reveal tick (30 ms); tests pass a function that returns at once.
  std::function<void()> WaitTick;
};

// Greets, then answers every line of `in` on one line of `out` until end of
// input or the sentence EXIT, logging every exchange. Returns the exit
// status: 0.
int RunConsoleChat(Bot& bot, std::istream& in, std::ostream& out, LineSink& log,
                   const ConsoleStyle& style);

}  // namespace velk

#endif  // VELK_FRONTENDS_CONSOLE_CHAT_H_
