#include "engine/selection.h"

#include <algorithm>
#include <array>

#include "engine/limits.h"
#include "engine/reply_engine.h"
#include "engine/statement_memory.h"
#include "engine/text.h"
#include "responders/idle_prompts.h"

namespace velk {
namespace {

// Keeps the last kHistoryKeep characters once a history grows past
// kHistoryTrimAbove.
void CutHistory(std::string& history) {
  if (history.size() > kHistoryTrimAbove) history.erase(0, history.size() - kHistoryKeep);
}

bool HasContext(const Candidate& candidate) { return !Trim(candidate.Context).empty(); }

}  // namespace

std::string SelectWinner(ReplyEngine& engine, std::string_view line) {
  ConversationState& state = engine.State();
  CandidateList& candidates = engine.Candidates();
  Clock& clock = engine.Time();
  const float start = clock.SecondsSinceMidnight();

  // Neither history changes during the cycles, except the halving of the
  // reply history, so each slot's two substring tests are made once (again
  // after a halving) rather than in every cycle: a long fallback stays cheap.
  std::array<bool, kCandidateSlots> tested{};
  std::array<bool, kCandidateSlots> repeated{};

  std::string winning;
  for (;;) {
    if (clock.SecondsSinceMidnight() - start >= 1.0f) {
      std::string& history = state.ReplyHistory;
      history.erase(0, history.size() - history.size() / 2);
      tested.fill(false);
    }
    winning.clear();
    int best = 0;
    const int last = std::min(candidates.Count(), kCandidateSlots - 1);

    // First pass: penalties, blanking, and the best candidate with a code.
    for (int i = 0; i <= last; ++i) {
      Candidate& candidate = candidates[i];
      if (candidate.Reply.empty()) continue;
      const auto slot = static_cast<std::size_t>(i);
      bool dropped = false;
      if (!tested[slot]) {
        tested[slot] = true;
        repeated[slot] = Contains(state.ReplyHistory, candidate.Reply);
        dropped = Contains(state.InputHistory, candidate.Reply);
      }
      if (repeated[slot]) candidate.Score = ClampScore(candidate.Score - 20);
      if (dropped) {
        candidate.Reply.clear();
        candidate.Context.clear();
      }
      if (HasContext(candidate) && candidate.Score >= best) {
        winning = candidate.Reply + " ";
        state.LastContext = candidate.Context;
        best = candidate.Score;
      }
    }

    // Second pass: the best candidate of any kind.
    if (winning.empty()) {
      for (int i = 0; i <= last; ++i) {
        const Candidate& candidate = candidates[i];
        if (!candidate.Reply.empty() && candidate.Score >= best) {
          winning = candidate.Reply;
          state.LastContext = candidate.Context;
          best = candidate.Score;
        }
      }
    }
    if (!winning.empty()) break;

    // Fallback cycle. With the list full, the prompt wins outright.
    IdlePrompt prompt = PickIdlePrompt(engine);
    if (candidates.Full()) {
      winning = std::move(prompt.Text);
      state.LastContext = std::move(prompt.Context);
      break;
    }
    candidates.Add(prompt.Text, prompt.Context);
    RecallStatement(engine, "");
  }

  state.InputHistory += "<>";
  state.InputHistory += ToUpper(line);
  const int last = std::min(candidates.Count(), kCandidateSlots - 1);
  for (int i = 0; i <= last; ++i) {
    Candidate& candidate = candidates[i];
    if (!candidate.Reply.empty()) candidate = Candidate{};
  }
  CutHistory(state.ReplyHistory);
  state.ReplyHistory += "<>";
  state.ReplyHistory += winning;
  CutHistory(state.InputHistory);
  return winning;
}

}  // namespace velk
