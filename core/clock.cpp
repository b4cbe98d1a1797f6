#include "core/clock.h"

namespace lumvex {

std::optional<LocalTime> ToLocalTime(std::time_t t) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return std::nullopt;
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::optional<LocalTime> SystemClock::Now() const { return ToLocalTime(std::time(nullptr)); }

const SystemClock& SystemClock::Instance() {
  static const SystemClock clock;
  return clock;
}

}  // namespace lumvex
