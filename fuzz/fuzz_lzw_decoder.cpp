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
  static lumvex::lzw::LzwDecoder decoder;  // reused, as a long run would
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string out;
  lumvex::lzw::StringSource source(bytes);
  lumvex::lzw::StringSink sink(out);
  const lumvex::lzw::DecodeResult result = decoder.Decode(source, size, sink);
  if (result.code != lumvex::lzw::kDecodeOk && result.code != lumvex::lzw::kDecodeFailed) std::abort();
  if (result.ok() != result.failureText.empty()) std::abort();

  lumvex::lzw::EncoderOptions options;
  if (size > 0) {
    options.resetAfterCodes = data[0] % 7 == 0 ? 0u : data[0] % 61u;
    options.widenAhead = data[0] % 5u;
    options.extraWidthBits = data[0] % 9u;
  }
  // The round trip on the first kilobyte: the property needs no more, and
  // the encoder's hashing would otherwise take most of each run.
  const std::string_view sample = bytes.substr(0, 1024);
  const std::string stream = lumvex::lzw::EncodeLzw(sample, options);
  std::string back;
  lumvex::lzw::StringSource encoded(stream);
  lumvex::lzw::StringSink decoded(back);
  if (!decoder.Decode(encoded, stream.size(), decoded).ok() || back != sample) std::abort();
  return 0;
}
