// Small text operations with the engine's fixed rules: ASCII-only case
// mapping, and trimming of the space character alone.
#ifndef VELK_BASE_TEXT_H_
#define VELK_BASE_TEXT_H_

#include <cstring>
#include <string>
#include <string_view>

namespace velk {

// One character mapped as ToUpper and ToLower map each: a to z only.
constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// Leading and trailing blanks removed (the space character only).
std::string_view Trim(std::string_view text);

// Whether `text` contains `key` (case-sensitive, anywhere). Every rule of
// the engine is such a test, so it checks the key's last character before
// comparing the rest. Long texts (the histories) are searched many positions
// at a time: key.size() >= 3 and text.size() >= key.size().
bool ContainsInLongText(std::string_view text, std::string_view key);

inline bool Contains(std::string_view text, std::string_view key) {
  if (key.empty()) return true;
  if (key.size() > text.size()) return false;
  if (text.size() >= 64 && key.size() >= 3) return ContainsInLongText(text, key);
  const char* const data = text.data();
  const std::size_t lastStart = text.size() - key.size();
  for (std::size_t pos = 0; pos <= lastStart; ++pos) {
    const void* hit = std::memchr(data + pos, key.front(), lastStart - pos + 1);
    if (hit == nullptr) return false;
    pos = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    if (data[pos + key.size() - 1] == key.back() &&
        std::memcmp(data + pos, key.data(), key.size()) == 0) {
      return true;
    }
  }
  return false;
}

// How many times `c` occurs in `text`, sixteen bytes at a time.
std::size_t CountChar(std::string_view text, char c);

// The first `limit` bytes of `text`, moved back (at most three bytes) so that
// it does not end inside a UTF-8 character.
std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t limit);

}  // namespace velk

#endif  // VELK_BASE_TEXT_H_
