#include "lzw/uncompress_received_file.h"

#include <system_error>

#include "core/in_directory.h"
#include "lzw/lzw_decoder.h"
#include "lzw/received_file_restore.h"
#include "store/file_names.h"

namespace lumvex::lzw {

UncompressFiles UncompressFileNames(std::string_view serviceCode, int dayOfYear) {
  return {store::ReceivedFileName(serviceCode, dayOfYear), store::WorkFileName(serviceCode, dayOfYear),
          store::DataFileName(serviceCode, dayOfYear)};
}

UncompressOutcome UncompressReceivedFile(const std::filesystem::path& storeRoot, const UncompressFiles& files,
                                         MessagePort& messages, const ProgressHook& progress) {
  const RestoreResult restored = RestoreReceivedFile(files.received, files.work, storeRoot);
  if (!restored.ok) {
    messages.Show(MessageStyle::Failure, restored.failureText);
    return {false, restored.damaged};
  }
  const DecodeResult decoded = DecodeLzwFile(files.work, files.data, progress, storeRoot);
  if (!decoded.ok()) {
    messages.Show(MessageStyle::Failure, decoded.failureText);
    return {false, decoded.damaged};
  }
  std::error_code ignored;  // a work file left behind is harmless: the next run replaces it
  std::filesystem::remove(InDirectory(storeRoot, files.work), ignored);
  return {true, false};
}

UncompressOutcome UncompressReceivedFile(const std::filesystem::path& storeRoot, std::string_view serviceCode,
                                         int dayOfYear, MessagePort& messages, const ProgressHook& progress) {
  return UncompressReceivedFile(storeRoot, UncompressFileNames(serviceCode, dayOfYear), messages, progress);
}

}  // namespace lumvex::lzw
