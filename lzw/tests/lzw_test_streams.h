#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

// Hand-made code streams and generated data for the decoder's tests.
namespace lumvex::lzw::testing {

// Codes of the given widths, most significant bit first, zero-padded.
inline std::string CodeStream(const std::vector<std::pair<std::uint32_t, int>>& codes) {
  std::string out;
  std::uint64_t bits = 0;
  int count = 0;
  for (const auto& [code, width] : codes) {
    bits = (bits << width) | code;
    count += width;
    while (count >= 8) {
      count -= 8;
      out.push_back(static_cast<char>((bits >> count) & 0xFF));
    }
  }
  if (count > 0) out.push_back(static_cast<char>((bits << (8 - count)) & 0xFF));
  return out;
}

// Bytes that compress somewhat, like text with a skewed alphabet.
inline std::string SkewedBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::geometric_distribution<int> pick(0.08);
  std::string out(size, '\0');
  for (auto& c : out) c = static_cast<char>(pick(random) & 0xFF);
  return out;
}

inline std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string out(size, '\0');
  for (auto& c : out) c = static_cast<char>(random() & 0xFF);
  return out;
}

}  // namespace lumvex::lzw::testing
