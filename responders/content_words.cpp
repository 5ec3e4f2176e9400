#include "responders/content_words.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "base/text.h"
#include "base/word_index.h"
#include "language/numeric_text.h"

namespace velk {
namespace {

// Words too common to recall a statement by, compared whole.
// clang-format off
constexpr std::array<std::string_view, 63> kCommonWords = {
    "A",     "ABOUT", "ALL",    "AN",   "AND",  "ARE",   "AS",    "AT",
    "BE",    "BEEN",  "BUT",    "BY",   "CAN",  "DID",   "DO",    "FOR",
    "-GETGREET-",     "HAS",    "HAVE", "HE",   "HELLO", "HI",    "HOW",
    "I",     "IF",    "IN",     "IS",   "IT",   "KNOW",  "LESS",  "LIKE",
    "ME",    "MORE",  "MY",     "NAME", "NO",   "NOT",   "OF",    "ON",
    "OR",    "PLEASE","SHE",    "SO",   "TALK", "TELL",  "THANK", "THAT",
    "THE",   "THEM",  "THEN",   "THEY", "THIS", "TO",    "WANT",  "WAS",
    "WHAT",  "WHY",   "WITH",   "WOULD","YEAH", "YES",   "YOU",   "YOUR",
};
// clang-format on

constexpr WordIndex kCommonWordIndex(kCommonWords);

// The four operators, each a word of one character.
constexpr std::string_view kOperators = "+-*/";

bool IsOperator(std::string_view word) {
  return word.size() == 1 && kOperators.find(word.front()) != std::string_view::npos;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

// The value of `word` written back as "%.15g" would, but independent of the
// locale; negative zero is written "0".
std::string NumberWrittenBack(double value) {
  if (value == 0.0) return "0";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

// "0", or an optional minus and 1 to 15 digits without a leading zero: read
// exactly and written back unchanged (15 digits stay below 2^53 and below
// the exponent form), so a number without the detour through text. Most
// numbers in a conversation are such.
bool IsShortInteger(std::string_view word) {
  if (word == "0") return true;
  if (!word.empty() && word.front() == '-') word.remove_prefix(1);
  if (word.empty() || word.size() > 15 || word.front() == '0') return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "12" and "-3" are numbers; "007", "12A" and "1E3" are not, since they do
// not read back the same. A word that cannot start a number reads as 0, and
// "0" is not such a word, so it is settled without reading.
bool IsPlainNumber(std::string_view word) {
  if (IsShortInteger(word)) return true;
  if (word.empty()) return false;
  const char c = word.front();
  if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == ' ' || c == '\t' ||
        c == '\n')) {
    return false;
  }
  return word == NumberWrittenBack(LeadingNumber(word));
}

}  // namespace

bool IsContentWord(const ConversationState& state, std::string_view word) {
  return !kCommonWordIndex.Contains(word) && !IsOperator(word) &&
         !SameIgnoringCase(word, state.UserName) && !SameIgnoringCase(word, state.BotName) &&
         !IsPlainNumber(word);
}

}  // namespace velk
