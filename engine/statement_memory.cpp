#include "engine/statement_memory.h"

#include "base/limits.h"
#include "base/text.h"
#include "conversation/turn_context.h"
#include "engine/recall_table.h"

namespace velk {
namespace {

// Recall reads the lone carriage return that opens the memory and at most
// this many lines before the newest; the newest line is never read.
constexpr int kLinesRead = kRecallSlots - 1;

// Drops lines that recall can no longer read, so that a conversation of any
// length keeps bounded memory: recall sees exactly the same table as before.
// The carriage return that opens the oldest line recall still reads is the
// (kLinesRead + 1)th from the end; what lies between it and the first one, it
// included, goes. Once the memory is full, each new line drops one old line,
// so the carriage returns are counted (one vectorised pass) rather than found
// one by one.
void DropUnreadLines(std::string& memory) {
  constexpr std::size_t kKept = kLinesRead + 1;
  const std::size_t returns = CountChar(memory, kMemoryLineStart);
  if (returns <= kKept) return;
  const std::size_t first = memory.find(kMemoryLineStart);
  std::size_t keepFrom = first;  // the (kKept)th carriage return from the end
  for (std::size_t n = returns - kKept; n > 0; --n) {
    keepFrom = memory.find(kMemoryLineStart, keepFrom + 1);
  }
  memory.erase(first + 1, keepFrom - first);
}

void AppendLine(ConversationState& state, std::string_view sentenceType,
                std::string_view swappedSentence) {
  std::string& memory = state.StatementMemory;
  memory += kMemoryLineStart;
  memory += sentenceType;
  memory += ':';
  memory += swappedSentence;
  DropUnreadLines(memory);
}

}  // namespace

void StoreStatement(ConversationState& state, int wordCount, std::string_view sentenceType,
                    std::string_view swappedSentence) {
  if (wordCount <= 2) return;
  // An exclamation that is also a statement ("SE") is deliberately kept twice.
  if (Contains(sentenceType, "E")) AppendLine(state, sentenceType, swappedSentence);
  if (Contains(sentenceType, "S")) AppendLine(state, sentenceType, swappedSentence);
}

void RecallStatement(TurnContext& turn, RecallTable& table, const std::string& word) {
  table.Sync(turn.State().StatementMemory);

  if (!word.empty()) {
    // The latest matching statement wins; the match may fall in the type
    // letters. An empty answer is still offered, and never wins.
    const int slot = table.LastStatementWith(word);
    turn.AddCandidate(slot < 0 ? std::string_view{} : table.SaidText(slot));
    return;
  }

  const int count = table.Count();
  if (count < 3) return;
  for (;;) {
    // Pick gives 1 to count; slot count lies past the table, so draw again.
    const int k = turn.Pick(count);
    if (k >= count) continue;
    turn.AddCandidate(table.IsQuestion(k) ? std::string_view{} : table.SaidText(k));
    return;
  }
}

}  // namespace velk
