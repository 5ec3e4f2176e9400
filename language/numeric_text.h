// Reading numbers out of text and writing them into replies.
#ifndef VELK_LANGUAGE_NUMERIC_TEXT_H_
#define VELK_LANGUAGE_NUMERIC_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velk {

// The number at the start of `text`. Blanks, tabs and line feeds are skipped
// wherever they stand ("1 2" is 12); then an optional sign, digits with an
// optional point and fraction, and an optional exponent (E or D in either
// case, optional sign, digits; a marker without digits ends the number before
// it). No number gives 0; a value too large for a double is infinite.
//   "25 YEARS" -> 25, " 2.5" -> 2.5, "1E3" -> 1000, "YOU ARE 25" -> 0
double LeadingNumber(std::string_view text);

// The nearest 16-bit integer, a half going to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). Empty when the rounded value lies outside
// -32768..32767 or `value` is not a number.
std::optional<std::int16_t> RoundToInt16(double value);

// A number as replies show it: a blank in the sign position unless negative.
//   25 -> " 25", -5 -> "-5", 0 -> " 0"
std::string NumberText(int value);

}  // namespace velk

#endif  // VELK_LANGUAGE_NUMERIC_TEXT_H_
