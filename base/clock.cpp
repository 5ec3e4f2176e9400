#include "base/clock.h"

#include <ctime>

namespace velk {
namespace {

using std::chrono::days;
using std::chrono::seconds;

constexpr std::int64_t kSecondsPerDay = 86400;

// Seconds since 1970-01-01 00:00 of a broken-down time, read as if in UTC.
std::int64_t SecondsOf(const std::tm& t) {
  const std::chrono::year_month_day date{std::chrono::year{t.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(t.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(t.tm_mday)}};
  return std::chrono::sys_days{date}.time_since_epoch().count() * kSecondsPerDay +
         t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

// Local seconds since 1970 as the day they fall on and the time of that day.
struct DayAndTime {
  std::int64_t Day;   // since 1970-01-01
  int SinceMidnight;  // seconds
};

DayAndTime SplitDay(std::int64_t local) {
  const std::int64_t day = FloorDiv(local, kSecondsPerDay);
  return {day, static_cast<int>(local - day * kSecondsPerDay)};
}

}  // namespace

std::int64_t SystemClock::LocalSeconds(TimePoint at) {
  const std::int64_t second = std::chrono::floor<seconds>(at.time_since_epoch()).count();
  const std::int64_t minute = FloorDiv(second, 60);
  if (minute != minute_) {
    // localtime_r, unlike std::localtime, need not look at the zone again, so
    // tzset does: a zone changed on the machine is seen at the next minute.
    tzset();
    const std::time_t start = static_cast<std::time_t>(minute * 60);
    std::tm local{};
    offset_ = localtime_r(&start, &local) ? SecondsOf(local) - start : 0;
    minute_ = minute;
  }
  return second + offset_;
}

float SystemClock::SecondsSinceMidnightAt(TimePoint at) {
  const auto sinceEpoch = at.time_since_epoch();
  const double fraction =
      std::chrono::duration<double>(sinceEpoch - std::chrono::floor<seconds>(sinceEpoch)).count();
  return static_cast<float>(SplitDay(LocalSeconds(at)).SinceMidnight + fraction);
}

LocalDateTime SystemClock::LocalAt(TimePoint at) {
  const auto [day, sinceMidnight] = SplitDay(LocalSeconds(at));
  const std::chrono::year_month_day date{std::chrono::sys_days{days{day}}};
  return {static_cast<int>(date.year()),
          static_cast<int>(unsigned{date.month()}),
          static_cast<int>(unsigned{date.day()}),
          sinceMidnight / 3600,
          sinceMidnight / 60 % 60,
          sinceMidnight % 60};
}

}  // namespace velk
