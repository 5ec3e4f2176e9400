// Canonical spellings of the user's words.
#ifndef VELK_LANGUAGE_SYNONYMS_H_
#define VELK_LANGUAGE_SYNONYMS_H_

#include <string_view>

namespace velk {

// The word's canonical form by whole-word, case-sensitive lookup; a word that
// is no key comes back unchanged (the result then views `word` itself), and
// three keys give the empty string.
std::string_view CanonicaliseWord(std::string_view word);

}  // namespace velk

#endif  // VELK_LANGUAGE_SYNONYMS_H_
