// Whole replies: how fast one engine answers realistic lines.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/clock.h"
#include "engine/random_source.h"
#include "engine/reply_engine.h"

namespace velk {
namespace {

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A clock that stands still, so no fallback cycle ever sees a second pass.
class StillClock final : public Clock {
 public:
  float SecondsSinceMidnight() override { return 43200.0f; }
  LocalDateTime Now() override { return {}; }
};

// One engine answering the thousand lines in order, again and again.
void BM_RealisticLines(benchmark::State& state) {
  static const std::vector<std::string> lines = ReadLines(VELK_BENCH_LINES);
  Mt19937Random random;
  StillClock clock;
  ReplyEngine engine(random, clock, 1u);
  engine.InitEngine("Velk", "");
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine.GetReply(lines[next]));
    if (++next == lines.size()) next = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RealisticLines);

}  // namespace
}  // namespace velk
