// The bot-to-bot exchange without a window.
#ifndef VELK_FRONTENDS_CONSOLE_EXCHANGE_H_
#define VELK_FRONTENDS_CONSOLE_EXCHANGE_H_

#include <atomic>
#include <chrono>
#include <ostream>

#include "frontends/exchange_session.h"

namespace velk {

// Runs a loaded session as if Go had been pressed: a tick every `tick` (the
// first one `tick` after the start), polls while a tick waits, and prints each
// line received ("<< ") and each reply sent (">> ") to `out`, until `stop` is
// set or the partner ends the conversation. Returns the exit status: 0.
int RunConsoleExchange(ExchangeSession& session, std::ostream& out, const std::atomic<bool>& stop,
                       std::chrono::milliseconds tick = std::chrono::milliseconds(kExchangeTickMs));

}  // namespace velk

#endif  // VELK_FRONTENDS_CONSOLE_EXCHANGE_H_
