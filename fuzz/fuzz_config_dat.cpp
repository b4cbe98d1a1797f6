// config.dat comes with the installation and may hold anything: the connect
// step's words stay within their buffers, and the Set device rewrite touches
// only its own columns and never shortens the file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/recording_message_port.h"
#include "link/device_settings.h"

namespace {

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-config-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) ::close(fd);
    return std::filesystem::path(pattern);
  }();
  return path;
}

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsRewritableColumn(std::size_t i) { return i == 11 || i == 13 || (i >= 22 && i <= 43); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumvex::link;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const ConfigReadResult r = ParseDeviceSettings(text);
  if (r.settings &&
      (r.settings->hostAddress.size() > 10 || r.settings->portDigit.size() > 1 || r.settings->speedDigit.size() > 1 ||
       r.settings->dialPrefix.size() > 7 || r.settings->phoneNumber.size() > 20 || r.settings->phoneNumber.empty()))
    std::abort();

  const DeviceChoices choices = ParseDeviceChoices(text);
  if (choices.portDigit.size() > 1 || choices.speedDigit.size() > 1 || choices.phoneNumber.size() > 20) std::abort();

  // Rewrite with other values and check nothing else moved.
  const std::filesystem::path& path = ScratchFile();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  lumvex::RecordingMessagePort messages;
  const int port = choices.portDigit == "3" ? 4 : 3;
  WriteDeviceChanges(path, choices, port, choices.speedDigit == "1" ? 2 : 1, "0812345678", messages);
  const std::string after = Slurp(path);
  if (after.size() < text.size()) std::abort();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (after[i] != text[i] && !IsRewritableColumn(i)) std::abort();
  }
  if (choices.phoneNumber != "0812345678" && after.substr(22, 21) != "0812345678          x") std::abort();
  return 0;
}
