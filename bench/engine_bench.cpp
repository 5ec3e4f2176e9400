// Whole replies: how fast one engine answers realistic lines, how long the
// slowest kinds of line take, and how much the engine holds after a long
// conversation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/limits.h"
#include "base/random_source.h"
#include "bench/long_line.h"
#include "engine/reply_engine.h"
#include "library/bot_core.h"
#include "velk/bot.h"

namespace velk {
namespace {

std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const std::vector<std::string>& RealisticLines() {
  static const std::vector<std::string> lines = ReadLines(VELK_BENCH_LINES);
  return lines;
}

// An engine with a fixed seed, greeted as the windows greet it.
struct SeededEngine {
  SeededEngine() {
    engine.InitEngine("Velk", "");
    engine.GetReply("-getgreet-");
  }
  Conversation conversation;
  Mt19937Random random;
  FixedClock clock;
  ReplyEngine engine{conversation, random, clock, 1u};
};

// The thousand lines in order, again and again, with the latency of single
// replies: the median and the 99th percentile in microseconds.
void RunRealisticLines(benchmark::State& state, Bot& bot) {
  const std::vector<std::string>& lines = RealisticLines();
  bot.Greet();
  std::vector<double> micros;
  micros.reserve(1 << 20);
  std::size_t next = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(bot.Reply(lines[next]));
    const auto stop = std::chrono::steady_clock::now();
    if (micros.size() < micros.capacity()) {
      micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    if (++next == lines.size()) next = 0;
  }
  state.SetItemsProcessed(state.iterations());
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  state.counters["p50_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  state.counters["max_us"] = micros.back();
}

// What users get: the bot as the program builds it, on the machine's clock.
void BM_RealisticLines(benchmark::State& state) {
  Bot bot({.Seed = 1u});
  RunRealisticLines(state, bot);
}
BENCHMARK(BM_RealisticLines);

// The engine's own cost: the same bot on a clock that stands still.
void BM_RealisticLines_FixedClock(benchmark::State& state) {
  Bot bot = BotInternals::WithClock({.Seed = 1u}, std::make_unique<FixedClock>());
  RunRealisticLines(state, bot);
}
BENCHMARK(BM_RealisticLines_FixedClock);

// The slowest kinds of line, each through a whole GetReply.
void BM_SlowLine(benchmark::State& state, const std::string& line) {
  SeededEngine seeded;
  for (auto _ : state) benchmark::DoNotOptimize(seeded.engine.GetReply(line));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}

std::string ElevenSentencesOfThirtyWords() {
  std::string line;
  for (int s = 0; s < kSentenceSlots; ++s) {
    for (int w = 0; w < kLastWordSlot; ++w) line += "I LIKE YOU ARE MY NAME ";
    line += ". ";
  }
  return line;
}

BENCHMARK_CAPTURE(BM_SlowLine, words_32767, LongLine("what is your name my friend i like cats "));
BENCHMARK_CAPTURE(BM_SlowLine, im_32767, LongLine("I'M "));
BENCHMARK_CAPTURE(BM_SlowLine, dont_32767, LongLine("DON'T "));
BENCHMARK_CAPTURE(BM_SlowLine, eleven_sentences_30_words, ElevenSentencesOfThirtyWords());
BENCHMARK_CAPTURE(BM_SlowLine, one_word_32767, std::string(kMaxLineBytes, 'x'));

// Every idle prompt already given, so each one loses its cycle and the
// fallback runs until the candidate list is full.
void BM_FallbackUntilFull(benchmark::State& state) {
  static const char* const kPrompts[] = {"I'm bored. Can't we talk about anything else?",
                                         "What's the weather like today?",
                                         "Go on...",
                                         "<Sighs>",
                                         "What kind of music are you into?",
                                         "What's your favourite food?",
                                         "What are you doing next summer?",
                                         "<Laughs>",
                                         "Can you explain yourself better?",
                                         "What's wrong with you?",
                                         "I think that you're wierd",
                                         "What are you talking about?",
                                         "Do you want to talk to me?",
                                         "and?",
                                         "Why should I care?",
                                         "<Yawns>",
                                         "<Stretches>",
                                         "<Blushes>",
                                         "eh?",
                                         "Did you tell me your name?"};
  std::string history;
  for (const char* prompt : kPrompts) history += std::string("<>") + prompt;
  SeededEngine seeded;
  int full = 0;
  for (auto _ : state) {
    seeded.conversation.State.ReplyHistory = history;
    benchmark::DoNotOptimize(seeded.engine.GetReply(""));
    full += seeded.conversation.Candidates.Count() == kCandidateSlots;
  }
  state.counters["full_list_share"] =
      static_cast<double>(full) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FallbackUntilFull);

// Bytes the engine's texts hold, candidates included.
std::size_t EngineBytes(const SeededEngine& seeded) {
  const ConversationState& s = seeded.conversation.State;
  std::size_t bytes = sizeof(Conversation) + sizeof(ReplyEngine) + seeded.engine.CacheHeapBytes();
  for (const std::string* text :
       {&s.StatementMemory, &s.InputHistory, &s.RepeatWord, &s.UserName, &s.BotName, &s.UserGender,
        &s.NameGender, &s.ReplyHistory, &s.LastContext, &s.SwappedSentence}) {
    bytes += text->capacity();
  }
  for (int i = 0; i < kCandidateSlots; ++i) {
    const Candidate& candidate = seeded.conversation.Candidates[i];
    bytes += candidate.Reply.capacity() + candidate.Context.capacity();
  }
  return bytes;
}

// A conversation of a million lines: the engine's memory after the first
// thousand and at the end.
void BM_MemoryOverAMillionLines(benchmark::State& state) {
  const std::vector<std::string>& lines = RealisticLines();
  for (auto _ : state) {
    SeededEngine seeded;
    std::size_t afterThousand = 0;
    for (int i = 0; i < 1000000; ++i) {
      seeded.engine.GetReply(lines[static_cast<std::size_t>(i) % lines.size()]);
      if (i == 999) afterThousand = EngineBytes(seeded);
    }
    state.counters["bytes_after_1k"] = static_cast<double>(afterThousand);
    state.counters["bytes_after_1M"] = static_cast<double>(EngineBytes(seeded));
  }
}
BENCHMARK(BM_MemoryOverAMillionLines)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace velk
