#include "engine/recall_table.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/text.h"

namespace velk {
namespace {

std::string_view TypePart(std::string_view line) {
  const std::size_t colon = line.find(':');
  return colon == std::string_view::npos ? std::string_view{} : line.substr(0, colon + 1);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

template <typename Visit>
void RecallTable::ForEachPair(std::string_view text, Visit visit) {
  for (std::size_t i = 1; i < text.size(); ++i) {
    const std::uint32_t pair = std::uint32_t{static_cast<unsigned char>(text[i - 1])} << 8 |
                               static_cast<unsigned char>(text[i]);
    visit((pair * 0x9E3779B1u) >> 24);
  }
}

std::string_view RecallTable::Line(int slot) const {
  const Entry& entry = lines_[Index(slot)];
  return std::string_view(seen_).substr(entry.Offset, entry.Size);
}

std::string_view RecallTable::SaidText(int slot) const {
  const std::string_view line = Line(slot);
  const std::size_t colon = line.find(':');
  std::string_view said = colon == std::string_view::npos ? line : line.substr(colon + 1);
  if (!said.empty() && said.back() == kMemoryLineStart) said.remove_suffix(1);
  return said;
}

int RecallTable::LastStatementWith(std::string_view key) const {
  Slots candidates = (Slots{1} << count_) - 1;
  ForEachPair(key, [&](std::uint32_t hash) { candidates &= slotsWithPair_[hash]; });
  while (candidates != 0) {
    const int slot = std::bit_width(candidates) - 1;
    if (!IsQuestion(slot) && Contains(Line(slot), key)) return slot;
    candidates &= ~(Slots{1} << slot);
  }
  return -1;
}

void RecallTable::Sync(std::string_view memory) {
  if (SameText(memory, seen_)) return;
  if (!FollowOn(memory)) Rebuild(memory);
  seen_.assign(memory);
}

bool RecallTable::FollowOn(std::string_view memory) {
  if (count_ == 0) return false;
  // The same first line, then the old text from the start of one of its
  // lines (older ones dropped) or from its newest line, then what was added.
  const std::size_t headSize = lines_[0].Size;
  if (memory.size() < headSize || std::memcmp(memory.data(), seen_.data(), headSize) != 0) {
    return false;
  }
  const Entry& last = lines_[Index(count_ - 1)];
  const std::size_t newestStart = last.Offset + last.Size;
  int firstKept = 1;
  std::size_t keptFrom = 0;
  for (;; ++firstKept) {
    if (firstKept > count_) return false;
    keptFrom = firstKept < count_ ? lines_[Index(firstKept)].Offset : newestStart;
    const std::size_t keptSize = seen_.size() - keptFrom;
    if (memory.size() - headSize >= keptSize &&
        std::memcmp(memory.data() + headSize, seen_.data() + keptFrom, keptSize) == 0) {
      break;
    }
  }
  const std::size_t dropped = keptFrom - headSize;
  DropAfterFirst(firstKept);
  for (int slot = 1; slot < count_; ++slot) {
    lines_[Index(slot)].Offset -= static_cast<std::uint32_t>(dropped);
  }
  AppendClosedLines(memory, newestStart - dropped);
  return true;
}

void RecallTable::AppendClosedLines(std::string_view memory, std::size_t lineStart) {
  for (std::size_t end = memory.find(kMemoryLineStart, lineStart); end != std::string_view::npos;
       end = memory.find(kMemoryLineStart, lineStart)) {
    Append(memory, lineStart, end + 1);
    lineStart = end + 1;
  }
}

void RecallTable::Append(std::string_view memory, std::size_t from, std::size_t to) {
  // Only the latest lines are read: the oldest after slot 0 makes room.
  if (count_ == kRecallSlots) DropAfterFirst(2);
  const int slot = count_++;
  Entry& entry = lines_[Index(slot)];
  entry.Offset = static_cast<std::uint32_t>(from);
  entry.Size = static_cast<std::uint32_t>(to - from);
  const std::string_view line = memory.substr(from, to - from);
  entry.Question = Contains(TypePart(line), "Q");
  ForEachPair(line, [&](std::uint32_t hash) { slotsWithPair_[hash] |= Slots{1} << slot; });
}

void RecallTable::DropAfterFirst(int from) {
  const int dropped = from - 1;
  if (dropped <= 0) return;
  std::copy(lines_.begin() + from, lines_.begin() + count_, lines_.begin() + 1);
  count_ -= dropped;
  for (Slots& slots : slotsWithPair_) slots = (slots & 1u) | ((slots >> dropped) & ~Slots{1});
}

void RecallTable::Rebuild(std::string_view memory) {
  count_ = 0;
  slotsWithPair_.fill(0);
  const std::size_t first = memory.find(kMemoryLineStart);
  if (first == std::string_view::npos) return;
  Append(memory, 0, first + 1);
  AppendClosedLines(memory, first + 1);
}

}  // namespace velk
