// Which front end a start of the program opens.
#ifndef VELK_FRONTENDS_START_UP_H_
#define VELK_FRONTENDS_START_UP_H_

#include "frontends/command_line.h"

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

}  // namespace velk

#endif  // VELK_FRONTENDS_START_UP_H_
