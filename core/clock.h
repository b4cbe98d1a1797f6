#pragma once

#include <ctime>
#include <optional>

namespace lumvex {

// Broken-down local time with a four-digit year and a month of 1 to 12.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const LocalTime&) const = default;
};

// Where "now" comes from, so that tests can fix today and the clock digits.
class Clock {
 public:
  virtual ~Clock() = default;
  // Empty when the local time cannot be had.
  virtual std::optional<LocalTime> Now() const = 0;
};

class SystemClock : public Clock {
 public:
  std::optional<LocalTime> Now() const override;
  static const SystemClock& Instance();
};

// A clock that stands still at a given time (or reports no time at all).
class FixedClock : public Clock {
 public:
  explicit FixedClock(std::optional<LocalTime> now) : now_(now) {}
  std::optional<LocalTime> Now() const override { return now_; }
  void Set(std::optional<LocalTime> now) { now_ = now; }

 private:
  std::optional<LocalTime> now_;
};

std::optional<LocalTime> ToLocalTime(std::time_t t);

}  // namespace lumvex
