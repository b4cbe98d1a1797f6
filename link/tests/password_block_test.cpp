#include "link/password_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace lumvex::link {
namespace {

std::vector<unsigned> Packed(const char* text) {
  std::vector<unsigned char> out(std::strlen(text) / 2 + 2, 0);
  PackHexDigits(text, out.data());
  return {out.begin(), out.end()};
}

std::string Block(const char* password, const LocalTime& at, const char* trailer = kPasswordTrailer) {
  FixedClock clock(at);
  char block[kPasswordBlockSize + 4];
  std::memset(block, '?', sizeof block);
  block[sizeof block - 1] = '\0';
  ediEncryptII(password, block, trailer, clock);
  return block;
}

TEST(PasswordBlock, PacksDigitsTwoToAByteWithAnEndMark) {
  // Eight packed bytes, the end mark, and the untouched last byte of the buffer.
  EXPECT_EQ(Packed("123456ffffffffff"),
            (std::vector<unsigned>{0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(Packed("ABcd"), Packed("abCD"));
  EXPECT_EQ(Packed("123"), (std::vector<unsigned>{0x12, 0x3F, 0xFF}));
  EXPECT_EQ(Packed(""), (std::vector<unsigned>{0xFF, 0x00}));
}

TEST(PasswordBlock, RejectsANonHexDigitOnStandardError) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(HexCharHexCode('g'), 0xFF);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "HexCharHexCode (): Invalid Hexadecimal Digit\n");
  EXPECT_EQ(HexCharHexCode('F'), 15);
  EXPECT_EQ(HexCharHexCode('0'), 0);
}

TEST(PasswordBlock, MixesThePasswordWithTheClockDigits) {
  // Clock digits 1405090303140509.
  EXPECT_EQ(Block("123456", {2001, 3, 3, 14, 5, 9}), "06315ffcfcebfaf6");
  // At midnight on 1 January only the month and day bytes mix in.
  EXPECT_EQ(Block("123456", {2001, 1, 1, 0, 0, 0}), "123456fefeffffff");
  // Digits 2359591231235959 over 00 00 00 FF FF FF FF FF.
  EXPECT_EQ(Block("000000", {2001, 12, 31, 23, 59, 59}), "235959edcedca6a6");
}

TEST(PasswordBlock, IsAlwaysSixteenLowerCaseHexDigits) {
  for (int second = 0; second < 60; second += 7) {
    const std::string block = Block("987654", {2001, 12, 31, 23, 59, second});
    ASSERT_EQ(block.size(), 16u);
    EXPECT_EQ(block.find_first_not_of("0123456789abcdef"), std::string::npos) << block;
  }
}

TEST(PasswordBlock, ShortTrailerLeavesTheBlockAlone) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Block("123456", {2001, 1, 1, 0, 0, 0}, "fffffffff"), std::string(kPasswordBlockSize + 3, '?'));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "ediEncryptII(): TrailedPin is too short\n");
}

}  // namespace
}  // namespace lumvex::link
