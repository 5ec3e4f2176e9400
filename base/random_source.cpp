#include "base/random_source.h"

namespace velk {

int PickOneTo(RandomSource& random, int n) { return static_cast<int>(random.Draw() * n) + 1; }

void Mt19937Random::Seed(std::uint32_t seed) {
  state_[0] = seed;
  for (std::uint32_t i = 1; i < kStateWords; ++i) {
    const std::uint32_t previous = state_[i - 1];
    state_[i] = 1812433253u * (previous ^ (previous >> 30)) + i;
  }
  next_ = kDrawsPerRound;
}

void Mt19937Random::Refill() {
  constexpr std::size_t kShift = 397;  // the recurrence's middle term
  const auto twist = [](std::uint32_t word, std::uint32_t following, std::uint32_t middle) {
    const std::uint32_t joined = (word & 0x80000000u) | (following & 0x7fffffffu);
    return middle ^ (joined >> 1) ^ ((0u - (joined & 1u)) & 0x9908b0dfu);
  };
  // Split where the middle term wraps round, so that no index is reduced.
  std::size_t i = 0;
  for (; i < kStateWords - kShift; ++i) {
    state_[i] = twist(state_[i], state_[i + 1], state_[i + kShift]);
  }
  for (; i < kStateWords - 1; ++i) {
    state_[i] = twist(state_[i], state_[i + 1], state_[i + kShift - kStateWords]);
  }
  state_[i] = twist(state_[i], state_[0], state_[kShift - 1]);
  MakeDraws();
  next_ = 0;
}

void Mt19937Random::MakeDraws() {
  const auto temper = [](std::uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    return y ^ (y >> 18);
  };
  for (std::size_t i = 0; i < kDrawsPerRound; ++i) {
    // Both parts are below 2^27, so they convert exactly as signed numbers.
    const auto high = static_cast<std::int32_t>(temper(state_[2 * i]) >> 5);
    const auto low = static_cast<std::int32_t>(temper(state_[2 * i + 1]) >> 6);
    draws_[i] = (high * 67108864.0 + low) / 9007199254740992.0;
  }
}

void Mt19937Random::MoveTo(const Position& position) {
  state_ = position.Words;
  next_ = position.DrawsTaken;
  // The draws are made from the words when a round starts, so a round under
  // way has them made again; a spent or fresh state makes them at the next
  // draw.
  if (next_ < kDrawsPerRound) MakeDraws();
}

double Mt19937Random::Draw() {
  if (next_ == kDrawsPerRound) Refill();
  return draws_[next_++];
}

}  // namespace velk
