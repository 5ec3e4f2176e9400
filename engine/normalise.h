// The first stage of a reply: the caller's line made into the working text.
#ifndef VELK_ENGINE_NORMALISE_H_
#define VELK_ENGINE_NORMALISE_H_

#include <string>
#include <string_view>

namespace velk {

// Upper case; doubled blanks, "..", "!!" and "??" collapsed; "N;T" repaired;
// five emoticons removed; contractions written out in full. Into `text`,
// whose buffer is reused; its old content is replaced.
void NormaliseInput(std::string_view line, std::string& text);

// For tests and benchmarks: the same as a new string.
std::string NormaliseInput(std::string_view line);

}  // namespace velk

#endif  // VELK_ENGINE_NORMALISE_H_
