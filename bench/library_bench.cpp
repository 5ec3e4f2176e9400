// Saved conversations: their typical size, and the time to save and restore
// one, after a conversation long enough to fill both histories.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "base/clock.h"
#include "library/bot_core.h"
#include "velk/bot.h"

namespace velk {
namespace {

Bot TalkedBot() {
  Bot bot = BotInternals::WithClock({.Seed = 1u}, std::make_unique<FixedClock>());
  bot.Greet();
  std::ifstream in(VELK_BENCH_LINES);
  for (std::string line; std::getline(in, line);) bot.Reply(line);
  return bot;
}

void BM_SaveConversation(benchmark::State& state) {
  const Bot bot = TalkedBot();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string saved = bot.Save();
    bytes = saved.size();
    benchmark::DoNotOptimize(saved);
  }
  state.counters["saved_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveConversation);

void BM_RestoreConversation(benchmark::State& state) {
  const std::string saved = TalkedBot().Save();
  for (auto _ : state) {
    Bot bot = BotInternals::RestoreWithClock(saved, std::make_unique<FixedClock>());
    benchmark::DoNotOptimize(bot);
  }
  state.counters["saved_bytes"] = static_cast<double>(saved.size());
}
BENCHMARK(BM_RestoreConversation);

}  // namespace
}  // namespace velk
