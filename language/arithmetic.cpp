#include "language/arithmetic.h"

namespace velk {

std::int16_t EvaluateArithmetic(std::string_view text) {
  (void)text;
  return 0;
}

}  // namespace velk
