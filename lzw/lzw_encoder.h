#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The host's side of the compressed transfer: used by the host simulator and
// by tests to make streams the decoder must read.
namespace lumvex::lzw {

// The defaults give the natural stream: a width bump (257) just before the
// first code that needs it, a reset (258) when the dictionary is full, the
// end code (256) last. The other settings make streams that are equally valid
// but exercise the decoder's rarer paths.
struct EncoderOptions {
  // Reset the dictionary after this many codes since the last reset (0: only
  // when it is full).
  std::size_t resetAfterCodes = 0;
  // Widen as soon as the next dictionary code comes within this many codes of
  // the width's limit, instead of when a code no longer fits (0: when needed).
  unsigned widenAhead = 0;
  // Widen this many extra bits right after the first code of every
  // dictionary (the width stops at 16 bits).
  unsigned extraWidthBits = 0;
};

std::string EncodeLzw(std::string_view data, const EncoderOptions& options = {});

}  // namespace lumvex::lzw
