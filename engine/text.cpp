#include "engine/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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
  // Horspool's search: after a mismatch, move on by how far the text's
  // character under the key's end stands from the key's end. Shifts are
  // capped at 255, which only makes some moves shorter.
  const std::size_t length = key.size();
  std::array<std::uint8_t, 256> shift;
  shift.fill(static_cast<std::uint8_t>(std::min<std::size_t>(length, 255)));
  for (std::size_t i = 0; i + 1 < length; ++i) {
    shift[static_cast<unsigned char>(key[i])] =
        static_cast<std::uint8_t>(std::min<std::size_t>(length - 1 - i, 255));
  }
  const char last = key.back();
  for (std::size_t pos = 0; pos + length <= text.size();) {
    const char under = text[pos + length - 1];
    if (under == last && std::memcmp(text.data() + pos, key.data(), length - 1) == 0) return true;
    pos += shift[static_cast<unsigned char>(under)];
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
