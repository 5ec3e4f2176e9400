// Walking the set bits of a fixed row of 64-bit words.
#ifndef VELK_BASE_SET_BITS_H_
#define VELK_BASE_SET_BITS_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace velk {

// Calls f(i) for every set bit i of `words` (bit i is bit i % 64 of word
// i / 64), in increasing order; the cost follows the set bits, not the size.
template <std::size_t N, typename F>
void ForEachSetBit(const std::array<std::uint64_t, N>& words, F f) {
  for (std::size_t i = 0; i < N; ++i) {
    for (std::uint64_t bits = words[i]; bits != 0; bits &= bits - 1) {
      f(i * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }
  }
}

}  // namespace velk

#endif  // VELK_BASE_SET_BITS_H_
