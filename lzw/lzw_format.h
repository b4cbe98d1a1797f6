#pragma once

#include <cstdint>

// The code stream shared by the host's encoder and our decoder: codes written
// back to back, most significant bit first, starting 9 bits wide.
namespace lumvex::lzw {

inline constexpr std::uint32_t kEndCode = 256;
inline constexpr std::uint32_t kWidenCode = 257;
inline constexpr std::uint32_t kResetCode = 258;
inline constexpr std::uint32_t kFirstFreeCode = 259;
// Every code of a well-formed stream is below this (a prime).
inline constexpr std::uint32_t kDictionarySize = 35023;
inline constexpr int kInitialWidth = 9;
// 16 bits already reach every code below kDictionarySize; a wider code can
// only come from a damaged stream.
inline constexpr int kMaxWidth = 16;

}  // namespace lumvex::lzw
