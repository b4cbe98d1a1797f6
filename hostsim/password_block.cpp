#include "hostsim/password_block.h"

#include <array>
#include <cstdint>

#include "core/text_format.h"

namespace lumvex::hostsim {

namespace {

constexpr std::string_view kTrailer = "ffffffffff";
constexpr std::size_t kBlockDigits = 16;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::array<std::uint8_t, 8>> Pack(std::string_view digits) {
  if (digits.size() != kBlockDigits) return std::nullopt;
  std::array<std::uint8_t, 8> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const int high = HexValue(digits[2 * i]);
    const int low = HexValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
  }
  return bytes;
}

bool IsLowerHex(std::string_view text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool AllDecimal(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string ClockDigits(const LocalTime& t) {
  return Format("%02d%02d%02d%02d%02d%02d%02d%02d", t.hour, t.minute, t.second, t.month, t.day, t.hour,
                t.minute, t.second);
}

std::optional<std::string> MixPasswordBlock(std::string_view hexDigits, std::string_view clockDigits) {
  const auto a = Pack(hexDigits);
  const auto b = Pack(clockDigits);
  if (!a || !b) return std::nullopt;
  std::string block;
  for (std::size_t i = 0; i < a->size(); ++i) {
    block += Format("%02x", static_cast<unsigned>((*a)[i] ^ (*b)[i]));
  }
  return block;
}

std::optional<std::string> RecoverPassword(std::string_view block, std::time_t now, int windowSeconds) {
  // Clients write lower-case digits only; anything else is not theirs.
  if (block.size() != kBlockDigits || !IsLowerHex(block)) return std::nullopt;
  for (int offset = 0; offset <= windowSeconds; ++offset) {
    for (const int sign : {1, -1}) {
      if (offset == 0 && sign < 0) continue;
      const auto time = ToLocalTime(now + sign * offset);
      if (!time) continue;
      const auto padded = MixPasswordBlock(block, ClockDigits(*time));
      if (padded && padded->ends_with(kTrailer) && AllDecimal(padded->substr(0, 6))) {
        return padded->substr(0, 6);
      }
    }
  }
  return std::nullopt;
}

}  // namespace lumvex::hostsim
