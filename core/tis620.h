#pragma once

#include <string>
#include <string_view>

// File data is 8-bit TIS-620 (code page 874) from end to end; these are the
// only places it becomes Unicode (the window's texts, UTF-8 exports).
namespace lumvex {

// A byte's Unicode character; bytes that code page 874 leaves unassigned
// give U+FFFD.
char16_t Tis620ToUnicode(unsigned char byte);

std::string Tis620ToUtf8(std::string_view bytes);

}  // namespace lumvex
