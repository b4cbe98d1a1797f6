#include "link/lzw_uncompress_step.h"

#include "core/recording_message_port.h"
#include "lzw/uncompress_received_file.h"

namespace lumvex::link {

UncompressResult LzwUncompressStep::Uncompress(std::string_view serviceCode, int dayOfYear) {
  return Uncompress(serviceCode, dayOfYear, {});
}

UncompressResult LzwUncompressStep::Uncompress(std::string_view serviceCode, int dayOfYear,
                                               const lzw::ProgressHook& progress) {
  // The transaction shows the failure text itself, once.
  RecordingMessagePort captured;
  const lzw::UncompressOutcome outcome =
      lzw::UncompressReceivedFile(storeRoot_, serviceCode, dayOfYear, captured, progress);
  if (outcome) return {true, {}};
  std::string text;
  for (const auto& m : captured.messages()) text += text.empty() ? m.text : "\n" + m.text;
  return {false, text.empty() ? std::string("Uncompress failed.") : text, outcome.damaged};
}

}  // namespace lumvex::link
