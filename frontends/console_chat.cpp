#include "frontends/console_chat.h"

#include <string>

#include "frontends/reveal.h"

namespace velk {
namespace {

void Show(std::ostream& out, const std::string& reply, const ConsoleStyle& style) {
  if (!style.Interactive) {
    out << reply << '\n' << std::flush;
    return;
  }
  Reveal reveal;
  reveal.Start(reply);
  std::size_t shown = 0;
  while (auto caption = reveal.Tick()) {
    out << caption->substr(shown) << std::flush;
    shown = caption->size();
    if (!reveal.Done() && style.WaitTick) style.WaitTick();
  }
  out << '\n' << std::flush;
}

}  // namespace

int RunConsoleChat(Bot& bot, std::istream& in, std::ostream& out, LineSink& log,
                   const ConsoleStyle& style) {
  const std::string greeting = bot.Greet();
  LogChatStart(log, greeting);
  Show(out, greeting, style);

  std::string line;
  for (;;) {
    if (style.Interactive) out << "> " << std::flush;
    if (!std::getline(in, line)) break;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string reply = bot.Reply(line);
    if (bot.Ended()) return 0;
    LogChatExchange(log, line, reply);
    Show(out, reply, style);
  }
  if (style.Interactive) out << '\n' << std::flush;
  return 0;
}

}  // namespace velk
