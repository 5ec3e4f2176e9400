// The reply engine: one line in, one reply out, with the conversation state
// kept between lines.
#ifndef VELK_ENGINE_REPLY_ENGINE_H_
#define VELK_ENGINE_REPLY_ENGINE_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/clock.h"
#include "engine/conversation_state.h"
#include "engine/random_source.h"
#include "engine/recall_table.h"

namespace velk {

// Owns the ConversationState and the CandidateList for the whole run. The
// random source and the clock must outlive the engine. Not re-entrant: one
// call at a time, from one thread.
//
//   Mt19937Random random;
//   SystemClock clock;
//   ReplyEngine engine(random, clock);
//   engine.InitEngine("Velk", "");
//   std::string greeting = engine.GetReply("-getgreet-");
class ReplyEngine {
 public:
  // With a fixed seed, every InitEngine seeds the generator with it; without
  // one, from the clock.
  ReplyEngine(RandomSource& random, Clock& clock,
              std::optional<std::uint32_t> fixedSeed = std::nullopt);
  ~ReplyEngine();
  ReplyEngine(const ReplyEngine&) = delete;
  ReplyEngine& operator=(const ReplyEngine&) = delete;

  // Seeds the generator and sets the two names; an empty bot name becomes
  // "Velk". Nothing else is reset.
  void InitEngine(std::string_view botName, std::string_view userName);

  // The reply to one line of any length or content. Always returns, and
  // always with a reply unless the line ended the conversation (see
  // EndRequested), when the reply is empty.
  std::string GetReply(std::string_view line);

  // True once the user has asked to end the program (the sentence EXIT). The
  // engine never ends the process; the front end reads this after GetReply.
  bool EndRequested() const { return endRequested_; }
  void RequestEnd() { endRequested_ = true; }

  // Adds a candidate in slot CandidateCount (see CandidateList::Add).
  void AddCandidate(std::string_view reply, std::string_view context = {},
                    ScoreChange change = {}) {
    candidates_.Add(reply, context, change);
  }

  // One draw r in [0, 1), and Int(r * n) + 1.
  double Draw() { return random_.Draw(); }
  int Pick(int n) { return PickOneTo(random_, n); }

  ConversationState& State() { return state_; }
  const ConversationState& State() const { return state_; }
  CandidateList& Candidates() { return candidates_; }
  const CandidateList& Candidates() const { return candidates_; }
  Clock& Time() { return clock_; }

  // The lines of StatementMemory that recall reads, kept between calls. It
  // checks the memory it is given against the one it last read, so the state
  // may be changed freely in between.
  RecallTable& Recall() { return recall_; }
  const RecallTable& Recall() const { return recall_; }

 private:
  struct CallState;

  void AnswerSentence(std::string_view sentence, CallState& call);

  RandomSource& random_;
  Clock& clock_;
  const std::optional<std::uint32_t> fixedSeed_;
  ConversationState state_;
  CandidateList candidates_;
  RecallTable recall_;
  bool endRequested_ = false;
  std::unique_ptr<CallState> call_;  // reused by every GetReply call
};

}  // namespace velk

#endif  // VELK_ENGINE_REPLY_ENGINE_H_
