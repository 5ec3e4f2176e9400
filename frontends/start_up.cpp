#include "frontends/start_up.h"

namespace velk {

FrontEnd ChooseFrontEnd(const CommandLine& options, bool hasDisplay) {
  const bool console = options.Console || !hasDisplay;
  if (options.Exchange) return console ? FrontEnd::kConsoleExchange : FrontEnd::kExchangeWindow;
  return console ? FrontEnd::kConsoleChat : FrontEnd::kChatWindow;
}

}  // namespace velk
