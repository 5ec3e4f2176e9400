// The chat on a terminal, or on any pair of streams.
#ifndef VELK_FRONTENDS_CONSOLE_CHAT_H_
#define VELK_FRONTENDS_CONSOLE_CHAT_H_

#include <functional>
#include <ostream>

#include "frontends/conversation_log.h"
#include "frontends/line_reader.h"
#include "velk/bot.h"

namespace velk {

inline constexpr const char* kConsolePrompt = "> ";

struct ConsoleStyle {
  // Show a prompt and reveal replies letter by letter (both ends terminals).
  bool Interactive = false;
  // The input shows the prompt itself (the line editor does).
  bool InputPrompts = false;
  // Waits one reveal tick (30 ms) and returns false, or returns true as soon
  // as a key is pressed, and the reveal then shows the rest at once. Tests
  // pass a function that returns at once.
  std::function<bool()> WaitTick;
};

// Greets, then answers every line of `in` on one line of `out` until end of
// input or the sentence EXIT, logging every exchange. Output is flushed when
// the next line is not there yet, so a program that writes a line and waits
// gets its reply at once, and a file is answered in large writes. Returns
// the exit status: 0, or 1 when reading or writing failed, which is told in
// one line on `errors`.
int RunConsoleChat(Bot& bot, LineInput& in, std::ostream& out, std::ostream& errors, LineSink& log,
                   const ConsoleStyle& style);

}  // namespace velk

#endif  // VELK_FRONTENDS_CONSOLE_CHAT_H_
