#include "language/number_words.h"

namespace velk {

std::int16_t ParseNumberWords(std::string_view text) {
  (void)text;
  return 0;
}

}  // namespace velk
