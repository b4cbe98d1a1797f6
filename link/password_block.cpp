#include "link/password_block.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace lumvex::link {
namespace {

constexpr std::size_t kPackedBytes = 8;

// The sixteen clock digits; all zeros when the local time cannot be had.
std::string ClockDigits(const Clock& clock) {
  const std::optional<LocalTime> now = clock.Now();
  if (!now) return std::string(16, '0');
  char digits[40];
  std::snprintf(digits, sizeof digits, "%02d%02d%02d%02d%02d%02d%02d%02d", now->hour % 100, now->minute % 100,
                now->second % 100, now->month % 100, now->day % 100, now->hour % 100, now->minute % 100,
                now->second % 100);
  return std::string(digits, 16);
}

// Exactly eight packed bytes of a text, whatever its length.
std::array<unsigned char, kPackedBytes> PackEight(const std::string& text) {
  std::vector<unsigned char> packed(text.size() / 2 + 2, 0xFF);
  PackHexDigits(text.c_str(), packed.data());
  std::array<unsigned char, kPackedBytes> result;
  result.fill(0xFF);
  for (std::size_t i = 0; i < kPackedBytes && i < packed.size(); ++i) result[i] = packed[i];
  return result;
}

}  // namespace

unsigned char HexCharHexCode(char digit) {
  if (digit >= '0' && digit <= '9') return static_cast<unsigned char>(digit - '0');
  if (digit >= 'A' && digit <= 'F') return static_cast<unsigned char>(digit - 'A' + 10);
  if (digit >= 'a' && digit <= 'f') return static_cast<unsigned char>(digit - 'a' + 10);
  std::fputs("HexCharHexCode (): Invalid Hexadecimal Digit\n", stderr);
  return 0xFF;
}

void PackHexDigits(const char* text, unsigned char* packed) {
  const std::size_t length = std::strlen(text);
  std::size_t out = 0;
  for (std::size_t i = 0; i < length; i += 2, ++out) {
    const unsigned high = static_cast<unsigned>(HexCharHexCode(text[i])) << 4;
    const unsigned low = i + 1 < length ? (HexCharHexCode(text[i + 1]) & 0x0Fu) : 0x0Fu;
    packed[out] = static_cast<unsigned char>((high | low) & 0xFFu);
  }
  packed[out] = 0xFF;
}

void ediEncryptII(const char* password, char* block, const char* trailer, const Clock& clock) {
  if (std::strlen(trailer) != 10) {
    std::fputs("ediEncryptII(): TrailedPin is too short\n", stderr);
    return;
  }
  const std::string digits = ClockDigits(clock);
  const auto pin = PackEight(std::string(password) + trailer);
  const auto time = PackEight(digits);
  for (std::size_t i = 0; i < kPackedBytes; ++i) {
    std::snprintf(block + 2 * i, 3, "%02x", static_cast<unsigned>(pin[i] ^ time[i]));
  }
  block[16] = '\0';
}

}  // namespace lumvex::link
