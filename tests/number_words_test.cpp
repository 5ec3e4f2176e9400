#include "language/number_words.h"

#include <string>

#include "tests/test_support.h"

namespace velk {
namespace {

TEST(NumberWordsTest, Sums) {
  static const struct {
    const char* Text;
    int Expected;
  } kCases[] = {
      // Running sum over every word, known or not.
      {"TWENTY FIVE", 25},
      {"FIVE AND TWENTY", 25},
      {"I HAVE TWO DOGS AND THREE CATS", 5},
      {"  NINETEEN   ", 19},
      {"FORTEEN", 14},
      {"FOURTEEN", 14},
      {"FOURTY", 0},
      {"forty two", 42},  // compared in upper case
      // Hundreds words replace the sum.
      {"ONE HUNDRED AND FIVE", 105},
      {"TWO HUNDRED AND FIFTY SIX", 256},
      {"TWENTY ONE HUNDRED", 100},
      {"ONE HUNDRED", 100},
      {"ABOUT SIX HUNDRED", 600},
      {"SIX HUNDRED TWO HUNDRED", 200},
      {"ONE HUNDRED ", 100},
      {"SEVEN HUNDRED", 0},  // no word above six hundred
      {"SEVEN HUNDRED AND TWO", 2},
      {"TWO HUNGRY DOGS", 0},  // any word beginning with HUN joins
      {"THREE HUNDREDS", 0},
      {"HUNDRED", 0},
      {"A HUNDRED", 0},
      {"ONE  HUNDRED", 1},           // two blanks: no join
      {"ONE HUNDRED HUNDRED", 100},  // one join per word
      // Not number words.
      {"", 0},
      {"   ", 0},
      {"25", 0},
      {"TWENTYFIVE", 0},
      {"TWO,", 0},
      {"ONE\tTWO", 0},  // only the blank separates words
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, ParseNumberWords(c.Text)) << c.Text;
}

TEST(NumberWordsTest, LeavesTheCallersTextAsItWas) {
  const std::string text = "forty two";
  EXPECT_EQ(42, ParseNumberWords(text));
  EXPECT_EQ("forty two", text);
}

TEST(NumberWordsTest, LongSumsStopAtTheLargest16BitValue) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "NINETY ";  // 36000
  EXPECT_EQ(32767, ParseNumberWords(text));
  EXPECT_EQ(100, ParseNumberWords(text + "ONE HUNDRED")) << "a hundreds word still sets the sum";
  EXPECT_EQ(32767, ParseNumberWords(text + "ONE HUNDRED " + text));
}

}  // namespace
}  // namespace velk
