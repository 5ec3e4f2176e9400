// The engine's one source of chance, handed in by whoever builds the engine so
// that tests can force every draw.
#ifndef VELK_BASE_RANDOM_SOURCE_H_
#define VELK_BASE_RANDOM_SOURCE_H_

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
// The outputs are those of std::mt19937 seeded alike. A whole round of them
// (624) is made at once in 32-bit words and turned straight into its 312
// draws: the compiler vectorises all of it, and a draw only reads a value.
class Mt19937Random final : public RandomSource {
 public:
  static constexpr std::size_t kStateWords = 624;
  static constexpr std::size_t kDrawsPerRound = kStateWords / 2;
  static_assert(kStateWords % 2 == 0, "a draw never takes outputs of two rounds");

  // Where the sequence stands: the state words, and how many draws of the
  // round they make have been taken (kDrawsPerRound: none left, the next draw
  // starts a new round). Two generators at the same position draw alike.
  struct Position {
    std::array<std::uint32_t, kStateWords> Words;
    std::size_t DrawsTaken;
  };

  explicit Mt19937Random(std::uint32_t seed = 5489u) { Seed(seed); }
  explicit Mt19937Random(const Position& position) { MoveTo(position); }

  void Seed(std::uint32_t seed) override;
  double Draw() override;

  Position Where() const { return {state_, next_}; }
  // REQUIRES: position.DrawsTaken <= kDrawsPerRound.
  void MoveTo(const Position& position);

 private:
  // Advances the state by one whole round and makes its draws.
  void Refill();
  // The draws of the round the state words hold.
  void MakeDraws();

  std::array<std::uint32_t, kStateWords> state_;
  std::array<double, kDrawsPerRound> draws_;
  std::size_t next_ = kDrawsPerRound;  // index of the next unused draw
};

}  // namespace velk

#endif  // VELK_BASE_RANDOM_SOURCE_H_
