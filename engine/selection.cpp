#include "engine/selection.h"

#include <algorithm>

#include "base/limits.h"
#include "base/text.h"
#include "conversation/turn_context.h"
#include "engine/statement_memory.h"
#include "responders/idle_prompts.h"

namespace velk {
namespace {

// Keeps the last kHistoryKeep characters once a history grows past
// kHistoryTrimAbove.
void CutHistory(std::string& history) {
  if (history.size() > kHistoryTrimAbove) history.erase(0, history.size() - kHistoryKeep);
}

bool HasContext(const Candidate& candidate) { return !Trim(candidate.Context).empty(); }

// One branch-free pass, which the compiler vectorises.
bool HasLowerCase(std::string_view text) {
  unsigned char any = 0;
  for (const char c : text) any |= static_cast<unsigned char>(c - 'a') < 26;
  return any != 0;
}

}  // namespace

std::string SelectWinner(TurnContext& turn, RecallTable& recall, std::string_view line) {
  ConversationState& state = turn.State();
  CandidateList& candidates = turn.Candidates();
  Clock& clock = turn.Time();
  const float start = clock.SecondsSinceMidnight();
  // The input history is kept upper case, and nearly every reply has a
  // lower-case letter, which then rules it out of the history without a
  // search. The history is looked at once, as it might have been set from
  // outside.
  const bool inputHasLowerCase = HasLowerCase(state.InputHistory);

  // A cycle that finds no winner leaves every candidate it saw with a score
  // below 0 or no text, and later cycles only lower scores, so those slots
  // can never win again; their penalties would be lost anyway, since clearing
  // resets every slot that still has a text. Each cycle therefore looks only
  // at the slots filled since the last one (from the slot the idle prompt
  // took on), which keeps a long fallback linear rather than quadratic.
  int from = 0;
  std::string winning;
  for (;;) {
    if (clock.SecondsSinceMidnight() - start >= 1.0f) {
      std::string& history = state.ReplyHistory;
      history.erase(0, history.size() - history.size() / 2);
    }
    winning.clear();
    int best = 0;
    const int last = std::min(candidates.Count(), kCandidateSlots - 1);

    // First pass: penalties, blanking, and the best candidate with a code.
    for (int i = from; i <= last; ++i) {
      Candidate& candidate = candidates[i];
      if (candidate.Reply.empty()) continue;
      if (Contains(state.ReplyHistory, candidate.Reply)) {
        candidate.Score = ClampScore(candidate.Score - 20);
      }
      if ((inputHasLowerCase || !HasLowerCase(candidate.Reply)) &&
          Contains(state.InputHistory, candidate.Reply)) {
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
      for (int i = from; i <= last; ++i) {
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
    IdlePrompt prompt = PickIdlePrompt(turn);
    if (candidates.Full()) {
      winning = std::move(prompt.Text);
      state.LastContext = std::move(prompt.Context);
      break;
    }
    from = candidates.Count();
    candidates.Add(prompt.Text, prompt.Context);
    RecallStatement(turn, recall, "");
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
