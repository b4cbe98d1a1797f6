// A received file is outside input: whatever its bytes, the uncompress step
// either makes the data file and removes the work file, or reports exactly
// one failure and leaves no data file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/recording_message_port.h"
#include "lzw/uncompress_received_file.h"

namespace {

// One directory per process, removed when it ends.
struct ScratchDir {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("lumvex-fuzz-received-" + std::to_string(::getpid()));
  ScratchDir() { std::filesystem::create_directories(path); }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::filesystem::path& Scratch() {
  static const ScratchDir dir;
  return dir.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path& root = Scratch();
  const lumvex::lzw::UncompressFiles files{"received", "work", "data"};
  std::filesystem::remove(root / files.data);
  {
    std::ofstream out(root / files.received, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  lumvex::RecordingMessagePort messages;
  const bool done = lumvex::lzw::UncompressReceivedFile(root, files, messages).done;
  const bool dataFile = std::filesystem::exists(root / files.data);
  if (done != messages.messages().empty() || (!done && messages.messages().size() != 1)) std::abort();
  if (done != dataFile || (done && std::filesystem::exists(root / files.work))) std::abort();
  if (std::filesystem::exists(root / "data.part")) std::abort();
  return 0;
}
