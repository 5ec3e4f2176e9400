#include "language/number_words.h"

#include <algorithm>
#include <string>

#include "base/text.h"

namespace velk {
namespace {

// A number word adds its value to the sum; a hundreds word replaces the sum.
struct NumberWord {
  std::string_view Word;
  int Value;
  bool SetsSum;
};

// clang-format off
constexpr NumberWord kNumberWords[] = {
    {"ONE",       1, false}, {"TWO",       2, false}, {"THREE",     3, false},
    {"FOUR",      4, false}, {"FIVE",      5, false}, {"SIX",       6, false},
    {"SEVEN",     7, false}, {"EIGHT",     8, false}, {"NINE",      9, false},
    {"TEN",      10, false}, {"ELEVEN",   11, false}, {"TWELVE",   12, false},
    {"THIRTEEN", 13, false}, {"FORTEEN",  14, false}, {"FOURTEEN", 14, false},
    {"FIFTEEN",  15, false}, {"SIXTEEN",  16, false}, {"SEVENTEEN",17, false},
    {"EIGHTEEN", 18, false}, {"NINETEEN", 19, false},
    {"TWENTY",   20, false}, {"THIRTY",   30, false}, {"FORTY",    40, false},
    {"FIFTY",    50, false}, {"SIXTY",    60, false}, {"SEVENTY",  70, false},
    {"EIGHTY",   80, false}, {"NINETY",   90, false},
    // Made by joining "ONE HUNDRED" and so on; there are none above six.
    {"ONEHUNDRED",   100, true}, {"TWOHUNDRED",   200, true},
    {"THREEHUNDRED", 300, true}, {"FOURHUNDRED",  400, true},
    {"FIVEHUNDRED",  500, true}, {"SIXHUNDRED",   600, true},
};
// clang-format on

constexpr int kSumLimit = 32767;

// Cuts the next word off the front of `rest` (already trimmed). A word
// followed by exactly one blank and a word beginning with HUN is joined to it,
// so "TWO HUNDRED" reads as "TWOHUNDRED"; two blanks keep them apart.
std::string NextWord(std::string_view& rest) {
  const std::size_t blank = rest.find(' ');
  if (blank == std::string_view::npos) {
    std::string word(rest);
    rest = {};
    return word;
  }
  if (rest.substr(blank, 4) == " HUN") {
    const std::string_view after = rest.substr(blank + 1);
    const std::size_t next = after.find(' ');
    std::string word = std::string(rest.substr(0, blank)) + std::string(after.substr(0, next));
    rest = next == std::string_view::npos ? std::string_view{} : Trim(after.substr(next));
    return word;
  }
  std::string word(rest.substr(0, blank));
  rest = Trim(rest.substr(blank));
  return word;
}

}  // namespace

std::int16_t ParseNumberWords(std::string_view text) {
  // Works on its own upper-case copy, so the caller's text is never touched.
  const std::string upper = ToUpper(text);
  std::string_view rest = Trim(upper);
  int sum = 0;
  while (!rest.empty()) {
    const std::string word = NextWord(rest);
    for (const NumberWord& entry : kNumberWords) {
      if (entry.Word != word) continue;
      // A long enough text could pass the 16-bit range; the sum then stays at
      // its largest value instead of wrapping round to a negative number.
      sum = entry.SetsSum ? entry.Value : std::min(sum + entry.Value, kSumLimit);
      break;
    }
  }
  return static_cast<std::int16_t>(sum);
}

}  // namespace velk
