#include "frontends/start_up.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "velk/bot.h"

namespace velk {

FrontEnd ChooseFrontEnd(const CommandLine& options, bool hasDisplay) {
  const bool console = options.Console || !hasDisplay;
  if (options.Exchange) return console ? FrontEnd::kConsoleExchange : FrontEnd::kExchangeWindow;
  return console ? FrontEnd::kConsoleChat : FrontEnd::kChatWindow;
}

FrontEnd ConsoleFrontEnd(FrontEnd frontEnd) {
  switch (frontEnd) {
    case FrontEnd::kExchangeWindow:
    case FrontEnd::kConsoleExchange:
      return FrontEnd::kConsoleExchange;
    case FrontEnd::kChatWindow:
    case FrontEnd::kConsoleChat:
      break;
  }
  return FrontEnd::kConsoleChat;
}

std::unique_ptr<LineSink> OpenLog(bool noLog,
                                  std::function<void(const std::string& problem)> onFirstFailure) {
  if (noLog) return std::make_unique<NullLineSink>();
  return std::make_unique<FileLineSink>(std::string(kLogFileName), std::move(onFirstFailure));
}

ExchangeCopy::ExchangeCopy(std::optional<std::uint32_t> seed, bool noLog, std::ostream& err)
    : Directory(ExchangeDirectory::Open()),
      Part(Directory),
      Files(Directory),
      Log(OpenLog(noLog)),
      Session(
          Files, *Log,
          [seed](const std::string& persona) { return Bot({.Seed = seed, .Persona = persona}); },
          ExchangeTick()) {
  if (!Directory.Usable()) {
    err << "velk: exchange folder refused: " << Directory.Error() << "; nothing is delivered\n";
  } else if (Part.Role() == ExchangeRole::kNone) {
    err << "velk: two copies are talking in " << Directory.Path()
        << " already; this one stands by and takes the part of the first to end\n";
  }
  err << std::flush;
  Session.OnNotice = [&err](const std::string& line) {
    err << "velk: " << line << '\n' << std::flush;
  };
  Session.Load(Part.Role(), [this] { return Part.Retake(); });
}

std::chrono::milliseconds ExchangeTick() {
  const char* text = std::getenv("VELK_EXCHANGE_TICK_MS");
  const long ms = text ? std::strtol(text, nullptr, 10) : 0;
  return std::chrono::milliseconds(ms >= 10 && ms <= 60000 ? ms : kExchangeTickMs);
}

}  // namespace velk
