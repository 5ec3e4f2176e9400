// Small sums typed by the user.
#ifndef VELK_LANGUAGE_ARITHMETIC_H_
#define VELK_LANGUAGE_ARITHMETIC_H_

#include <cstdint>
#include <string_view>

namespace velk {

// Evaluates "2+3*4" strictly left to right (20, not 14), rounding to a 16-bit
// integer after every step; number words count as their values ("TWO+TWO" ->
// 4). 0 means no sum, and is also the result when a step divides by zero or
// leaves -32768..32767. Only + - * / are operators; text needing more than 20
// operator and operand slots is read as far as the twentieth.
std::int16_t EvaluateArithmetic(std::string_view text);

}  // namespace velk

#endif  // VELK_LANGUAGE_ARITHMETIC_H_
