// The engine's view of time, handed in so that tests can fix it.
#ifndef VELK_BASE_CLOCK_H_
#define VELK_BASE_CLOCK_H_

namespace velk {

// A local calendar date and time of day.
struct LocalDateTime {
  int Year = 2000;
  int Month = 1;   // 1 to 12
  int Day = 1;     // 1 to 31
  int Hour = 0;    // 0 to 23
  int Minute = 0;  // 0 to 59
  int Second = 0;  // 0 to 59
};

class Clock {
 public:
  virtual ~Clock() = default;

  // Seconds since local midnight, as the single-precision timer value the
  // engine measures elapsed time and seeds its generator with.
  virtual float SecondsSinceMidnight() = 0;

  // The current local date and time.
  virtual LocalDateTime Now() = 0;
};

// The machine's local clock.
class SystemClock final : public Clock {
 public:
  float SecondsSinceMidnight() override;
  LocalDateTime Now() override;
};

// A clock that stands still at one moment, so that replays, tests and
// benchmarks give the same replies every time (no fallback ever lasts a
// second).
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime at = {2026, 12, 8, 14, 5, 9}) : at_(at) {}
  float SecondsSinceMidnight() override {
    return static_cast<float>(at_.Hour * 3600 + at_.Minute * 60 + at_.Second);
  }
  LocalDateTime Now() override { return at_; }

 private:
  LocalDateTime at_;
};

}  // namespace velk

#endif  // VELK_BASE_CLOCK_H_
