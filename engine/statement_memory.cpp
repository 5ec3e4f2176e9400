#include "engine/statement_memory.h"

#include <algorithm>
#include <array>

#include "engine/limits.h"
#include "engine/reply_engine.h"
#include "engine/text.h"

namespace velk {
namespace {

constexpr char kLineStart = '\r';

// Recall reads the lone carriage return that opens the memory and at most
// this many lines before the newest; the newest line is never read.
constexpr int kLinesRead = kRecallSlots - 1;

// The working table of one recall: slot 0 is the memory up to and including
// its first carriage return, then each later line with its carriage return,
// the newest line (after the last carriage return) left out. With more lines
// than slots, slot 0 is followed by the kLinesRead latest of them. Recall runs
// for every content word, so the table is views into the memory, found by
// walking back from its end.
struct RecallTable {
  std::array<std::string_view, kRecallSlots> Lines;
  int Count = 0;
};

RecallTable BuildRecallTable(std::string_view memory) {
  RecallTable table;
  const std::size_t first = memory.find(kLineStart);
  if (first == std::string_view::npos) return table;
  // The last kRecallSlots carriage returns, in a ring: each closes a line
  // read, except the very last, which opens the newest line.
  std::array<std::size_t, kRecallSlots> ring{};
  std::size_t seen = 0;
  for (std::size_t pos = first; pos != std::string_view::npos;
       pos = memory.find(kLineStart, pos + 1)) {
    ring[seen++ % kRecallSlots] = pos;
  }
  table.Lines[0] = memory.substr(0, first + 1);
  table.Count = 1;
  const std::size_t kept = std::min<std::size_t>(seen, kRecallSlots);
  for (std::size_t i = seen - kept + 1; i < seen; ++i) {
    const std::size_t from = ring[(i - 1) % kRecallSlots] + 1;
    const std::size_t to = ring[i % kRecallSlots] + 1;
    table.Lines[static_cast<std::size_t>(table.Count++)] = memory.substr(from, to - from);
  }
  return table;
}

// The type letters with their ":"; empty for a line without one.
std::string_view TypePart(std::string_view line) {
  const std::size_t colon = line.find(':');
  return colon == std::string_view::npos ? std::string_view{} : line.substr(0, colon + 1);
}

// What the user said, without the type and the closing carriage return.
std::string_view SaidText(std::string_view line) {
  const std::size_t colon = line.find(':');
  std::string_view said = colon == std::string_view::npos ? line : line.substr(colon + 1);
  if (!said.empty() && said.back() == kLineStart) said.remove_suffix(1);
  return said;
}

bool IsQuestion(std::string_view line) { return Contains(TypePart(line), "Q"); }

// Drops lines that recall can no longer read, so that a conversation of any
// length keeps bounded memory: recall sees exactly the same table as before.
void DropUnreadLines(std::string& memory) {
  const std::size_t first = memory.find(kLineStart);
  if (first == std::string::npos) return;
  // The carriage return that opens the oldest line recall still reads is the
  // (kLinesRead + 1)th from the end; a ring of that many finds it in one
  // forward pass.
  constexpr std::size_t kKept = kLinesRead + 1;
  std::array<std::size_t, kKept> ring{};
  std::size_t seen = 0;
  for (std::size_t pos = first; pos != std::string::npos; pos = memory.find(kLineStart, pos + 1)) {
    ring[seen++ % kKept] = pos;
  }
  if (seen <= kKept) return;
  const std::size_t keepFrom = ring[seen % kKept];
  memory.erase(first + 1, keepFrom + 1 - (first + 1));
}

void AppendLine(ConversationState& state, std::string_view sentenceType,
                std::string_view swappedSentence) {
  std::string& memory = state.StatementMemory;
  memory += kLineStart;
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

void RecallStatement(ReplyEngine& engine, const std::string& word) {
  const std::string_view memory = engine.State().StatementMemory;

  if (!word.empty()) {
    // Every line read lies before the carriage return that opens the newest
    // line. Most words were never said before: one search there settles
    // those without building the table.
    const std::size_t newest = memory.rfind(kLineStart);
    if (newest == std::string_view::npos || !Contains(memory.substr(0, newest + 1), word)) {
      engine.AddCandidate("");
      return;
    }
    // The latest matching statement wins; the match may fall in the type
    // letters. An empty answer is still offered, and never wins.
    const RecallTable table = BuildRecallTable(memory);
    std::string_view answer;
    for (int i = 0; i < table.Count; ++i) {
      const std::string_view line = table.Lines[static_cast<std::size_t>(i)];
      if (Contains(line, word) && !IsQuestion(line)) answer = SaidText(line);
    }
    engine.AddCandidate(answer);
    return;
  }

  const RecallTable table = BuildRecallTable(memory);
  const int count = table.Count;
  if (count < 3) return;
  for (;;) {
    // Pick gives 1 to count; slot count lies past the table, so draw again.
    const int k = engine.Pick(count);
    if (k >= count) continue;
    const std::string_view line = table.Lines[static_cast<std::size_t>(k)];
    engine.AddCandidate(IsQuestion(line) ? std::string_view{} : SaidText(line));
    return;
  }
}

}  // namespace velk
