// Replays lines through one engine with a fixed seed and a clock that stands
// still, printing the greeting and then one reply per line, so that the
// engine can be compared with another reading of its rules.
//   velk_replay SEED < lines
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "base/clock.h"
#include "library/bot_core.h"
#include "velk/bot.h"

int main(int argc, char** argv) {
  const auto seed = static_cast<std::uint32_t>(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1);
  velk::Bot bot =
      velk::BotInternals::WithClock({.Seed = seed}, std::make_unique<velk::FixedClock>());
  std::cout << bot.Greet() << '\n';
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string reply = bot.Reply(line);
    if (bot.Ended()) break;
    std::cout << reply << '\n';
  }
  return 0;
}
