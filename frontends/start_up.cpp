#include "frontends/start_up.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>

#include "frontends/exchange_session.h"

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

ExchangeDirectory ExchangeFolder() {
  ExchangeDirectory directory = FindExchangeDirectory();
  if (!directory.Error.empty()) {
    std::cerr << "velk: exchange directory refused: " << directory.Error
              << "; nothing will be delivered\n";
  }
  return directory;
}

std::chrono::milliseconds ExchangeTick() {
  const char* text = std::getenv("VELK_EXCHANGE_TICK_MS");
  const long ms = text ? std::strtol(text, nullptr, 10) : 0;
  return std::chrono::milliseconds(ms >= 10 && ms <= 60000 ? ms : kExchangeTickMs);
}

}  // namespace velk
