#include "language/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velk {
namespace {

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  static const struct {
    const char* Text;
    double Expected;
  } kCases[] = {
      {"25 YEARS", 25}, {" 2.5", 2.5},  {"1 2", 12},   {"YOU ARE 25", 0}, {"", 0},
      {"-5", -5},       {"+7", 7},      {"- 5", -5},   {"\t1\n2", 12},    {"3.", 3},
      {".5", 0.5},      {"-.5", -0.5},  {".", 0},      {"-", 0},          {"1E3", 1000},
      {"1e3", 1000},    {"2D2", 200},   {"2d-1", 0.2}, {"1E", 1},         {"1E+", 1},
      {"5EX", 5},       {"1.5.5", 1.5}, {"007", 7},    {"12A", 12},       {"0X1A", 0},
      {"1 E 2", 100},   {"1,000", 1},   {"--5", 0},
  };
  for (const auto& c : kCases) EXPECT_DOUBLE_EQ(c.Expected, LeadingNumber(c.Text)) << c.Text;
}

TEST(LeadingNumberTest, HugeValuesAreInfiniteAndTinyOnesZero) {
  EXPECT_EQ(std::numeric_limits<double>::infinity(), LeadingNumber("1E999"));
  EXPECT_EQ(-std::numeric_limits<double>::infinity(), LeadingNumber("-1E999"));
  EXPECT_EQ(std::numeric_limits<double>::infinity(), LeadingNumber(std::string(400, '9')));
  EXPECT_EQ(0.0, LeadingNumber("1E-999"));
  EXPECT_EQ(0.0, LeadingNumber("0." + std::string(400, '0') + "1"));
}

TEST(RoundToInt16Test, RoundsHalvesToEven) {
  static const struct {
    double Value;
    int Expected;
  } kCases[] = {
      {2.5, 2},       {3.5, 4},       {-2.5, -2},       {-3.5, -4},       {0.4999, 0},
      {1.5000001, 2}, {32767, 32767}, {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768},
  };
  for (const auto& c : kCases) {
    const auto rounded = RoundToInt16(c.Value);
    ASSERT_TRUE(rounded.has_value()) << c.Value;
    EXPECT_EQ(c.Expected, *rounded) << c.Value;
  }
}

TEST(RoundToInt16Test, ReportsValuesOutsideTheRange) {
  for (double value :
       {32768.0, 32767.5, -32769.0, -32768.6, 1e300, std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_FALSE(RoundToInt16(value).has_value()) << value;
  }
}

TEST(NumberTextTest, WritesASignPosition) {
  EXPECT_EQ(" 25", NumberText(25));
  EXPECT_EQ(" 0", NumberText(0));
  EXPECT_EQ("-5", NumberText(-5));
  EXPECT_EQ("-32768", NumberText(-32768));
}

}  // namespace
}  // namespace velk
