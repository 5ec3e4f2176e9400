// A rule's test, written as text on the rule's row and split into its keys
// when the rule tables are compiled.
#ifndef VELK_RESPONDERS_RULE_TEST_H_
#define VELK_RESPONDERS_RULE_TEST_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/text.h"

namespace velk {

// Legend of the text: "" always; "A|B" either; "A&B" both; "!A" not A; &
// binds tighter than |, so "(A or B) and C" is written "A&C|B&C". Every key
// is a case-sensitive substring, blanks included, with no regard to word
// edges. A test of more than MaxTerms keys does not compile.
template <std::size_t MaxTerms>
class RuleTest {
 public:
  struct Term {
    std::string_view Key;
    bool Negated = false;
    bool StartsAlternative = false;  // the first key after a |
    // The key's number in a table that searches for all its keys at once
    // (see NumberKeys); unused otherwise.
    std::uint16_t Number = 0;
  };

  // Implicit, so that a row holds the test's text.
  consteval RuleTest(const char* text) {
    const std::string_view whole(text);
    if (whole.empty()) return;
    std::size_t start = 0;
    bool startsAlternative = true;
    for (std::size_t i = 0; i <= whole.size(); ++i) {
      if (i < whole.size() && whole[i] != '|' && whole[i] != '&') continue;
      std::string_view key = whole.substr(start, i - start);
      const bool negated = !key.empty() && key.front() == '!';
      if (negated) key.remove_prefix(1);
      if (count_ == MaxTerms) throw "a test has more keys than its RuleTest holds";
      terms_[count_++] = {key, negated, startsAlternative};
      startsAlternative = i < whole.size() && whole[i] == '|';
      start = i + 1;
    }
  }

  constexpr std::span<const Term> Terms() const { return {terms_.data(), count_}; }

  // Whether the test holds, given has(term): whether the text holds the
  // term's key. has is asked only while the answer is still open.
  template <typename HasKey>
  constexpr bool Holds(HasKey has) const {
    if (count_ == 0) return true;
    bool all = true;
    for (std::size_t i = 0; i < count_; ++i) {
      const Term& term = terms_[i];
      if (term.StartsAlternative && i > 0) {
        if (all) return true;
        all = true;
      }
      if (all && has(term) == term.Negated) all = false;
    }
    return all;
  }

  bool HoldsFor(std::string_view sentence) const {
    return Holds([sentence](const Term& term) { return Contains(sentence, term.Key); });
  }

  // Gives every key its number: its position in `keys`, which must hold it.
  consteval void NumberKeys(std::span<const std::string_view> keys) {
    for (std::size_t i = 0; i < count_; ++i) {
      std::size_t number = 0;
      while (number < keys.size() && keys[number] != terms_[i].Key) ++number;
      if (number == keys.size()) throw "a key of the test is missing from the numbered keys";
      terms_[i].Number = static_cast<std::uint16_t>(number);
    }
  }

 private:
  std::array<Term, MaxTerms> terms_{};
  std::size_t count_ = 0;
};

}  // namespace velk

#endif  // VELK_RESPONDERS_RULE_TEST_H_
