#include "lzw/received_file_format.h"

namespace lumvex::lzw {

std::optional<unsigned char> RestoredByte(char kind) {
  switch (kind) {
    case '0': return 0x00;
    case '1': return 0x03;
    case '2': return 0x13;
    default: return std::nullopt;
  }
}

std::optional<char> RestoreKind(unsigned char byte) {
  switch (byte) {
    case 0x00: return '0';
    case 0x03: return '1';
    case 0x13: return '2';
    default: return std::nullopt;
  }
}

std::optional<std::size_t> ParseDecimalField(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  const std::size_t firstDigit = i;
  std::size_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + static_cast<std::size_t>(field[i] - '0');
  }
  if (i == firstDigit) return std::nullopt;
  for (; i < field.size(); ++i) {
    if (field[i] != ' ') return std::nullopt;
  }
  return value;
}

}  // namespace lumvex::lzw
