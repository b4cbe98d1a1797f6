#include "core/decimal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>

namespace lumvex {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(DecimalTest, LeadingDecimalReadsAsPercentLdAndSaturates) {
  struct Case {
    const char* text;
    std::int64_t value;
    bool hasDigits;
  } cases[] = {
      {"42", 42, true},       {"  \t7 files", 7, true},    {"-12x", -12, true},
      {"+3", 3, true},        {"x1", 0, false},             {"", 0, false},
      {"-", 0, false},        {"99999999999999999999999", kMax, true},
      {"-99999999999999999999999", -kMax, true},
  };
  for (const Case& c : cases) {
    const LeadingDecimal read = ReadLeadingDecimal(c.text);
    EXPECT_EQ(read.value, c.value) << c.text;
    EXPECT_EQ(read.hasDigits, c.hasDigits) << c.text;
  }
  EXPECT_EQ(ReadLeadingInt("99999999999"), INT_MAX);
  EXPECT_EQ(ReadLeadingInt("-99999999999"), INT_MIN);
  EXPECT_EQ(ReadLeadingInt("3660\r"), 3660);
}

TEST(DecimalTest, FieldsHoldANumberAndNothingElse) {
  EXPECT_EQ(ReadDigits("00512"), 512);
  EXPECT_EQ(ReadDigits("0000000000000000000000000001"), 1);
  EXPECT_EQ(ReadDigits("99999999999999999999"), kMax);
  for (const char* bad : {"", " 1", "1 ", "+1", "1a", "\0"}) EXPECT_FALSE(ReadDigits(bad)) << bad;

  EXPECT_EQ(ReadDecimalField("      640"), 640u);
  EXPECT_EQ(ReadDecimalField("640      "), 640u);
  for (const char* bad : {"", "         ", "  6 40", "-640", "640x"}) EXPECT_FALSE(ReadDecimalField(bad)) << bad;
}

}  // namespace
}  // namespace lumvex
