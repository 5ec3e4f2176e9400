#include "frontends/console_exchange.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <thread>

#include "frontends/start_up.h"

namespace velk {
namespace {

std::atomic<int> stopSignal{0};
extern "C" void OnExchangeStop(int signal) { stopSignal = signal; }

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnExchangeStop;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a call the program is blocked in returns at once.
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void Introduce(std::ostream& out, const ExchangeSession& session, std::string_view place) {
  out << "Velk 2 Velk: this copy is " << ExchangeRoleName(session.Role()) << " and plays "
      << ExchangePersona(session.Role()) << '\n'
      << "It writes " << session.OwnFile << " and reads " << session.PartnerFile << ' ' << place
      << '\n'
      << std::flush;
}

// A transcript needs only the waits that last: for a first line, and silence.
bool WorthTelling(ExchangeStatus::State state) {
  return state == ExchangeStatus::State::kFirstWait || state == ExchangeStatus::State::kSilent;
}

}  // namespace

int RunConsoleExchange(ExchangeSession& session, std::ostream& out, std::string_view place,
                       const std::atomic<int>& stop) {
  using Steady = std::chrono::steady_clock;
  session.OnExchange = [&out](const std::string& received, const std::string& sent) {
    out << "<< " << VisibleText(received) << '\n'
        << ">> " << VisibleText(sent) << '\n'
        << std::flush;
  };
  const auto tick = session.TickLength();
  const auto poll = std::chrono::milliseconds(kExchangePollMs);
  ExchangeRole introduced = ExchangeRole::kNone;
  ExchangeStatus::State told = ExchangeStatus::State::kIdle;
  session.Go();
  auto nextTick = Steady::now() + tick;
  while (stop == 0 && !session.Ended()) {
    if (session.Role() != introduced) {
      introduced = session.Role();
      Introduce(out, session, place);
    }
    const auto now = Steady::now();
    if (now >= nextTick) {
      // Ticks keep to their grid; one that falls inside a wait polls.
      while (nextTick <= now) nextTick += tick;
      session.Tick();
    } else {
      session.Poll();
    }
    const ExchangeStatus status = session.Status();
    if (status.Now != told && WorthTelling(status.Now)) out << "-- " << status.Text << '\n';
    told = status.Now;
    const auto wake = session.Waiting() ? std::min(nextTick, Steady::now() + poll) : nextTick;
    out << std::flush;
    // Sleep in short steps so that an interrupt ends the run at once.
    while (stop == 0 && Steady::now() < wake) {
      std::this_thread::sleep_for(std::min<Steady::duration>(poll, wake - Steady::now()));
    }
  }
  session.End();
  if (stop == 0) return 0;
  out << '\n' << std::flush;
  return 128 + stop;
}

int RunExchangeOnConsole(std::optional<std::uint32_t> seed, bool noLog) {
  ExchangeCopy copy(seed, noLog, std::cerr);
  const std::string place =
      copy.Directory.Usable() ? "in " + copy.Directory.Path() : std::string("(no exchange folder)");
  CatchStopSignals();
  return RunConsoleExchange(copy.Session, std::cout, place, stopSignal);
}

}  // namespace velk
