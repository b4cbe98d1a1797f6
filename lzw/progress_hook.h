#pragma once

#include <cstdint>
#include <functional>

namespace lumvex::lzw {

// Told the reading position (bytes read so far) and the size of the input.
// Returns the position at which it next wants to be told, so that a reader of
// millions of bytes calls it only where something changes; position + 1 asks
// for every byte. Positions come in increasing order.
using ProgressHook = std::function<std::uint64_t(std::uint64_t position, std::uint64_t size)>;

}  // namespace lumvex::lzw
