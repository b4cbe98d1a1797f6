// A file to import is outside input: whatever its bytes, the import either
// stores a prefix of them with a Date Prepare that download.log can carry,
// or refuses with one message and leaves nothing in the store.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/data_file_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumvex;
  static const testing::TempDir dir;
  const std::string input(reinterpret_cast<const char*>(data), size);
  testing::WriteFile(dir / "KORDEX.001", input);
  std::filesystem::create_directories(dir / "store" / "ab12");
  const auto destination = dir / "store" / "ab12" / "kordex.001";
  std::filesystem::remove(destination);

  RecordingMessagePort messages;
  const auto imported = report::CopyImportedFile(dir / "KORDEX.001", destination, "ab12", "kordex.001", messages);
  if (!imported) {
    if (messages.messages().size() != 1 || std::filesystem::exists(destination)) std::abort();
    if (!std::filesystem::is_empty(dir / "store" / "ab12")) std::abort();
    return 0;
  }
  const std::string stored = testing::ReadFile(destination);
  if (stored.size() != imported->byteCount || input.compare(0, stored.size(), stored) != 0) std::abort();
  const std::string& date = imported->datePrepare;
  if (date.empty() || date.size() > 10) std::abort();
  for (char c : date) {
    if (c == ',' || static_cast<unsigned char>(c) < 0x20) std::abort();
  }
  return 0;
}
