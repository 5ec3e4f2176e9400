#include "base/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velk {

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    c = UpperAscii(c);
  }
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    c = LowerAscii(c);
  }
  return out;
}

namespace {

// The text's characters from `pos` on against the key, once the first, second
// and last characters are known to match.
bool MatchesAt(const char* data, std::size_t pos, std::string_view key) {
  return std::memcmp(data + pos + 2, key.data() + 2, key.size() - 3) == 0;
}

#if defined(__SSE2__)
// Which of the sixteen characters from `at` on are `c` (sixteen copies).
__m128i Equal(const char* at, __m128i c) {
  return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), c);
}

// Sixteen starts at a time are tested on the key's first, second and last
// characters; only starts that pass all three are compared in full. Returns
// the first start not yet tested, or npos once the key is found.
std::size_t SearchBlocks(std::string_view text, std::string_view key) {
  const char* const data = text.data();
  const std::size_t length = key.size();
  const std::size_t starts = text.size() - length + 1;
  const __m128i first = _mm_set1_epi8(key[0]);
  const __m128i second = _mm_set1_epi8(key[1]);
  const __m128i last = _mm_set1_epi8(key.back());
  std::size_t pos = 0;
  for (; pos + 16 <= starts; pos += 16) {
    const __m128i hits =
        _mm_and_si128(_mm_and_si128(Equal(data + pos, first), Equal(data + pos + 1, second)),
                      Equal(data + pos + length - 1, last));
    for (auto mask = static_cast<std::uint32_t>(_mm_movemask_epi8(hits)); mask != 0;
         mask &= mask - 1) {
      if (MatchesAt(data, pos + static_cast<std::size_t>(std::countr_zero(mask)), key)) {
        return std::string_view::npos;
      }
    }
  }
  return pos;
}
#endif

}  // namespace

bool ContainsInLongText(std::string_view text, std::string_view key) {
  std::size_t pos = 0;
#if defined(__SSE2__)
  pos = SearchBlocks(text, key);
  if (pos == std::string_view::npos) return true;
#endif
  const char* const data = text.data();
  for (const std::size_t starts = text.size() - key.size() + 1; pos < starts; ++pos) {
    if (data[pos] == key[0] && data[pos + 1] == key[1] &&
        data[pos + key.size() - 1] == key.back() && MatchesAt(data, pos, key)) {
      return true;
    }
  }
  return false;
}

std::size_t CountChar(std::string_view text, char c) {
  std::size_t count = 0;
  std::size_t pos = 0;
#if defined(__SSE2__)
  // Each byte lane counts up to 255 matches (a match compares as -1), then
  // the lanes are summed into the total.
  const __m128i copies = _mm_set1_epi8(c);
  const __m128i zero = _mm_setzero_si128();
  while (pos + 16 <= text.size()) {
    __m128i lanes = zero;
    for (int round = 0; round < 255 && pos + 16 <= text.size(); ++round, pos += 16) {
      lanes = _mm_sub_epi8(lanes, Equal(text.data() + pos, copies));
    }
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) +
                                      _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
  }
#endif
  for (; pos < text.size(); ++pos) count += text[pos] == c;
  return count;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t cut = limit;
  const auto isContinuation = [&](std::size_t pos) {
    return (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80;
  };
  for (int step = 0; step < 3 && cut > 0 && isContinuation(cut); ++step) --cut;
  return text.substr(0, cut);
}

}  // namespace velk
