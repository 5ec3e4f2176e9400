// The first names the persona knows, with their sex.
#ifndef VELK_IDENTITY_FIRST_NAMES_H_
#define VELK_IDENTITY_FIRST_NAMES_H_

#include <span>
#include <string>
#include <string_view>

#include "conversation/conversation_state.h"

namespace velk {

// The built-in first names: upper-case words of the letters A to Z, each group
// in alphabetical order, no name in two groups. Fixed for the whole run. The
// lookup below reads its own hashed copy; this one is for tests.
struct FirstNameGroups {
  std::span<const std::string_view> Male;
  std::span<const std::string_view> Female;
  std::span<const std::string_view> Either;  // either sex: no gender
};
extern const FirstNameGroups FirstNameTable;

// Whether `word` is a known first name. The comparison ignores case, leading
// and trailing blanks, and every ".", "?" and "," (even inside the word).
// Sets NameGender on every call: "M" or "F", empty for a name of either sex
// or no name. On success re-cases `word` in place as passed, blanks and marks
// kept: first byte upper case, the rest lower case ("john." -> "John.").
// On failure `word` is left as it was. Allocates nothing.
bool LookupFirstName(ConversationState& state, std::string& word);

// The same for a word inside a longer text, re-cased in place.
bool LookupFirstName(ConversationState& state, std::span<char> word);

}  // namespace velk

#endif  // VELK_IDENTITY_FIRST_NAMES_H_
