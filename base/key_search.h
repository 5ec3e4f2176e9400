// Many fixed keys looked for in one text at once.
#ifndef VELK_BASE_KEY_SEARCH_H_
#define VELK_BASE_KEY_SEARCH_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/set_bits.h"

namespace velk {

// Which keys of a KeySearch a text contains: bit i stands for key i.
class KeyHits {
 public:
  static constexpr std::size_t kMaxKeys = 256;

  bool Has(std::size_t key) const { return (bits_[key / 64] >> (key % 64)) & 1u; }
  void Set(std::size_t key) { bits_[key / 64] |= std::uint64_t{1} << (key % 64); }

  // Calls f(key) for every key held, in increasing order.
  template <typename F>
  void ForEach(F f) const {
    ForEachSetBit(bits_, f);
  }

 private:
  std::array<std::uint64_t, kMaxKeys / 64> bits_{};
};

// A fixed set of keys, searched for in a text in one pass that costs the same
// whatever the number of keys: the rule tables test a sentence against a
// hundred keys or more, and most of them are absent. Find() answers for every
// key exactly as Contains(text, key) does: case-sensitive bytes, anywhere,
// overlaps allowed, and an empty key is always contained.
//
// Built once (an Aho-Corasick automaton unrolled into a table of moves, over
// the bytes the keys use); it does not change afterwards.
class KeySearch {
 public:
  // REQUIRES: keys.size() <= KeyHits::kMaxKeys. The keys' text need not
  // outlive the search.
  explicit KeySearch(std::span<const std::string_view> keys);

  KeyHits Find(std::string_view text) const {
    KeyHits hits = alwaysHit_;
    std::uint32_t row = 0;
    for (const char c : text) {
      row = moves_[row + byteClass_[static_cast<unsigned char>(c)]];
      // Rows that end a key come last, so most bytes stop at this test.
      if (row < firstEndingRow_) continue;
      const std::size_t state = row / classCount_;
      for (std::uint32_t i = endsBegin_[state]; i < endsBegin_[state + 1]; ++i) {
        hits.Set(ends_[i]);
      }
    }
    return hits;
  }

 private:
  std::array<std::uint16_t, 256> byteClass_{};  // 0: a byte no key holds
  std::uint32_t classCount_ = 1;
  // Indexed by a state's row (state * classCount_) plus a byte class; holds
  // the row of the next state.
  std::vector<std::uint32_t> moves_;
  std::uint32_t firstEndingRow_ = 0;
  // The keys that end in state s, their own and those of shorter suffixes:
  // ends_[endsBegin_[s] .. endsBegin_[s + 1]).
  std::vector<std::uint32_t> endsBegin_;
  std::vector<std::uint16_t> ends_;
  KeyHits alwaysHit_;  // the empty keys
};

}  // namespace velk

#endif  // VELK_BASE_KEY_SEARCH_H_
