#include "core/tis620.h"

namespace lumvex {
namespace {

constexpr char16_t kUnassigned = 0xFFFD;

// Code page 874 adds a few Windows punctuation marks to TIS-620 in 0x80-0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, kUnassigned, kUnassigned, kUnassigned, kUnassigned, 0x2026, kUnassigned, kUnassigned,
    kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned,
    kUnassigned, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned,
};

}  // namespace

char16_t Tis620ToUnicode(unsigned char c) {
  if (c < 0x80) return c;
  if (c < 0xA0) return kHighControls[c - 0x80];
  if (c == 0xA0) return 0x00A0;
  // Thai letters and marks keep their order: 0xA1 is U+0E01.
  if ((c >= 0xA1 && c <= 0xDA) || (c >= 0xDF && c <= 0xFB)) return static_cast<char16_t>(0x0E00 + (c - 0xA0));
  return kUnassigned;
}

std::string Tis620ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const char16_t u = Tis620ToUnicode(static_cast<unsigned char>(c));
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (u >> 6)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
  return out;
}

}  // namespace lumvex
