// download.log is outside input: whatever its bytes, parsing it must end
// with tables within their limits and a text that reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/recording_message_port.h"
#include "store/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumvex::RecordingMessagePort messages;
  lumvex::store::Catalogue catalogue(messages, "/nonexistent");
  catalogue.ParseCatalogue(std::string_view(reinterpret_cast<const char*>(data), size));
  if (catalogue.serviceCodeCount() > lumvex::store::MAX_SERVICE_CODES) std::abort();
  if (catalogue.fileCount() > lumvex::store::MAX_FILES) std::abort();

  const std::string text = catalogue.BuildCatalogueText();
  lumvex::store::Catalogue again(messages, "/nonexistent");
  if (!text.starts_with("0\r\n") && again.ParseCatalogue(text) && again.BuildCatalogueText() != text) std::abort();
  return 0;
}
