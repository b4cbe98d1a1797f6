#pragma once

#include <string>
#include <string_view>

#include "lzw/lzw_encoder.h"

// The host's side of a received file, for the host simulator and tests.
namespace lumvex::lzw {

// LZW stream -> received file bytes: the 9-digit payload length, the payload
// with every 0x00, 0x03 and 0x13 replaced, and one 10-byte restore record per
// replaced byte, in payload order.
std::string PackReceivedFile(std::string_view lzwStream);

// Data file -> received file (EncodeLzw, then PackReceivedFile).
std::string MakeReceivedFile(std::string_view dataFile, const EncoderOptions& options = {});

}  // namespace lumvex::lzw
