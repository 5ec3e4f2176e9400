// What a responder, statement recall and reply styling may touch while one
// line is answered, and nothing more: they never see the engine itself.
#ifndef VELK_CONVERSATION_TURN_CONTEXT_H_
#define VELK_CONVERSATION_TURN_CONTEXT_H_

#include <string_view>

#include "base/clock.h"
#include "base/random_source.h"
#include "conversation/conversation_state.h"

namespace velk {

// A view over the conversation, the random source and the clock, which must
// all outlive it.
class TurnContext {
 public:
  TurnContext(Conversation& conversation, RandomSource& random, Clock& clock)
      : conversation_(conversation), random_(random), clock_(clock) {}

  // Adds a candidate in slot CandidateCount (see CandidateList::Add).
  void AddCandidate(std::string_view reply, std::string_view context = {},
                    ScoreChange change = {}) {
    conversation_.Candidates.Add(reply, context, change);
  }

  // One draw r in [0, 1), and Int(r * n) + 1.
  double Draw() { return random_.Draw(); }
  int Pick(int n) { return PickOneTo(random_, n); }

  ConversationState& State() { return conversation_.State; }
  const ConversationState& State() const { return conversation_.State; }
  CandidateList& Candidates() { return conversation_.Candidates; }
  Clock& Time() { return clock_; }

  // The user has asked to end the run (the sentence EXIT); the front end
  // decides what that means.
  void RequestEnd() { endRequested_ = true; }
  bool EndRequested() const { return endRequested_; }
  void ClearEndRequest() { endRequested_ = false; }

 private:
  Conversation& conversation_;
  RandomSource& random_;
  Clock& clock_;
  bool endRequested_ = false;
};

}  // namespace velk

#endif  // VELK_CONVERSATION_TURN_CONTEXT_H_
