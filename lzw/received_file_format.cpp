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


}  // namespace lumvex::lzw
