// Numbers written as English words.
#ifndef VELK_LANGUAGE_NUMBER_WORDS_H_
#define VELK_LANGUAGE_NUMBER_WORDS_H_

#include <cstdint>
#include <string_view>

namespace velk {

// The running sum of the number words in `text` ("TWENTY FIVE" -> 25); 0 when
// there are none. Words are compared in upper case; a hundreds word ("ONE
// HUNDRED" to "SIX HUNDRED") sets the sum instead of adding. Digits are not
// number words. A sum past 32767 stays at 32767.
//   "TWO HUNDRED AND FIFTY SIX" -> 256, "SEVEN HUNDRED AND TWO" -> 2
std::int16_t ParseNumberWords(std::string_view text);

}  // namespace velk

#endif  // VELK_LANGUAGE_NUMBER_WORDS_H_
