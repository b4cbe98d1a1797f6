// LZW streams are outside input: whatever the bytes, the decoder ends with
// success or a failure text, never beyond its tables. The same bytes as data
// must come back whole through the host's encoder and the decoder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lzw/lzw_decoder.h"
#include "lzw/lzw_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string out;
  const lumvex::lzw::DecodeResult result = lumvex::lzw::DecodeLzw(bytes, out);
  if (result.code != lumvex::lzw::kDecodeOk && result.code != lumvex::lzw::kDecodeFailed) std::abort();
  if (result.ok() != result.failureText.empty()) std::abort();

  lumvex::lzw::EncoderOptions options;
  if (size > 0) {
    options.resetAfterCodes = data[0] % 7 == 0 ? 0u : data[0] % 61u;
    options.widenAhead = data[0] % 5u;
    options.extraWidthBits = data[0] % 9u;
  }
  std::string back;
  if (!lumvex::lzw::DecodeLzw(lumvex::lzw::EncodeLzw(bytes, options), back).ok() || back != bytes) std::abort();
  return 0;
}
