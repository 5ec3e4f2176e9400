// Finding a word among a fixed list of words without comparing it with each.
#ifndef VELK_BASE_WORD_INDEX_H_
#define VELK_BASE_WORD_INDEX_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velk {

// A hash index over a word list, built at compile time, so that the list
// itself stays in the order it is maintained in. Every word of every sentence
// is looked up in a few of these, and most are in none of them: a miss
// usually costs one hash and one look at an empty bucket.
//
//   constexpr WordIndex<3> kIndex({"A", "THE", "AN"});
//   kIndex.Find("THE") == 1;  kIndex.Find("THEM") == kIndex.kNotFound;
//
// The words are compared whole and case-sensitively. A repeated word is found
// at its first row.
template <std::size_t N>
class WordIndex {
 public:
  static constexpr std::size_t kNotFound = N;

  // REQUIRES: `words` lives as long as the index (a constexpr table does).
  constexpr explicit WordIndex(const std::array<std::string_view, N>& words) : words_(words) {
    for (std::size_t row = 0; row < N; ++row) {
      if (Find(words[row]) != kNotFound) continue;  // a repeat
      std::size_t bucket = Hash(words[row]) & kMask;
      while (buckets_[bucket] != 0) bucket = (bucket + 1) & kMask;
      buckets_[bucket] = static_cast<std::uint16_t>(row + 1);
    }
  }

  // The row of `word` in the list, or kNotFound.
  constexpr std::size_t Find(std::string_view word) const {
    for (std::size_t bucket = Hash(word) & kMask; buckets_[bucket] != 0;
         bucket = (bucket + 1) & kMask) {
      const std::size_t row = buckets_[bucket] - 1u;
      if (words_[row] == word) return row;
    }
    return kNotFound;
  }

  constexpr bool Contains(std::string_view word) const { return Find(word) != kNotFound; }

 private:
  // At most a quarter of the buckets filled keeps the probe runs short.
  static constexpr std::size_t kBuckets = std::bit_ceil(4 * N + 4);
  static constexpr std::size_t kMask = kBuckets - 1;
  static_assert(N < 0xFFFF, "rows are kept in 16 bits");

  // FNV-1a; the length goes in first so that words of different lengths part
  // early.
  static constexpr std::uint32_t Hash(std::string_view word) {
    std::uint32_t hash = 2166136261u ^ static_cast<std::uint32_t>(word.size());
    for (const char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash ^ (hash >> 15);
  }

  const std::array<std::string_view, N>& words_;
  std::array<std::uint16_t, kBuckets> buckets_{};  // row + 1; 0 marks an empty bucket
};

}  // namespace velk

#endif  // VELK_BASE_WORD_INDEX_H_
