// The engine's view of time, handed in so that tests can fix it.
#ifndef VELK_ENGINE_CLOCK_H_
#define VELK_ENGINE_CLOCK_H_

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

}  // namespace velk

#endif  // VELK_ENGINE_CLOCK_H_
