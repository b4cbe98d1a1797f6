#pragma once

#include <string>
#include <string_view>

#include "core/text_format.h"

// Host replies as the host lays them out: 25 header bytes the client never
// reads, the block type at 25, then what the type says.
namespace lumvex::link::testing {

inline std::string Reply(std::string_view blockType, std::string_view rest) {
  return std::string("RPY   DWLDW95105 0000    ") + std::string(blockType) + std::string(rest);
}

inline std::string DataBlock(int blockType, std::string_view data) {
  return Reply(Format("%05d", blockType), Format("%03zu", data.size()) + std::string(data));
}

inline std::string EndReply(long size, std::string_view function = "BATCH", std::string_view type = " End ") {
  return Reply(type, Format("%03d%.5s%010ld", 15, std::string(function).c_str(), size));
}

inline std::string ErrorReply(std::string_view text) {
  return Reply("Error", Format("%03zu", text.size()) + std::string(text));
}

}  // namespace lumvex::link::testing
