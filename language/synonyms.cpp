#include "language/synonyms.h"

namespace velk {

std::string CanonicaliseWord(std::string_view word) { return std::string(word); }

}  // namespace velk
