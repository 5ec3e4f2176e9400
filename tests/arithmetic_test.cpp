#include "language/arithmetic.h"

#include <string>

#include "tests/test_support.h"

namespace velk {
namespace {

TEST(ArithmeticTest, Sums) {
  static const struct {
    const char* Text;
    int Expected;
  } kCases[] = {
      // Strictly left to right, no precedence.
      {"2+3*4", 20},
      {"10-4-3", 3},
      {"TWO+TWO", 4},
      {"two*three", 6},
      {"TEN/TWO", 5},
      {"ONE HUNDRED AND FIVE-5", 100},
      {"2 + 3", 5},
      // Rounding after every step, halves to even.
      {"7/2*2", 8},
      {"5/2", 2},
      {"7/2", 4},
      {"1/3", 0},
      {"2.5*2", 4},
      {"3.5", 4},
      // Operators at the edges and in a row.
      {"-5", -5},
      {"+5", 5},
      {"5+", 5},
      {"2++3", 5},
      {"2+-3", -1},  // adding the "-" slot adds 0, then 3 is subtracted
      {"*5", 0},
      // No operator: slot 1 alone.
      {"12", 12},
      {"", 0},
      {"TWOTIMESTHREE", 0},    // only + - * / are operators
      {"TWO TIMES THREE", 5},  // one operand, whose number words add up
      {"TWENTYFIVE+1", 1},
      {"10-10", 0},
      // The 16-bit range, at and beyond its ends.
      {"32767", 32767},
      {"32768", 0},
      {"-32768", -32768},
      {"-32767-1", -32768},
      {"-32767-2", 0},
      {"32767+0.4", 32767},
      {"32767+0.5", 0},  // 32767.5 rounds to the even 32768
      {"30000*2", 0},
      {"30000*2/4", 0},  // an overflowing step spoils the whole sum
      {"1E10", 0},
      // Division by zero, however it arises.
      {"5/0", 0},
      {"0/0", 0},
      {"5/", 0},
      {"5/X", 0},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, EvaluateArithmetic(c.Text)) << c.Text;
}

TEST(ArithmeticTest, IgnoresWhatWouldGoBeyondTheTwentiethSlot) {
  std::string ones = "1";
  for (int i = 0; i < 40; ++i) ones += "+1";  // 40 operators, 81 slots wanted
  EXPECT_EQ(10, EvaluateArithmetic(ones)) << "ten ones fit in slots 1 to 19";

  EXPECT_EQ(0, EvaluateArithmetic(std::string(40, '+')));
  EXPECT_EQ(0, EvaluateArithmetic(std::string(40, '-') + "5"));

  // Slot 20 is read as the last operand but not prepared: digits count there,
  // number words do not.
  std::string nineteen = "+";
  for (int i = 0; i < 9; ++i) nineteen += "0+";
  EXPECT_EQ(7, EvaluateArithmetic(nineteen + "7+100"));
  EXPECT_EQ(0, EvaluateArithmetic(nineteen + "SEVEN"));
  EXPECT_EQ(7, EvaluateArithmetic(nineteen + " 7 "));
}

}  // namespace
}  // namespace velk
