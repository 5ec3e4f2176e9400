// Small text operations with the engine's fixed rules: ASCII-only case
// mapping, and trimming of the space character alone.
#ifndef VELK_ENGINE_TEXT_H_
#define VELK_ENGINE_TEXT_H_

#include <string>
#include <string_view>

namespace velk {

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// Leading and trailing blanks removed (the space character only).
std::string_view Trim(std::string_view text);

// Whether `text` contains `key` (case-sensitive, anywhere).
inline bool Contains(std::string_view text, std::string_view key) {
  return text.find(key) != std::string_view::npos;
}

// The first `limit` bytes of `text`, moved back (at most three bytes) so that
// it does not end inside a UTF-8 character.
std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t limit);

}  // namespace velk

#endif  // VELK_ENGINE_TEXT_H_
