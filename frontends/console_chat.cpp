#include "frontends/console_chat.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "frontends/reveal.h"

namespace velk {
namespace {

// Writes the reply on its line: at once, or revealed a character a tick
// until a key is pressed, which shows the rest.
void Show(std::ostream& out, const std::string& reply, const ConsoleStyle& style) {
  if (!style.Interactive) {
    out << reply << '\n';
    return;
  }
  Reveal reveal;
  reveal.Start(reply);
  std::size_t shown = 0;
  while (auto caption = reveal.Tick()) {
    out << std::string_view(*caption).substr(shown) << std::flush;
    shown = caption->size();
    if (!out || reveal.Done() || !style.WaitTick) continue;
    if (style.WaitTick()) {
      out << std::string_view(reply).substr(shown);
      break;
    }
  }
  out << '\n' << std::flush;
}

// The chat's two streams: a failure to write or read ends the chat, told in
// one line on the error stream.
class Streams {
 public:
  Streams(std::ostream& out, std::ostream& errors) : out_(out), errors_(errors) {}

  // Runs `write` on the output; false, once told, when writing failed.
  template <typename Write>
  bool Output(Write write) {
    errno = 0;
    write();
    if (out_) return true;
    const int error = errno;
    errors_ << "velk: cannot write standard output: "
            << (error != 0 ? std::strerror(error) : "write error") << '\n'
            << std::flush;
    return false;
  }

  int ReadFailed(int error) {
    errors_ << "velk: cannot read standard input: " << std::strerror(error) << '\n' << std::flush;
    return 1;
  }

 private:
  std::ostream& out_;
  std::ostream& errors_;
};

}  // namespace

int RunConsoleChat(Bot& bot, LineInput& in, std::ostream& out, std::ostream& errors, LineSink& log,
                   const ConsoleStyle& style) {
  Streams streams(out, errors);
  const std::string greeting = bot.Greet();
  LogChatStart(log, greeting);
  if (!streams.Output([&] { Show(out, greeting, style); })) return 1;

  std::string line;
  for (;;) {
    const bool ok = streams.Output([&] {
      if (style.Interactive && !style.InputPrompts) out << kConsolePrompt;
      if (style.Interactive || !in.InputWaiting()) out.flush();
    });
    if (!ok) return 1;
    const LineStatus status = in.Next(line);
    if (status == LineStatus::kError) return streams.ReadFailed(in.Error());
    if (status == LineStatus::kEnd) break;
    const std::string reply = bot.Reply(line);
    if (bot.Ended()) return streams.Output([&] { out.flush(); }) ? 0 : 1;
    LogChatExchange(log, line, reply);
    const bool shown = streams.Output([&] {
      // Ctrl-D after typing leaves the cursor behind the typed text.
      if (style.Interactive && in.LastLineUnterminated()) out << '\n';
      Show(out, reply, style);
    });
    if (!shown) return 1;
  }
  return streams.Output([&] { out << (style.Interactive ? "\n" : "") << std::flush; }) ? 0 : 1;
}

}  // namespace velk
