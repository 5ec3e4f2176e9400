#include "responders/content_words.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(ContentWords, RejectsCommonWordsNumbersOperatorsAndNames) {
  ConversationState state;
  state.BotName = "Velk";
  state.UserName = "Bob";
  static const struct {
    const char* Label;
    const char* Word;
    bool Expected;
  } kCases[] = {
      // Common words are compared whole and case-sensitively.
      {"common word", "HELLO", false},
      {"first common word", "A", false},
      {"last common word", "YOUR", false},
      {"greeting marker", "-GETGREET-", false},
      {"common word plus s", "HELLOS", true},
      {"possessive", "YOURS", true},
      {"common word in lower case", "hello", true},
      {"plain content word", "CATS", true},
      // The speakers' names, in any case.
      {"bot name", "VELK", false},
      {"user name", "BOB", false},
      {"longer than a name", "BOBBY", true},
      // Numbers only in the form they are written back in.
      {"integer", "42", false},
      {"negative", "-3", false},
      {"zero", "0", false},
      {"decimal", "1.5", false},
      {"ordinal", "42ND", true},
      {"fifteen digits", "123456789012345", false},
      {"sixteen digits are written back shorter", "1234567890123456", true},
      {"negative fifteen digits", "-999999999999999", false},
      {"leading zeros", "007", true},
      {"number then letter", "12A", true},
      {"explicit plus sign", "+5", true},
      {"bare fraction", ".5", true},
      {"exponent", "1E3", true},
      {"negative zero is written 0", "-0", true},
      {"too large for a double", "1E999", true},
      // Only the four operators.
      {"plus", "+", false},
      {"minus", "-", false},
      {"times", "*", false},
      {"divide", "/", false},
      {"equals", "=", true},
      {"letter x", "X", true},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.Expected, IsContentWord(state, c.Word)) << c.Label << ": " << c.Word;
  }
}

TEST(ContentWords, NamesFollowTheState) {
  ConversationState state;
  state.BotName = "Tavro";
  EXPECT_TRUE(IsContentWord(state, "VELK")) << "only the current bot name is rejected";
  EXPECT_FALSE(IsContentWord(state, "TAVRO"));
  state.UserName = "mAry";
  EXPECT_FALSE(IsContentWord(state, "MARY"));
  EXPECT_FALSE(IsContentWord(state, "mary"));
}

}  // namespace
}  // namespace velk
