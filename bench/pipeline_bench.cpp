// The input pipeline of one reply (normalisation, sentences, words, swap) on a
// typical line and on the longest lines the engine accepts.
#include <benchmark/benchmark.h>

#include <string>

#include "base/limits.h"
#include "bench/long_line.h"
#include "engine/normalise.h"
#include "engine/sentences.h"

namespace velk {
namespace {

void RunPipeline(benchmark::State& state, const std::string& line) {
  for (auto _ : state) {
    bool pronounFlag = false;
    std::string opening;
    std::string rest;
    int taken = 0;
    PreparedSentence prepared;
    for (const std::string& sentence : SplitSentences(NormaliseInput(line))) {
      PrepareSentence(sentence, prepared, pronounFlag);
      TakeOpeningWords(prepared.Words, kLastWordSlot, opening, rest, taken);
    }
    benchmark::DoNotOptimize(rest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}

void RunNormalise(benchmark::State& state, const std::string& line) {
  for (auto _ : state) benchmark::DoNotOptimize(NormaliseInput(line));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}

const std::string kTypical = "hi velk!! i'm John, i dunno what's up :-) can't you tell me a joke?";
const std::string kWords = LongLine("the quick brown fox jumps over the lazy dog ");
const std::string kBlanks = LongLine(" ");
const std::string kDots = LongLine(".");
const std::string kImI = LongLine("I'M ");
const std::string kDont = LongLine("DON'T ");
const std::string kMarks = LongLine("<");

BENCHMARK_CAPTURE(RunPipeline, typical_line, kTypical);
BENCHMARK_CAPTURE(RunPipeline, words_32767, kWords);
BENCHMARK_CAPTURE(RunPipeline, blanks_32767, kBlanks);
BENCHMARK_CAPTURE(RunPipeline, dots_32767, kDots);
BENCHMARK_CAPTURE(RunPipeline, im_32767, kImI);
BENCHMARK_CAPTURE(RunPipeline, dont_32767, kDont);
BENCHMARK_CAPTURE(RunPipeline, marks_32767, kMarks);
BENCHMARK_CAPTURE(RunNormalise, im_32767, kImI);
BENCHMARK_CAPTURE(RunNormalise, dont_32767, kDont);

}  // namespace
}  // namespace velk
