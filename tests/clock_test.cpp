#include "base/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace velk {

void PrintTo(const LocalDateTime& t, std::ostream* out) {
  *out << t.Year << '-' << t.Month << '-' << t.Day << ' ' << t.Hour << ':' << t.Minute << ':'
       << t.Second;
}

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using TimePoint = SystemClock::TimePoint;

// Sets TZ for one test and puts the old value back.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (old_) {
      setenv("TZ", old_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

// What the C library says for each reading, computed as the clock always did.
std::tm LocalTm(TimePoint at) {
  const std::time_t t = std::chrono::system_clock::to_time_t(at);
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

float ExpectedSecondsSinceMidnight(TimePoint at) {
  const std::tm local = LocalTm(at);
  const auto sinceEpoch = at.time_since_epoch();
  const double fraction =
      std::chrono::duration<double>(sinceEpoch - std::chrono::floor<seconds>(sinceEpoch)).count();
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

LocalDateTime ExpectedLocal(TimePoint at) {
  const std::tm l = LocalTm(at);
  return {l.tm_year + 1900, l.tm_mon + 1, l.tm_mday, l.tm_hour, l.tm_min, l.tm_sec};
}

// One clock reads instants from two and a half minutes before a change of
// the zone's offset to as long after, in steps that fall on every second of
// a minute; each reading must be what the C library gives.
TEST(SystemClockTest, ReadsAsTheCLibraryAcrossChangesOfOffset) {
  static const struct {
    const char* Zone;
    std::time_t Change;  // UTC
    const char* What;
    bool OffsetChanges;
  } kCases[] = {
      {"Europe/London", 1774746000, "2026-03-29 01:00 GMT becomes 02:00 BST", true},
      {"Europe/London", 1792890000, "2026-10-25 02:00 BST becomes 01:00 GMT", true},
      {"Australia/Lord_Howe", 1775314800, "2026-04-05 02:00 +11 becomes 01:30 +1030", true},
      {"America/St_Johns", 1793507400, "2026-11-01 02:00 NDT becomes 01:00 NST", true},
      {"Europe/London", 1798761600, "2026 becomes 2027 at midnight", false},
      {"UTC", 1798761600, "2026 becomes 2027 at midnight", false},
  };
  for (const auto& c : kCases) {
    ZoneGuard zone(c.Zone);
    SystemClock clock;
    const TimePoint change = std::chrono::system_clock::from_time_t(c.Change);
    // Without the zone's data (tzdata) every zone would read as UTC.
    EXPECT_EQ(c.OffsetChanges, LocalTm(change - seconds(1)).tm_gmtoff != LocalTm(change).tm_gmtoff)
        << c.Zone << ", " << c.What;
    for (auto step = milliseconds(-150'000); step <= milliseconds(150'000);
         step += milliseconds(7'250)) {
      const TimePoint at = change + step;
      SCOPED_TRACE(testing::Message()
                   << c.Zone << ", " << c.What << ", at " << step.count() << " ms");
      EXPECT_EQ(ExpectedLocal(at), clock.LocalAt(at));
      EXPECT_EQ(ExpectedSecondsSinceMidnight(at), clock.SecondsSinceMidnightAt(at));
    }
  }
}

// A zone changed while the program runs is seen from the next minute on.
TEST(SystemClockTest, SeesAChangedZoneAtTheNextMinute) {
  const TimePoint noon =
      std::chrono::system_clock::from_time_t(1781438400);  // 2026-06-14 12:00 UTC
  SystemClock clock;
  {
    ZoneGuard zone("UTC");
    EXPECT_EQ(12, clock.LocalAt(noon).Hour);
  }
  ZoneGuard zone("Europe/London");
  EXPECT_EQ(13, clock.LocalAt(noon + std::chrono::minutes(1)).Hour);
}

}  // namespace
}  // namespace velk
