// Fakes and helpers shared by the tests: a random source that plays back
// forced draws, a clock that stands still unless told, an engine built over
// both, and seeded bots over a still clock.
#ifndef VELK_TESTS_TEST_SUPPORT_H_
#define VELK_TESTS_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/random_source.h"
#include "conversation/conversation_state.h"
#include "conversation/turn_context.h"
#include "engine/reply_engine.h"
#include "velk/bot.h"

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

// An engine together with the conversation it works on, which tests read and
// change between calls, and a turn over the same conversation for calling
// responders directly (it converts to TurnContext&).
class TestEngine {
 public:
  TestEngine(RandomSource& random, Clock& clock,
             std::optional<std::uint32_t> fixedSeed = std::nullopt)
      : turn_(conversation_, random, clock), engine_(conversation_, random, clock, fixedSeed) {}

  void InitEngine(std::string_view botName, std::string_view userName) {
    engine_.InitEngine(botName, userName);
  }
  std::string GetReply(std::string_view line) {
    turn_.ClearEndRequest();
    return engine_.GetReply(line);
  }
  // Asked for by the last GetReply or by a responder called directly.
  bool EndRequested() const { return engine_.EndRequested() || turn_.EndRequested(); }

  ConversationState& State() { return conversation_.State; }
  CandidateList& Candidates() { return conversation_.Candidates; }
  void AddCandidate(std::string_view reply, std::string_view context = {},
                    ScoreChange change = {}) {
    turn_.AddCandidate(reply, context, change);
  }
  operator TurnContext&() { return turn_; }

 private:
  Conversation conversation_;
  TurnContext turn_;
  ReplyEngine engine_;
};

// An initialised engine ("Velk", no user name) over the two fakes.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { engine.InitEngine("Velk", ""); }

  ConversationState& State() { return engine.State(); }
  CandidateList& Candidates() { return engine.Candidates(); }

  ScriptedRandom random;
  FakeClock clock;
  TestEngine engine{random, clock};
  RecallTable recall;  // for calling selection and recall directly
};

// A bot with a fixed seed over a clock that stands still, so that a twin
// made alike gives the same replies to the same lines.
Bot SeededBot(std::uint32_t seed, const std::string& persona = "Velk");

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
