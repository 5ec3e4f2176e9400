#include "frontends/console_exchange.h"

#include <algorithm>
#include <thread>

namespace velk {

int RunConsoleExchange(ExchangeSession& session, std::ostream& out, const std::atomic<bool>& stop,
                       std::chrono::milliseconds tick) {
  using Steady = std::chrono::steady_clock;
  session.OnExchange = [&out](const std::string& received, const std::string& sent) {
    out << "<< " << received << '\n' << ">> " << sent << '\n' << std::flush;
  };
  const auto poll = std::chrono::milliseconds(kExchangePollMs);
  auto nextTick = Steady::now() + tick;
  while (!stop && !session.Ended()) {
    const auto now = Steady::now();
    if (now >= nextTick) {
      // Ticks keep to their grid; one that falls inside a wait is skipped.
      while (nextTick <= now) nextTick += tick;
      session.Tick();
    } else if (session.Waiting()) {
      session.Poll();
    }
    const auto wake = session.Waiting() ? std::min(nextTick, Steady::now() + poll) : nextTick;
    // Sleep in short steps so that an interrupt ends the run at once.
    while (!stop && Steady::now() < wake) {
      std::this_thread::sleep_for(std::min<Steady::duration>(poll, wake - Steady::now()));
    }
  }
  return 0;
}

}  // namespace velk
