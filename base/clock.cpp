#include "base/clock.h"

#include <chrono>
#include <ctime>

namespace velk {
namespace {

// std::localtime shares one buffer; the engine runs on one thread, and the
// copy is taken at once.
std::tm LocalTime(std::time_t t) { return *std::localtime(&t); }

}  // namespace

float SystemClock::SecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const std::tm local = LocalTime(t);
  const auto sinceEpoch = now.time_since_epoch();
  const double fraction = std::chrono::duration<double>(
                              sinceEpoch - std::chrono::floor<std::chrono::seconds>(sinceEpoch))
                              .count();
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

LocalDateTime SystemClock::Now() {
  const std::tm local = LocalTime(std::time(nullptr));
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace velk
