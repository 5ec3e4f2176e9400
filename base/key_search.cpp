#include "base/key_search.h"

#include <algorithm>
#include <cassert>
#include <initializer_list>

namespace velk {

KeySearch::KeySearch(std::span<const std::string_view> keys) {
  assert(keys.size() <= KeyHits::kMaxKeys);

  // Only the bytes the keys use need columns of their own; every other byte
  // sends the search back to the start.
  for (std::string_view key : keys) {
    for (const char c : key) {
      std::uint16_t& cls = byteClass_[static_cast<unsigned char>(c)];
      if (cls == 0) cls = static_cast<std::uint16_t>(classCount_++);
    }
  }
  const std::size_t width = classCount_;
  const auto classOf = [this](char c) { return byteClass_[static_cast<unsigned char>(c)]; };

  // The trie of the keys; state 0 is the empty prefix. A state's parent is
  // always older than the state.
  constexpr std::int32_t kNone = -1;
  std::size_t totalLength = 0;
  for (std::string_view key : keys) totalLength += key.size();
  std::vector<std::int32_t> child(width, kNone);
  child.reserve((totalLength + 1) * width);
  std::vector<std::size_t> parent(1, 0);
  std::vector<std::uint16_t> lastClass(1, 0);  // of the move from the parent
  std::vector<std::size_t> depth(1, 0);
  // The keys that end exactly at a state: a chain through nextEnding.
  constexpr std::size_t kNoKey = static_cast<std::size_t>(-1);
  std::vector<std::size_t> firstEnding(1, kNoKey);
  std::vector<std::size_t> nextEnding(keys.size(), kNoKey);
  for (std::size_t k = 0; k < keys.size(); ++k) {
    if (keys[k].empty()) {
      alwaysHit_.Set(k);
      continue;
    }
    std::size_t state = 0;
    for (const char c : keys[k]) {
      std::int32_t& next = child[state * width + classOf(c)];
      if (next == kNone) {
        next = static_cast<std::int32_t>(parent.size());
        parent.push_back(state);
        lastClass.push_back(classOf(c));
        depth.push_back(depth[state] + 1);
        firstEnding.push_back(kNoKey);
        child.resize(child.size() + width, kNone);
      }
      state = static_cast<std::size_t>(child[state * width + classOf(c)]);
    }
    nextEnding[k] = firstEnding[state];
    firstEnding[state] = k;
  }
  const std::size_t stateCount = parent.size();

  // The states by depth, so that each is handled after every shorter one.
  std::vector<std::size_t> byDepth;
  byDepth.reserve(stateCount);
  {
    std::vector<std::size_t> firstOfDepth(stateCount + 1, 0);
    for (std::size_t s = 0; s < stateCount; ++s) ++firstOfDepth[depth[s] + 1];
    for (std::size_t d = 1; d <= stateCount; ++d) firstOfDepth[d] += firstOfDepth[d - 1];
    byDepth.resize(stateCount);
    for (std::size_t s = 0; s < stateCount; ++s) byDepth[firstOfDepth[depth[s]]++] = s;
  }

  // Each state's fallback, the longest proper suffix of it in the trie, and
  // so the keys it ends: its own and its fallback's.
  std::vector<std::size_t> fallback(stateCount, 0);
  std::vector<char> ends(stateCount, 0);  // whether a state ends any key
  for (const std::size_t s : byDepth) {
    if (s == 0) continue;
    if (depth[s] >= 2) {
      std::size_t f = fallback[parent[s]];
      while (f != 0 && child[f * width + lastClass[s]] == kNone) f = fallback[f];
      const std::int32_t next = child[f * width + lastClass[s]];
      fallback[s] = next == kNone ? 0 : static_cast<std::size_t>(next);
    }
    ends[s] = firstEnding[s] != kNoKey || ends[fallback[s]] != 0;
  }

  // Renumber: the states that end no key first (the start stays 0), then
  // those that do, so that one comparison tells them apart.
  std::vector<std::size_t> renumbered(stateCount);
  std::vector<std::size_t> order;
  order.reserve(stateCount);
  for (const bool last : {false, true}) {
    for (std::size_t s = 0; s < stateCount; ++s) {
      if ((ends[s] != 0) == last) {
        renumbered[s] = order.size();
        order.push_back(s);
      }
    }
  }
  std::size_t firstEndingState = 0;
  while (firstEndingState < stateCount && ends[order[firstEndingState]] == 0) ++firstEndingState;
  firstEndingRow_ = static_cast<std::uint32_t>(firstEndingState * width);

  endsBegin_.reserve(stateCount + 1);
  for (const std::size_t old : order) {
    endsBegin_.push_back(static_cast<std::uint32_t>(ends_.size()));
    for (std::size_t s = old; ends[s] != 0; s = fallback[s]) {
      for (std::size_t k = firstEnding[s]; k != kNoKey; k = nextEnding[k]) {
        ends_.push_back(static_cast<std::uint16_t>(k));
      }
    }
  }
  endsBegin_.push_back(static_cast<std::uint32_t>(ends_.size()));

  // The table of moves, in the new numbering, a depth at a time: a state's
  // row starts as a copy of its fallback's row, which is shallower and so
  // already complete, and then takes the state's own moves, to the states one
  // deeper. The start's row starts as all moves back to the start.
  moves_.assign(stateCount * width, 0);
  const auto rowOf = [&](std::size_t s) { return &moves_[renumbered[s] * width]; };
  for (std::size_t i = 0, next = 0; i < stateCount; i = next) {
    while (next < stateCount && depth[byDepth[next]] == depth[byDepth[i]]) ++next;
    for (std::size_t j = i; j < next; ++j) {
      const std::size_t s = byDepth[j];
      if (s != 0) std::copy_n(rowOf(fallback[s]), width, rowOf(s));
    }
    for (std::size_t j = next; j < stateCount && depth[byDepth[j]] == depth[byDepth[i]] + 1; ++j) {
      const std::size_t s = byDepth[j];
      rowOf(parent[s])[lastClass[s]] = static_cast<std::uint32_t>(renumbered[s] * width);
    }
  }
}

}  // namespace velk
