#include "hostsim/served_files.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "hostsim/host_reply.h"
#include "lzw/received_file_packer.h"
#include "store/file_names.h"

namespace lumvex::hostsim {

namespace {

constexpr std::size_t kMaxBlocks = 99999;  // block types are five digits

bool IsDate(const std::string& stem) {
  if (stem.size() != 8 || stem.find_first_not_of("0123456789") != std::string::npos) return false;
  const int day = std::stoi(stem.substr(0, 2));
  return day >= 1 && day <= 31 && store::DayOfYear(stem) > 0;
}

// DDMMYYYY -> YYYYMMDD, so that later dates compare greater.
std::string SortKey(const std::string& stem) { return stem.substr(4, 4) + stem.substr(2, 2) + stem.substr(0, 2); }

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<ServedFile> FindServedFile(const std::filesystem::path& dataDir, const std::string& serviceCode,
                                         int dayOfYear) {
  std::error_code ec;
  std::optional<ServedFile> best;
  std::string bestKey;
  for (const auto& entry : std::filesystem::directory_iterator(dataDir / serviceCode, ec)) {
    const auto& path = entry.path();
    const std::string stem = path.stem().string();
    const std::string ext = path.extension().string();
    if ((ext != ".dat" && ext != ".rcv") || !IsDate(stem) || store::DayOfYear(stem) != dayOfYear) continue;
    // An image of the same date wins over the data file: it was put there on purpose.
    const std::string key = SortKey(stem) + (ext == ".rcv" ? "1" : "0");
    if (!best || key > bestKey) {
      best = ServedFile{path, ext == ".rcv"};
      bestKey = key;
    }
  }
  return best;
}

ReceivedImage LoadReceivedImage(const ServedFile& file) {
  const auto bytes = ReadFileBytes(file.path);
  if (!bytes) return {ReceivedImage::Error::Unreadable, {}};
  std::optional<std::string> image = file.isImage ? bytes : lzw::MakeReceivedFile(*bytes);
  if (image->size() > kMaxBlocks * kBlockSize) return {ReceivedImage::Error::TooLarge, {}};
  // ETX ends a packet: an image carrying one could never arrive whole.
  if (image->find('\x03') != std::string::npos) return {ReceivedImage::Error::HasEtx, {}};
  return {ReceivedImage::Error::None, std::move(*image)};
}

}  // namespace lumvex::hostsim
