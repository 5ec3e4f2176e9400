// The engine's view of time, handed in so that tests can fix it.
#ifndef VELK_BASE_CLOCK_H_
#define VELK_BASE_CLOCK_H_

#include <chrono>
#include <cstdint>
#include <limits>

namespace velk {

// A local calendar date and time of day.
struct LocalDateTime {
  int Year = 2000;
  int Month = 1;   // 1 to 12
  int Day = 1;     // 1 to 31
  int Hour = 0;    // 0 to 23
  int Minute = 0;  // 0 to 59
  int Second = 0;  // 0 to 59

  bool operator==(const LocalDateTime&) const = default;
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

// The machine's local clock. The engine reads it at least twice a reply, so a
// reading costs no system call: asking the C library for local time checks
// the zone file each time (when TZ is unset), while the zone's offset from
// UTC changes only on whole minutes. So the offset is looked up once a
// minute, and a zone changed on the machine is seen from the next minute on.
class SystemClock final : public Clock {
 public:
  using TimePoint = std::chrono::system_clock::time_point;

  float SecondsSinceMidnight() override {
    return SecondsSinceMidnightAt(std::chrono::system_clock::now());
  }
  LocalDateTime Now() override { return LocalAt(std::chrono::system_clock::now()); }

  // The readings at a given instant.
  float SecondsSinceMidnightAt(TimePoint at);
  LocalDateTime LocalAt(TimePoint at);

 private:
  // Local seconds since 1970-01-01 00:00 at the start of the second `at`
  // falls in.
  std::int64_t LocalSeconds(TimePoint at);

  std::int64_t minute_ = std::numeric_limits<std::int64_t>::min();  // of the offset, UTC
  std::int64_t offset_ = 0;                                         // local minus UTC, in seconds
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
