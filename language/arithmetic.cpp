#include "language/arithmetic.h"

#include <array>
#include <optional>
#include <string>

#include "base/text.h"
#include "language/number_words.h"
#include "language/numeric_text.h"

namespace velk {
namespace {

constexpr int kTokenSlots = 20;

// Slots 1 to 20; index 0 is unused so that the numbering reads as written.
using TokenSlots = std::array<std::string, kTokenSlots + 1>;

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

// Every operator gets a slot of its own; the characters between operators
// share one. What would go beyond the last slot is ignored.
TokenSlots CutIntoSlots(std::string_view text) {
  TokenSlots slots;
  int k = 1;
  for (const char c : text) {
    if (IsOperator(c)) {
      if (!slots[k].empty()) ++k;
      if (k > kTokenSlots) break;
      slots[k] = c;
      ++k;
      if (k > kTokenSlots) break;
    } else {
      slots[k] += c;
    }
  }
  return slots;
}

// Number words become digits ("TWO" -> "2"); the last slot is left as cut.
void PrepareSlots(TokenSlots& slots) {
  for (int j = 1; j < kTokenSlots; ++j) {
    const std::int16_t value = ParseNumberWords(slots[j]);
    if (value != 0) slots[j] = std::to_string(value);
    slots[j] = std::string(Trim(slots[j]));
  }
}

// One step; empty when it divides by zero or leaves the 16-bit range.
std::optional<std::int16_t> Apply(char op, double result, double operand) {
  switch (op) {
    case '+':
      return RoundToInt16(result + operand);
    case '-':
      return RoundToInt16(result - operand);
    case '*':
      return RoundToInt16(result * operand);
    default:
      return operand == 0.0 ? std::nullopt : RoundToInt16(result / operand);
  }
}

}  // namespace

std::int16_t EvaluateArithmetic(std::string_view text) {
  TokenSlots slots = CutIntoSlots(text);
  PrepareSlots(slots);

  // Strictly left to right, rounded after every step. A step with no sound
  // result makes the whole sum unreadable, which the caller takes as no sum.
  std::int16_t result = 0;
  for (int j = 1; j < kTokenSlots; ++j) {
    std::optional<std::int16_t> step;
    if (slots[j].size() == 1 && IsOperator(slots[j][0])) {
      step = Apply(slots[j][0], result, LeadingNumber(slots[j + 1]));
    } else if (j == 1) {
      step = RoundToInt16(LeadingNumber(slots[1]));
    } else {
      continue;
    }
    if (!step) return 0;
    result = *step;
  }
  return result;
}

}  // namespace velk
