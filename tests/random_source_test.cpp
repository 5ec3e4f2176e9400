#include "engine/random_source.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace velk {
namespace {

TEST(Mt19937RandomTest, FirstDrawsMatchTheFixedSequence) {
  static const struct {
    std::uint32_t Seed;
    double Draws[3];
  } kCases[] = {
      {1, {0.417022004702574, 0.7203244934421581, 0.00011437481734488664}},
      {42, {0.3745401188473625, 0.9507143064099162, 0.7319939418114051}},
  };
  for (const auto& c : kCases) {
    Mt19937Random random(c.Seed);
    for (double expected : c.Draws) EXPECT_DOUBLE_EQ(expected, random.Draw()) << "seed " << c.Seed;
  }
}

TEST(Mt19937RandomTest, ReseedingRestartsTheSequence) {
  Mt19937Random random(7);
  const double first = random.Draw();
  random.Draw();
  random.Seed(7);
  EXPECT_EQ(first, random.Draw());
}

TEST(PickOneToTest, MapsDrawsOntoOneToN) {
  static const struct {
    double Draw;
    int N;
    int Expected;
  } kCases[] = {
      {0.0, 40, 1},       {0.024999, 40, 1}, {0.025, 40, 2},
      {0.999999, 40, 40}, {0.5, 1, 1},       {0.9999999999, 17, 17},
  };
  for (const auto& c : kCases) {
    testing::ScriptedRandom random{c.Draw};
    EXPECT_EQ(c.Expected, PickOneTo(random, c.N)) << c.Draw << " of " << c.N;
  }
}

}  // namespace
}  // namespace velk
