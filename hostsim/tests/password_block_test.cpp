#include "hostsim/password_block.h"

#include <gtest/gtest.h>

#include "hostsim/testing/host_requests.h"

namespace lumvex::hostsim {
namespace {

using testing::PasswordBlockAt;

constexpr std::time_t kNow = 1700000000;

TEST(ClockDigits, HourMinuteSecondMonthDayThenTimeAgain) {
  EXPECT_EQ(ClockDigits({2024, 3, 3, 14, 5, 9}), "1405090303140509");
}

TEST(MixPasswordBlock, AtMidnightOnFirstJanuaryOnlyMonthAndDayBytesChange) {
  const auto block = MixPasswordBlock("123456ffffffffff", ClockDigits({2024, 1, 1, 0, 0, 0}));
  ASSERT_TRUE(block);
  EXPECT_EQ(*block, "123456fefeffffff");
  // Mixing twice gives the padded password back.
  EXPECT_EQ(MixPasswordBlock(*block, ClockDigits({2024, 1, 1, 0, 0, 0})), "123456ffffffffff");
  EXPECT_FALSE(MixPasswordBlock("123456ffffffffxx", "0000000000000000"));
}

TEST(RecoverPassword, FindsBlocksMadeWithinTheWindowEitherSide) {
  for (const int skew : {0, 1, -1, 59, -60, 120, -120}) {
    EXPECT_EQ(RecoverPassword(PasswordBlockAt("042917", kNow + skew), kNow), "042917") << skew;
  }
  for (const int skew : {121, -121, 3600}) {
    EXPECT_FALSE(RecoverPassword(PasswordBlockAt("042917", kNow + skew), kNow)) << skew;
  }
}

TEST(RecoverPassword, RefusesWhatNoClientMakes) {
  std::string upper = PasswordBlockAt("042917", kNow);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_NE(upper.find_first_of("ABCDEF"), std::string::npos);  // the month byte always mixes to letters
  EXPECT_FALSE(RecoverPassword(upper, kNow));
  EXPECT_FALSE(RecoverPassword("0123", kNow));
  EXPECT_FALSE(RecoverPassword(PasswordBlockAt("04291a", kNow), kNow));  // not six decimal digits
  EXPECT_FALSE(RecoverPassword("zzzzzzzzzzzzzzzz", kNow));
}

}  // namespace
}  // namespace lumvex::hostsim
