#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumvex::hostsim {

// A file the host can serve: DIR/<service code>/<DDMMYYYY>.dat, a plain data
// file compressed and packed when served, or <DDMMYYYY>.rcv, a received-file
// image served as it stands (for damaged or hand-made images).
struct ServedFile {
  std::filesystem::path path;
  bool isImage = false;
};

// The file of the requested day of the year; of several years, the latest.
std::optional<ServedFile> FindServedFile(const std::filesystem::path& dataDir, const std::string& serviceCode,
                                         int dayOfYear);

struct ReceivedImage {
  enum class Error { None, Unreadable, TooLarge, HasEtx } error = Error::None;
  std::string bytes;
};
// The received-file image sent block by block: 9-digit payload length,
// payload without 0x00, 0x03, 0x13, restore records.
ReceivedImage LoadReceivedImage(const ServedFile& file);

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

}  // namespace lumvex::hostsim
