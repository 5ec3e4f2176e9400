#include "engine/random_source.h"

namespace velk {

int PickOneTo(RandomSource& random, int n) { return static_cast<int>(random.Draw() * n) + 1; }

double Mt19937Random::Draw() {
  const std::uint32_t a = generator_() >> 5;
  const std::uint32_t b = generator_() >> 6;
  return (a * 67108864.0 + b) / 9007199254740992.0;
}

}  // namespace velk
