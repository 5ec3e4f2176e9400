#include "language/synonyms.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(CanonicaliseWordTest, WholeWordCaseSensitiveLookup) {
  static const struct {
    const char* Label;
    const char* Word;
    const char* Expected;
  } kCases[] = {
      {"key", "COPS", "POLICE"},
      {"longer word holding a key", "COPSE", "COPSE"},
      {"shorter than a key", "COP", "COP"},
      {"lower case is no key", "Cops", "Cops"},
      {"filler dropped", "JUST", ""},
      {"swear word dropped", "BLOODY", ""},
      {"spoken operator", "AND", "+"},
      {"text speak U", "U", "YOU"},
      {"text speak R", "R", "ARE"},
      {"kept misspelling", "4TH", "FORTH"},
      {"apostrophe in key and result", "DAD'S", "FATHER'S"},
      {"single character result", "DIVIDE", "/"},
      {"first key of the table", "1ST", "FIRST"},
      {"last key of the table", "WIRES", "CABLES"},
      {"before every key", "0", "0"},
      {"after every key", "ZZZ", "ZZZ"},
      {"keys listed out of order", "COLOR", "COLOUR"},
      {"a canonical word is final", "POLICE", "POLICE"},
      {"empty word", "", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, CanonicaliseWord(c.Word)) << c.Label;
}

}  // namespace
}  // namespace velk
