#include <gtest/gtest.h>

#include "core/clock.h"

namespace lumvex {
namespace {

TEST(ClockTest, LocalTimeHasFourDigitYearAndOneBasedMonth) {
  setenv("TZ", "UTC", 1);
  tzset();
  // 2000-03-01 12:34:56 UTC
  const auto t = ToLocalTime(951914096);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(*t, (LocalTime{2000, 3, 1, 12, 34, 56}));
}

TEST(ClockTest, FixedClockCanReportNoTime) {
  FixedClock clock(std::nullopt);
  EXPECT_FALSE(clock.Now().has_value());
  clock.Set(LocalTime{2001, 1, 5, 0, 0, 0});
  EXPECT_EQ(clock.Now()->day, 5);
}

}  // namespace
}  // namespace lumvex
