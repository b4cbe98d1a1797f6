// Whatever the host's encoder writes, with any of its options, the decoder
// gives back byte for byte.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "lzw/lzw_decoder.h"
#include "lzw/lzw_encoder.h"
#include "lzw/lzw_format.h"
#include "lzw/tests/lzw_test_streams.h"

namespace lumvex::lzw {
namespace {

using testing::RandomBytes;
using testing::SkewedBytes;

std::string AllByteValues() {
  std::string out;
  for (int round = 0; round < 3; ++round) {
    for (int c = 0; c < 256; ++c) out.push_back(static_cast<char>(round == 1 ? 255 - c : c));
  }
  return out;
}

struct RoundTrip {
  const char* name;
  std::string data;
  EncoderOptions options;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, DecodesWhatWasEncoded) {
  const RoundTrip& c = GetParam();
  const std::string stream = EncodeLzw(c.data, c.options);
  std::string decoded;
  const DecodeResult result = DecodeLzw(stream, decoded);
  ASSERT_TRUE(result.ok()) << result.failureText;
  ASSERT_EQ(decoded.size(), c.data.size());
  EXPECT_TRUE(decoded == c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, RoundTripTest,
    ::testing::Values(
        RoundTrip{"empty", "", {}},
        RoundTrip{"one_byte", "A", {}},
        // Every new code is the one just being defined.
        RoundTrip{"same_byte_run", std::string(5000, 'a'), {}},
        RoundTrip{"abababa", "abababababababababab", {}},
        RoundTrip{"all_byte_values", AllByteValues(), {}},
        // Enough codes to fill the dictionary many times over.
        RoundTrip{"random_3mb_natural_resets", RandomBytes(3 << 20, 1), {}},
        RoundTrip{"skewed_2mb", SkewedBytes(2 << 20, 2), {}},
        RoundTrip{"reset_after_every_code", SkewedBytes(4000, 3), {.resetAfterCodes = 1}},
        RoundTrip{"reset_after_300_codes", SkewedBytes(200000, 4), {.resetAfterCodes = 300}},
        RoundTrip{"widen_early", SkewedBytes(300000, 5), {.widenAhead = 40}},
        RoundTrip{"widen_to_16_at_start", SkewedBytes(100000, 6), {.extraWidthBits = 7}},
        RoundTrip{"widen_beyond_16_is_capped", SkewedBytes(100000, 7), {.extraWidthBits = 20}},
        RoundTrip{"all_options", RandomBytes(500000, 8),
                  {.resetAfterCodes = 1000, .widenAhead = 3, .extraWidthBits = 2}}),
    [](const ::testing::TestParamInfo<RoundTrip>& p) { return std::string(p.param.name); });

TEST(EncoderTest, EmptyDataIsTheEndCodeAlone) { EXPECT_EQ(EncodeLzw(""), std::string("\x80\x00", 2)); }

TEST(EncoderTest, NaturalStreamWidensOnlyWhenACodeNeedsIt) {
  // 'a' runs make codes 259, 260, ...: the first code past 511 needs the bump.
  const std::string stream = EncodeLzw(std::string(300000, 'a'));
  const std::string early = EncodeLzw(std::string(300000, 'a'), {.widenAhead = 100});
  EXPECT_LT(stream.size(), early.size());
}

TEST(EncoderTest, ForcedResetsCostSpace) {
  const std::string data = SkewedBytes(100000, 9);
  EXPECT_LT(EncodeLzw(data).size(), EncodeLzw(data, {.resetAfterCodes = 50}).size());
}

}  // namespace
}  // namespace lumvex::lzw
