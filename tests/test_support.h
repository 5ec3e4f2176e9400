// Fakes and helpers shared by the tests: a random source that plays back
// forced draws, a clock that stands still unless told, and an engine built
// over both.
#ifndef VELK_TESTS_TEST_SUPPORT_H_
#define VELK_TESTS_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/clock.h"
#include "engine/random_source.h"
#include "engine/reply_engine.h"

namespace velk::testing {

// The draw r that makes Int(r * n) + 1 come out as k.
inline double DrawFor(int k, int n) { return (k - 0.5) / n; }

// Plays back queued draws; a draw asked for beyond the queue fails the test,
// which catches a draw taken when no rule should have drawn.
class ScriptedRandom final : public RandomSource {
 public:
  ScriptedRandom() = default;
  ScriptedRandom(std::initializer_list<double> draws) : draws_(draws) {}

  void Seed(std::uint32_t seed) override { lastSeed = seed; }
  double Draw() override;

  // Queues a draw, or the draw that picks entry k of n.
  void Queue(double draw) { draws_.push_back(draw); }
  void QueuePick(int k, int n) { draws_.push_back(DrawFor(k, n)); }
  void QueuePicks(std::initializer_list<std::pair<int, int>> picks) {
    for (auto [k, n] : picks) QueuePick(k, n);
  }

  std::size_t Remaining() const { return draws_.size(); }
  int DrawsTaken() const { return taken_; }
  std::uint32_t lastSeed = 0;

 private:
  std::deque<double> draws_;
  int taken_ = 0;
};

// A clock that stands at Seconds, moving on by Step after every reading.
class FakeClock final : public Clock {
 public:
  float SecondsSinceMidnight() override {
    const float now = Seconds;
    Seconds += Step;
    return now;
  }
  LocalDateTime Now() override { return DateTime; }

  float Seconds = 43200.0f;
  float Step = 0.0f;
  LocalDateTime DateTime{2026, 12, 8, 14, 5, 9};
};

// An initialised engine ("Velk", no user name) over the two fakes.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { engine.InitEngine("Velk", ""); }

  ConversationState& State() { return engine.State(); }
  CandidateList& Candidates() { return engine.Candidates(); }

  ScriptedRandom random;
  FakeClock clock;
  ReplyEngine engine{random, clock};
};

// `piece` written `times` times in a row.
inline std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// The filled candidate slots as "reply|context|score" joined by "; ", so that a
// whole list is one readable line.
std::string DumpCandidates(const CandidateList& list);

}  // namespace velk::testing

#endif  // VELK_TESTS_TEST_SUPPORT_H_
