// Replays lines through one bot with a fixed seed and a clock that stands
// still, printing the greeting and then one reply per line, so that the
// engine can be compared with another reading of its rules.
//   velk_replay SEED < lines
// A conversation can also be cut in two processes: the first saves the bot
// after N lines, the second restores it and answers the rest (no greeting).
//   velk_replay SEED --save-after N FILE < lines
//   velk_replay --restore FILE < rest
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "base/clock.h"
#include "library/bot_core.h"
#include "velk/bot.h"

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "1";
  const auto clock = [] { return std::make_unique<velk::FixedClock>(); };
  velk::Bot bot = velk::BotInternals::WithClock({}, clock());
  long saveAfter = -1;
  const char* saveTo = nullptr;
  if (first == "--restore" && argc > 2) {
    std::ifstream in(argv[2], std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), {});
    bot = velk::BotInternals::RestoreWithClock(saved, clock());
  } else {
    const auto seed = static_cast<std::uint32_t>(std::strtoul(first.c_str(), nullptr, 10));
    bot = velk::BotInternals::WithClock({.Seed = seed}, clock());
    if (argc > 4 && std::string(argv[2]) == "--save-after") {
      saveAfter = std::strtol(argv[3], nullptr, 10);
      saveTo = argv[4];
    }
    std::cout << bot.Greet() << '\n';
  }
  for (std::string line; saveAfter != 0 && std::getline(std::cin, line); --saveAfter) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string reply = bot.Reply(line);
    if (bot.Ended()) break;
    std::cout << reply << '\n';
  }
  if (saveTo != nullptr) std::ofstream(saveTo, std::ios::binary) << bot.Save();
  return 0;
}
