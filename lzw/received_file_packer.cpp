#include "lzw/received_file_packer.h"

#include "core/text_format.h"
#include "lzw/received_file_format.h"

namespace lumvex::lzw {
namespace {

// Any byte will do in a removed byte's place; the receiver overwrites it.
constexpr char kPlaceholder = ' ';

}  // namespace

std::string PackReceivedFile(std::string_view lzwStream) {
  std::string payload(lzwStream);
  std::string records;
  for (std::size_t i = 0; i < payload.size(); ++i) {
    const auto kind = RestoreKind(static_cast<unsigned char>(payload[i]));
    if (!kind) continue;
    payload[i] = kPlaceholder;
    records += *kind;
    records += Format("%09zu", i + 1);
  }
  return Format("%09zu", payload.size()) + payload + records;
}

std::string MakeReceivedFile(std::string_view dataFile, const EncoderOptions& options) {
  return PackReceivedFile(EncodeLzw(dataFile, options));
}

}  // namespace lumvex::lzw
