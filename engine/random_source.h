// The engine's one source of chance, handed in by whoever builds the engine so
// that tests can force every draw.
#ifndef VELK_ENGINE_RANDOM_SOURCE_H_
#define VELK_ENGINE_RANDOM_SOURCE_H_

#include <cstdint>
#include <random>

namespace velk {

class RandomSource {
 public:
  virtual ~RandomSource() = default;

  // Restarts the sequence from a 32-bit seed.
  virtual void Seed(std::uint32_t seed) = 0;

  // Returns a value uniformly distributed in [0, 1).
  virtual double Draw() = 0;
};

// Int(r * n) + 1 for one fresh draw r: a whole number from 1 to n, each equally
// likely. REQUIRES: n > 0.
int PickOneTo(RandomSource& random, int n);

// MT19937 with a 53-bit draw made of two successive outputs a and b:
// ((a >> 5) * 2^26 + (b >> 6)) / 2^53. Seed 1 gives 0.417022004702574 first.
class Mt19937Random final : public RandomSource {
 public:
  explicit Mt19937Random(std::uint32_t seed = 5489u) : generator_(seed) {}

  void Seed(std::uint32_t seed) override { generator_.seed(seed); }
  double Draw() override;

 private:
  std::mt19937 generator_;
};

}  // namespace velk

#endif  // VELK_ENGINE_RANDOM_SOURCE_H_
