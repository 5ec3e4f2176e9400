#include "engine/text.h"

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
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool ContainsInLongText(std::string_view text, std::string_view key) {
  const std::size_t length = key.size();
  const char* const data = text.data();
  const std::size_t lastStart = text.size() - length;
  std::size_t pos = 0;
#if defined(__SSE2__)
  // Sixteen starts at a time: those whose first and last characters both
  // match the key's are compared in full.
  const __m128i first = _mm_set1_epi8(key.front());
  const __m128i last = _mm_set1_epi8(key.back());
  for (; pos + 16 <= lastStart + 1; pos += 16) {
    const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const __m128i atLast =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos + length - 1));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, last))));
    while (mask != 0) {
      const std::size_t at = pos + static_cast<std::size_t>(std::countr_zero(mask));
      if (std::memcmp(data + at + 1, key.data() + 1, length - 2) == 0) return true;
      mask &= mask - 1;
    }
  }
#endif
  for (; pos <= lastStart; ++pos) {
    if (data[pos] == key.front() && data[pos + length - 1] == key.back() &&
        std::memcmp(data + pos + 1, key.data() + 1, length - 2) == 0) {
      return true;
    }
  }
  return false;
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
