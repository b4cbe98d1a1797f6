#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumvex::lzw {

inline constexpr std::string_view kFileNotFoundText = "ไม่พบไฟล์";

struct RestoreResult {
  bool ok = true;
  std::string failureText;  // empty on success
  bool damaged = false;     // the received file's own bytes are at fault, not the disk
};

// Writes the work file from the received file: the payload with the removed
// bytes put back where the restore records say. Both names are relative to
// `directory` when that is not empty, and failure texts name them as given.
// A received file whose length field is damaged, whose payload is shorter
// than its length says, or whose record points outside the payload is
// refused before anything is decoded. Memory use does not grow with the file.
RestoreResult RestoreReceivedFile(const std::filesystem::path& received, const std::filesystem::path& work,
                                  const std::filesystem::path& directory = {});

// The same restore of a received file held in memory into `work`; failure
// texts name the files as given.
RestoreResult RestoreReceivedBytes(std::string_view received, std::string& work,
                                   const std::filesystem::path& receivedName = "received",
                                   const std::filesystem::path& workName = "work");

}  // namespace lumvex::lzw
