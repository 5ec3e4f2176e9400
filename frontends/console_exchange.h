// The bot-to-bot exchange without a window.
#ifndef VELK_FRONTENDS_CONSOLE_EXCHANGE_H_
#define VELK_FRONTENDS_CONSOLE_EXCHANGE_H_

#include <atomic>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

#include "frontends/exchange_session.h"

namespace velk {

// Runs a loaded session as if Go had been pressed: a tick every
// TickLength() (the first one a tick after the start), polls while a tick
// waits, and prints to `out` who the copy is (naming the folder as `place`
// says, once it has a part), each delivered exchange ("<< " the line
// received, ">> " the reply sent, control characters made visible), and a
// "-- " line when it waits for a first line or the partner falls silent.
// Runs until `stop` holds a signal number or the partner ends the
// conversation; the own file is then emptied. Returns the exit status: 0
// when the partner ended it, 128 + the signal otherwise, after ending the
// line the terminal was on.
int RunConsoleExchange(ExchangeSession& session, std::ostream& out, std::string_view place,
                       const std::atomic<int>& stop);

// The whole headless exchange of `velk --console /m`: the folder, the part,
// the session over standard output and error, and Ctrl-C and SIGTERM, which
// interrupt whatever the program waits in.
int RunExchangeOnConsole(std::optional<std::uint32_t> seed, bool noLog);

}  // namespace velk

#endif  // VELK_FRONTENDS_CONSOLE_EXCHANGE_H_
