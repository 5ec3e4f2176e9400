// Numbers written as English words.
#ifndef VELK_LANGUAGE_NUMBER_WORDS_H_
#define VELK_LANGUAGE_NUMBER_WORDS_H_

#include <cstdint>
#include <string_view>

namespace velk {

// The running sum of the number words in `text` ("TWENTY FIVE" -> 25); 0 when
// there are none. Digits are not number words.
std::int16_t ParseNumberWords(std::string_view text);

}  // namespace velk

#endif  // VELK_LANGUAGE_NUMBER_WORDS_H_
