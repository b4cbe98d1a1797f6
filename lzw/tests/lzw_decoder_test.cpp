// The decoder on hand-made streams: control codes, the end of the input,
// damaged streams, and the file-level results.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/testing/temp_dir.h"
#include "lzw/lzw_decoder.h"
#include "lzw/lzw_encoder.h"
#include "lzw/lzw_format.h"
#include "lzw/tests/lzw_test_streams.h"

namespace lumvex::lzw {
namespace {

using testing::CodeStream;
using Codes = std::vector<std::pair<std::uint32_t, int>>;

DecodeResult Decode(const std::string& stream, std::string& out) { return DecodeLzw(stream, out); }

struct GoodStream {
  const char* name;
  std::string stream;
  std::string expected;
};

void PrintTo(const GoodStream& c, std::ostream* os) { *os << c.name; }

class GoodStreamTest : public ::testing::TestWithParam<GoodStream> {};

TEST_P(GoodStreamTest, Decodes) {
  std::string out;
  const DecodeResult result = Decode(GetParam().stream, out);
  ASSERT_TRUE(result.ok()) << result.failureText;
  EXPECT_EQ(out, GetParam().expected);
}

Codes Widened(int bumps, Codes tail) {
  Codes codes{{'x', 9}};
  for (int i = 0; i < bumps; ++i) codes.push_back({kWidenCode, 9 + i});
  codes.insert(codes.end(), tail.begin(), tail.end());
  return codes;
}

std::string Repeat(std::uint32_t code, std::size_t count, std::uint32_t last) {
  Codes codes(count, {code, 9});
  codes.push_back({last, 9});
  return CodeStream(codes);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, GoodStreamTest,
    ::testing::Values(
        GoodStream{"end_code_only", std::string("\x80\x00", 2), ""},
        GoodStream{"code_equal_to_next_code", CodeStream({{'a', 9}, {259, 9}, {256, 9}}), "aaa"},
        GoodStream{"chained_strings", CodeStream({{'a', 9}, {'b', 9}, {259, 9}, {261, 9}, {256, 9}}), "abababa"},
        GoodStream{"reset_mid_stream_starts_afresh",
                   CodeStream({{'a', 9}, {'b', 9}, {kResetCode, 9}, {'c', 9}, {259, 9}, {256, 9}}), "abccc"},
        GoodStream{"reset_brings_width_back_to_9",
                   CodeStream({{'a', 9}, {kWidenCode, 9}, {'b', 10}, {kResetCode, 10}, {'c', 9}, {256, 9}}), "abc"},
        GoodStream{"six_bumps_make_15_bits",
                   CodeStream(Widened(6, {{'y', 15}, {kResetCode, 15}, {'z', 9}, {256, 9}})), "xyz"},
        GoodStream{"bits_after_the_end_code_ignored", CodeStream({{'q', 9}, {256, 9}}) + "\xFF\xFF", "q"},
        // The last free slot is 35,022: the dictionary may fill exactly.
        GoodStream{"dictionary_filled_to_the_last_code", Repeat('a', kDictionarySize - kFirstFreeCode + 1, 256),
                   std::string(kDictionarySize - kFirstFreeCode + 1, 'a')}),
    [](const ::testing::TestParamInfo<GoodStream>& p) { return std::string(p.param.name); });

struct BadStream {
  const char* name;
  std::string stream;
  std::string failure;  // a piece of the text
  std::string decodedBefore;
};

void PrintTo(const BadStream& c, std::ostream* os) { *os << c.name; }

class BadStreamTest : public ::testing::TestWithParam<BadStream> {};

TEST_P(BadStreamTest, FailsWithAClearText) {
  std::string out;
  const DecodeResult result = Decode(GetParam().stream, out);
  EXPECT_EQ(result.code, kDecodeFailed);
  EXPECT_NE(result.failureText.find(GetParam().failure), std::string::npos) << result.failureText;
  EXPECT_EQ(out, GetParam().decodedBefore);
}

std::string Truncated(std::string stream) {
  stream.pop_back();
  return stream;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, BadStreamTest,
    ::testing::Values(
        BadStream{"empty_input", "", "Fatal error in InputBit!", ""},
        BadStream{"ends_inside_a_code", Truncated(CodeStream({{'a', 9}, {'b', 9}, {256, 9}})),
                  "Fatal error in InputBit!", "ab"},
        BadStream{"no_end_code", CodeStream({{'a', 9}, {'b', 9}}), "Fatal error in InputBit!", "ab"},
        BadStream{"first_code_above_255", CodeStream({{300, 9}, {256, 9}}), "code 300 where a single byte", ""},
        BadStream{"widen_as_first_code", CodeStream({{kWidenCode, 9}, {'a', 10}}), "code 257 where a single", ""},
        BadStream{"first_code_after_reset_above_255",
                  CodeStream({{'a', 9}, {kResetCode, 9}, {259, 9}, {256, 9}}), "code 259 where", "a"},
        BadStream{"code_above_next_code", CodeStream({{'a', 9}, {260, 9}, {256, 9}}), "code 260 is not in", "a"},
        BadStream{"width_beyond_16_bits", CodeStream(Widened(8, {{'y', 17}})), "width beyond 16 bits", "x"},
        BadStream{"dictionary_beyond_its_size", Repeat('a', kDictionarySize - kFirstFreeCode + 2, 256),
                  "dictionary full", std::string(kDictionarySize - kFirstFreeCode + 1, 'a')}),
    [](const ::testing::TestParamInfo<BadStream>& p) { return std::string(p.param.name); });

class DecodeFileTest : public ::testing::Test {
 protected:
  lumvex::testing::TempDir dir;
};

TEST_F(DecodeFileTest, DecodesIntoANewFileReplacingAnOlderOne) {
  lumvex::testing::WriteFile(dir / "in", EncodeLzw("hello hello hello"));
  lumvex::testing::WriteFile(dir / "out", "older");
  const DecodeResult result = DecodeLzwFile("in", "out", {}, dir.path());
  ASSERT_TRUE(result.ok()) << result.failureText;
  EXPECT_EQ(lumvex::testing::ReadFile(dir / "out"), "hello hello hello");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.part"));
}

TEST_F(DecodeFileTest, OpeningFailuresNameTheFileAsGiven) {
  DecodeResult result = DecodeLzwFile("missing", "out", {}, dir.path());
  EXPECT_EQ(result.code, kDecodeInputFailed);
  EXPECT_EQ(result.failureText, "Error opening missing for input\n");

  lumvex::testing::WriteFile(dir / "in", EncodeLzw("x"));
  result = DecodeLzwFile("in", "no-such-dir/out", {}, dir.path());
  EXPECT_EQ(result.code, kDecodeOutputFailed);
  EXPECT_EQ(result.failureText, "Error opening no-such-dir/out for output\n");

  std::filesystem::create_directory(dir / "sub");
  EXPECT_EQ(DecodeLzwFile("sub", "out", {}, dir.path()).code, kDecodeInputFailed);
}

TEST_F(DecodeFileTest, FailedDecodeLeavesTheOlderFileAndNoPartialOne) {
  std::string stream = EncodeLzw(testing::SkewedBytes(100000, 11));
  stream.resize(stream.size() / 2);
  lumvex::testing::WriteFile(dir / "in", stream);
  lumvex::testing::WriteFile(dir / "out", "older");
  const DecodeResult result = DecodeLzwFile("in", "out", {}, dir.path());
  EXPECT_EQ(result.code, kDecodeFailed);
  EXPECT_EQ(result.failureText, "Fatal error in InputBit!");
  EXPECT_EQ(lumvex::testing::ReadFile(dir / "out"), "older");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.part"));
}

TEST_F(DecodeFileTest, ProgressHearsExactlyThePositionsItAsksFor) {
  const std::string stream = EncodeLzw(testing::SkewedBytes(300000, 12));
  lumvex::testing::WriteFile(dir / "in", stream);
  const std::uint64_t size = stream.size();

  std::vector<std::uint64_t> everyByte;
  ASSERT_TRUE(DecodeLzwFile("in", "out", [&](std::uint64_t position, std::uint64_t total) {
                EXPECT_EQ(total, size);
                everyByte.push_back(position);
                return position + 1;
              }, dir.path()).ok());
  ASSERT_EQ(everyByte.size(), size);
  for (std::size_t i = 0; i < everyByte.size(); ++i) ASSERT_EQ(everyByte[i], i + 1);

  std::vector<std::uint64_t> tenths;
  ASSERT_TRUE(DecodeLzwFile("in", "out", [&](std::uint64_t position, std::uint64_t total) {
                tenths.push_back(position);
                return position == 1 ? total / 10 : position + total / 10;
              }, dir.path()).ok());
  std::vector<std::uint64_t> expected{1};
  for (std::uint64_t p = size / 10; p <= size; p += size / 10) expected.push_back(p);
  EXPECT_EQ(tenths, expected);
}

}  // namespace
}  // namespace lumvex::lzw
