// Replays lines through one engine with a fixed seed and a clock that stands
// still, printing the greeting and then one reply per line, so that the
// engine can be compared with another reading of its rules.
//   velk_replay SEED < lines
#include <cstdlib>
#include <iostream>
#include <string>

#include "engine/clock.h"
#include "engine/random_source.h"
#include "engine/reply_engine.h"

int main(int argc, char** argv) {
  const auto seed = static_cast<std::uint32_t>(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1);
  velk::Mt19937Random random;
  velk::FixedClock clock;
  velk::ReplyEngine engine(random, clock, seed);
  engine.InitEngine("Velk", "");
  std::cout << engine.GetReply("-getgreet-") << '\n';
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string reply = engine.GetReply(line);
    if (engine.EndRequested()) break;
    std::cout << reply << '\n';
  }
  return 0;
}
