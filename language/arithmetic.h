// Small sums typed by the user.
#ifndef VELK_LANGUAGE_ARITHMETIC_H_
#define VELK_LANGUAGE_ARITHMETIC_H_

#include <cstdint>
#include <string_view>

namespace velk {

// Evaluates "2+3*4" strictly left to right, rounding after every step; 0 means
// no sum.
std::int16_t EvaluateArithmetic(std::string_view text);

}  // namespace velk

#endif  // VELK_LANGUAGE_ARITHMETIC_H_
