// The engine's one source of chance, handed in by whoever builds the engine so
// that tests can force every draw.
#ifndef VELK_ENGINE_RANDOM_SOURCE_H_
#define VELK_ENGINE_RANDOM_SOURCE_H_

#include <array>
#include <cstddef>
#include <cstdint>

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
// The outputs are those of std::mt19937 seeded alike. They are made here a
// whole state at a time in 32-bit words, so that the compiler vectorises both
// the refill and the tempering.
class Mt19937Random final : public RandomSource {
 public:
  explicit Mt19937Random(std::uint32_t seed = 5489u) { Seed(seed); }

  void Seed(std::uint32_t seed) override;
  double Draw() override;

 private:
  static constexpr std::size_t kStateWords = 624;

  // The next output, refilling when all are used.
  std::uint32_t Next();
  // Advances the state by one whole round and tempers it into outputs_.
  void Refill();

  std::array<std::uint32_t, kStateWords> state_;
  std::array<std::uint32_t, kStateWords> outputs_;
  std::size_t next_ = kStateWords;  // index of the next unused output
};

}  // namespace velk

#endif  // VELK_ENGINE_RANDOM_SOURCE_H_
