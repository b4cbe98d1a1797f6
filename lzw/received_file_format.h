#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The received file as the host sends it: a 9-digit payload length, the LZW
// stream with every 0x00, 0x03 and 0x13 replaced, then 10-byte records that
// say where to put those bytes back.
namespace lumvex::lzw {

inline constexpr std::size_t kLengthFieldSize = 9;
inline constexpr std::size_t kRestoreRecordSize = 10;
inline constexpr std::size_t kPositionFieldSize = kRestoreRecordSize - 1;

// The byte a record kind restores; nothing for an unknown kind.
std::optional<unsigned char> RestoredByte(char kind);
// The kind that restores a removed byte; nothing for a byte that is kept.
std::optional<char> RestoreKind(unsigned char byte);

}  // namespace lumvex::lzw
