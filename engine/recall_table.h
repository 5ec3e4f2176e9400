// The lines of the statement memory that recall reads, kept between calls.
#ifndef VELK_ENGINE_RECALL_TABLE_H_
#define VELK_ENGINE_RECALL_TABLE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/limits.h"
#include "conversation/conversation_state.h"

namespace velk {

// Slot 0 is the memory up to and including its first carriage return, then
// each later line with its carriage return, the newest line (after the last
// carriage return) left out; with more lines than slots, slot 0 is followed by
// the latest of them. Recall asks it about every content word, while the
// memory changes at most once a sentence, so the table keeps, for each
// hashed pair of characters, the slots whose lines hold it: a key's pairs
// then rule out most lines at once, without a search.
class RecallTable {
 public:
  // Brings the table up to date with `memory`; lines that are still there
  // are not read again.
  void Sync(std::string_view memory);

  int Count() const { return count_; }
  std::string_view Line(int slot) const;
  // Whether the line's type letters hold a "Q".
  bool IsQuestion(int slot) const { return lines_[Index(slot)].Question; }
  // What the user said: the line without its type and closing carriage return.
  std::string_view SaidText(int slot) const;

  // The last slot whose line contains `key` and is not a question, or -1.
  int LastStatementWith(std::string_view key) const;

  std::size_t HeapBytes() const { return seen_.capacity(); }

 private:
  struct Entry {
    std::uint32_t Offset = 0;
    std::uint32_t Size = 0;
    bool Question = false;
  };
  // One bit per slot, slot 0 lowest.
  using Slots = std::uint32_t;
  static_assert(kRecallSlots < 32);
  static constexpr int kPairHashes = 256;

  static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
  // Calls visit(hash) for the hash of each pair of adjacent characters.
  template <typename Visit>
  static void ForEachPair(std::string_view text, Visit visit);
  // Moves slots `from` and later down to slot 1 on, dropping those between.
  void DropAfterFirst(int from);

  // Updates the table when `memory` is the text seen, less some of its oldest
  // lines, with more added; false for any other change.
  bool FollowOn(std::string_view memory);
  void Rebuild(std::string_view memory);
  // Adds the line memory[from, to) as the newest slot.
  void Append(std::string_view memory, std::size_t from, std::size_t to);
  // Adds each line from `lineStart` on that a carriage return closes.
  void AppendClosedLines(std::string_view memory, std::size_t lineStart);

  std::string seen_;
  std::array<Entry, kRecallSlots> lines_{};
  int count_ = 0;
  std::array<Slots, kPairHashes> slotsWithPair_{};
};

}  // namespace velk

#endif  // VELK_ENGINE_RECALL_TABLE_H_
