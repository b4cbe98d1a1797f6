// A received file is outside input: whatever its bytes, the restore either
// gives a work stream no longer than its payload or refuses the file as
// damaged with a text; the stream then decodes or fails with a text. In
// memory, through the code the files use, with one decoder for every run.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lzw/byte_stream.h"
#include "lzw/lzw_decoder.h"
#include "lzw/received_file_restore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumvex::lzw;
  static LzwDecoder decoder;
  const std::string_view received(reinterpret_cast<const char*>(data), size);
  std::string work;
  const RestoreResult restored = RestoreReceivedBytes(received, work);
  if (restored.ok != restored.failureText.empty()) std::abort();
  if (!restored.ok) {
    if (!restored.damaged) std::abort();  // memory can't fail to read or write
    return 0;
  }
  if (work.size() + 9 > size) std::abort();
  std::string out;
  StringSource source(work);
  StringSink sink(out);
  const DecodeResult decoded = decoder.Decode(source, work.size(), sink);
  if (decoded.ok() != decoded.failureText.empty() || (!decoded.ok() && !decoded.damaged)) std::abort();
  return 0;
}
