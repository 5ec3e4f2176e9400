// What the engine remembers between lines, and the candidate replies of one
// line.
#ifndef VELK_CONVERSATION_CONVERSATION_STATE_H_
#define VELK_CONVERSATION_CONVERSATION_STATE_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/limits.h"

namespace velk {

// Opens each line of ConversationState::StatementMemory.
inline constexpr char kMemoryLineStart = '\r';

// Everything the engine remembers for the whole run. Strings start empty and
// numbers at 0; input text is kept upper case, names and replies in their own
// case.
struct ConversationState {
  // Remembered statements, each a carriage return, the type letters, ":" and
  // the swapped sentence. Only the lines recall can still read are kept.
  std::string StatementMemory;
  // Every input line, upper-cased as given, each preceded by "<>".
  std::string InputHistory;
  // " WORD " of the last one-word sentence, or empty.
  std::string RepeatWord;
  // The user's name as captured (first letter upper case), or empty.
  std::string UserName;
  // The persona's name, "Velk" or "Tavro".
  std::string BotName;
  // The user's age; 0 means unknown.
  std::int16_t UserAge = 0;
  // "M", "F" or empty.
  std::string UserGender;
  // Gender of the word last looked up in the first-name table.
  std::string NameGender;
  // Every reply chosen, each preceded by "<>".
  std::string ReplyHistory;
  // Context code of the reply chosen last; empty when it carried none.
  std::string LastContext;
  // The sentence being answered, each word followed by one blank; empty
  // between sentences and between calls.
  std::string SwappedSentence;
};

// One candidate reply. A context code of blanks only means none.
struct Candidate {
  std::string Reply;
  std::int16_t Score = 0;
  std::string Context;
};

// How a responder changes the score of the slot it fills: most add to what
// the slot holds (a slot can carry a score into the next call), a few set it.
struct ScoreChange {
  enum class Kind { kAdd, kSet };
  Kind How = Kind::kAdd;
  int Value = 0;
};
inline constexpr ScoreChange Plus(int value) { return {ScoreChange::Kind::kAdd, value}; }
inline constexpr ScoreChange SetTo(int value) { return {ScoreChange::Kind::kSet, value}; }

// Clamps a score to the 16-bit range rather than wrapping.
std::int16_t ClampScore(long long value);

// The replies proposed during one call: fixed slots 0 to 300 that keep their
// contents between calls (selection clears only the slots it saw filled), and
// the count of slots in use; slot Count is the next free one.
class CandidateList {
 public:
  // Fills slot Count and moves Count on: the reply, the context code unless
  // `context` is empty (then the slot keeps the code it holds, which a picker
  // may have written there), and the score change. Dropped when the list is
  // full.
  void Add(std::string_view reply, std::string_view context = {}, ScoreChange change = {});

  // Writes a code into slot Count for the candidate the caller adds next.
  // Dropped when the list is full.
  void SetNextContext(std::string_view context);

  // Writes a reply into slot Count without counting it: the next Add takes
  // the slot over. Dropped when the list is full.
  void SetNextReply(std::string_view reply);

  bool Full() const { return count_ >= kCandidateSlots; }
  int Count() const { return count_; }
  void ResetCount() { count_ = 0; }

  Candidate& operator[](int slot) { return slots_[static_cast<std::size_t>(slot)]; }
  const Candidate& operator[](int slot) const { return slots_[static_cast<std::size_t>(slot)]; }

 private:
  std::array<Candidate, kCandidateSlots> slots_{};
  int count_ = 0;
};

// Everything a conversation carries from one line to the next, apart from the
// random generator: what the engine remembers, and the candidate slots, which
// keep their contents between calls.
struct Conversation {
  ConversationState State;
  CandidateList Candidates;
};

}  // namespace velk

#endif  // VELK_CONVERSATION_CONVERSATION_STATE_H_
