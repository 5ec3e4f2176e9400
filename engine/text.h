// Small text operations with the engine's fixed rules: ASCII-only case
// mapping, and trimming of the space character alone.
#ifndef VELK_ENGINE_TEXT_H_
#define VELK_ENGINE_TEXT_H_

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace velk {

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

// A text tested against many keys in a row. It remembers which pairs of
// adjacent characters it holds, so that a key whose first or last pair is
// missing is ruled out without a search: most keys of a rule table are absent
// from any one sentence. Contains() answers exactly as the free function.
class SearchText {
 public:
  explicit SearchText(std::string_view text) : text_(text) {
    for (std::size_t i = 1; i < text.size(); ++i) Mark(text[i - 1], text[i]);
  }

  bool Contains(std::string_view key) const {
    if (key.size() >= 2 && (!Marked(key[0], key[1]) || !Marked(key[key.size() - 2], key.back()))) {
      return false;
    }
    return velk::Contains(text_, key);
  }

 private:
  static std::size_t Pair(char a, char b) {
    return (static_cast<unsigned char>(a) * 31u + static_cast<unsigned char>(b)) % 1024u;
  }
  void Mark(char a, char b) {
    const std::size_t pair = Pair(a, b);
    pairs_[pair / 64] |= std::uint64_t{1} << (pair % 64);
  }
  bool Marked(char a, char b) const {
    const std::size_t pair = Pair(a, b);
    return (pairs_[pair / 64] >> (pair % 64)) & 1u;
  }

  std::string_view text_;
  std::array<std::uint64_t, 16> pairs_{};
};

// The first `limit` bytes of `text`, moved back (at most three bytes) so that
// it does not end inside a UTF-8 character.
std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t limit);

}  // namespace velk

#endif  // VELK_ENGINE_TEXT_H_
