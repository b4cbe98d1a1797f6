#pragma once

#include <filesystem>
#include <string_view>

#include "core/message_port.h"
#include "lzw/progress_hook.h"

namespace lumvex::lzw {

// The three files of one uncompress, as they are named in failure texts.
struct UncompressFiles {
  std::filesystem::path received;  // input; stays on disk
  std::filesystem::path work;      // the restored stream; removed after a good decode
  std::filesystem::path data;      // output; replaces an older file only when whole
};

struct UncompressOutcome {
  bool done = false;
  // Failed on the received file's own bytes (a damaged file), not for want
  // of disk space or access: trying the same file again can't help.
  bool damaged = false;
  explicit operator bool() const { return done; }
};

// kordex$$.NNN, kordex!!.NNN and kordex.NNN in the Service Code's directory,
// relative to the store root.
UncompressFiles UncompressFileNames(std::string_view serviceCode, int dayOfYear);

// The uncompress step: restores the received file into the work file,
// decodes that into the data file and deletes the work file. Paths are
// relative to `storeRoot` unless absolute (an empty root is the working
// directory). `progress` hears the decoder's reading position in the work
// file. On failure the text is shown once through `messages` as a
// MessageStyle::Failure and the outcome is not done; the received file is
// never touched and an older data file stays as it was. After a failed
// decode the work file stays for inspection.
UncompressOutcome UncompressReceivedFile(const std::filesystem::path& storeRoot, const UncompressFiles& files,
                                         MessagePort& messages, const ProgressHook& progress = {});

UncompressOutcome UncompressReceivedFile(const std::filesystem::path& storeRoot, std::string_view serviceCode,
                                         int dayOfYear, MessagePort& messages, const ProgressHook& progress = {});

}  // namespace lumvex::lzw
