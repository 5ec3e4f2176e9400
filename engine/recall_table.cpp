#include "engine/recall_table.h"

#include <algorithm>
#include <cstring>

#include "engine/text.h"

namespace velk {
namespace {

constexpr char kLineStart = '\r';

std::string_view TypePart(std::string_view line) {
  const std::size_t colon = line.find(':');
  return colon == std::string_view::npos ? std::string_view{} : line.substr(0, colon + 1);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

RecallTable::Signature RecallTable::PairsOf(std::string_view text) {
  Signature pairs{};
  for (std::size_t i = 1; i < text.size(); ++i) {
    const std::uint32_t pair = static_cast<std::uint32_t>(static_cast<unsigned char>(text[i - 1]))
                                   << 8 |
                               static_cast<unsigned char>(text[i]);
    const std::uint32_t bit = (pair * 0x9E3779B1u) >> 24;
    pairs[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  return pairs;
}

std::string_view RecallTable::Line(int slot) const {
  const Entry& entry = lines_[Index(slot)];
  return std::string_view(seen_).substr(entry.Offset, entry.Size);
}

std::string_view RecallTable::SaidText(int slot) const {
  const std::string_view line = Line(slot);
  const std::size_t colon = line.find(':');
  std::string_view said = colon == std::string_view::npos ? line : line.substr(colon + 1);
  if (!said.empty() && said.back() == kLineStart) said.remove_suffix(1);
  return said;
}

int RecallTable::LastStatementWith(std::string_view key) const {
  const Signature wanted = PairsOf(key);
  for (int slot = count_ - 1; slot >= 0; --slot) {
    const Entry& entry = lines_[Index(slot)];
    if (!entry.Question && MayHold(entry.Pairs, wanted) && Contains(Line(slot), key)) return slot;
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
  int count = 1;
  for (int slot = firstKept; slot < count_; ++slot) {
    Entry entry = lines_[Index(slot)];
    entry.Offset -= static_cast<std::uint32_t>(dropped);
    lines_[Index(count++)] = entry;
  }
  count_ = count;
  std::size_t lineStart = newestStart - dropped;
  for (std::size_t end = memory.find(kLineStart, lineStart); end != std::string_view::npos;
       end = memory.find(kLineStart, lineStart)) {
    Append(memory, lineStart, end + 1);
    lineStart = end + 1;
  }
  return true;
}

void RecallTable::Append(std::string_view memory, std::size_t from, std::size_t to) {
  // Only the latest lines are read: the oldest after slot 0 makes room.
  if (count_ == kRecallSlots) {
    std::copy(lines_.begin() + 2, lines_.end(), lines_.begin() + 1);
    --count_;
  }
  Entry& entry = lines_[Index(count_++)];
  entry.Offset = static_cast<std::uint32_t>(from);
  entry.Size = static_cast<std::uint32_t>(to - from);
  const std::string_view line = memory.substr(from, to - from);
  entry.Question = Contains(TypePart(line), "Q");
  entry.Pairs = PairsOf(line);
}

void RecallTable::Rebuild(std::string_view memory) {
  count_ = 0;
  const std::size_t first = memory.find(kLineStart);
  if (first == std::string_view::npos) return;
  Append(memory, 0, first + 1);
  for (std::size_t lineStart = first + 1, end = memory.find(kLineStart, lineStart);
       end != std::string_view::npos; end = memory.find(kLineStart, lineStart)) {
    Append(memory, lineStart, end + 1);
    lineStart = end + 1;
  }
}

}  // namespace velk
