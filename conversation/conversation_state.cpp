#include "conversation/conversation_state.h"

#include <algorithm>
#include <limits>

namespace velk {

std::int16_t ClampScore(long long value) {
  return static_cast<std::int16_t>(std::clamp<long long>(
      value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

void CandidateList::Add(std::string_view reply, std::string_view context, ScoreChange change) {
  if (Full()) return;
  Candidate& slot = slots_[static_cast<std::size_t>(count_)];
  slot.Reply = reply;
  if (!context.empty()) slot.Context = context;
  slot.Score = change.How == ScoreChange::Kind::kSet
                   ? ClampScore(change.Value)
                   : ClampScore(static_cast<long long>(slot.Score) + change.Value);
  ++count_;
}

void CandidateList::SetNextContext(std::string_view context) {
  if (!Full()) slots_[static_cast<std::size_t>(count_)].Context = context;
}

void CandidateList::SetNextReply(std::string_view reply) {
  if (!Full()) slots_[static_cast<std::size_t>(count_)].Reply = reply;
}

}  // namespace velk
