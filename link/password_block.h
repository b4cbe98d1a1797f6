#pragma once

#include "core/clock.h"

// The password block: a six-digit password padded to sixteen hexadecimal
// digits, packed into eight bytes and mixed with the local clock, so that a
// password never travels in clear. The host recovers it from the clock.
namespace lumvex::link {

inline constexpr const char* kPasswordTrailer = "ffffffffff";
inline constexpr int kPasswordBlockSize = 17;  // sixteen digits and the terminator

// Value 0 to 15 of a hexadecimal digit; 0xFF (and a line on standard error)
// for anything else.
unsigned char HexCharHexCode(char digit);

// Packs hexadecimal digits two to a byte (an odd last digit gets F in the low
// half) and writes 0xFF after the last packed byte. `packed` must hold
// strlen(text) / 2 + 2 bytes.
void PackHexDigits(const char* text, unsigned char* packed);

// Writes the sixteen lower-case hexadecimal digits of the block and a
// terminator into `block` (at least kPasswordBlockSize bytes). A trailer that
// is not ten characters long leaves the block untouched.
void ediEncryptII(const char* password, char* block, const char* trailer,
                  const Clock& clock = SystemClock::Instance());

}  // namespace lumvex::link
