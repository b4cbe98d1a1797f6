#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "lzw/byte_stream.h"
#include "lzw/progress_hook.h"

namespace lumvex::lzw {

// Result codes of a decode.
inline constexpr int kDecodeOk = 1;
inline constexpr int kDecodeInputFailed = 2;   // the input cannot be opened
inline constexpr int kDecodeOutputFailed = 3;  // the output cannot be created
inline constexpr int kDecodeFailed = 4;        // the stream or the output failed on the way

inline constexpr std::string_view kInputEndedText = "Fatal error in InputBit!";
inline constexpr std::string_view kNoDictionaryText = "Error allocating dictionary space";

struct DecodeResult {
  int code = kDecodeOk;
  std::string failureText;  // empty on success
  bool damaged = false;     // the stream itself is at fault, not its input or output

  bool ok() const { return code == kDecodeOk; }
};

struct DecoderTables;

// The decoder's state: the dictionary and its buffers, allocated at the first
// decode (never per code) and reused by later ones.
class LzwDecoder {
 public:
  LzwDecoder();
  ~LzwDecoder();
  LzwDecoder(const LzwDecoder&) = delete;
  LzwDecoder& operator=(const LzwDecoder&) = delete;

  // Decodes one whole stream, from its first code to the end code. A stream
  // that is damaged in any way ends with kDecodeFailed and a text saying
  // what was wrong; the bytes decoded before the damage have gone to `output`.
  DecodeResult Decode(ByteSource& input, std::uint64_t inputSize, ByteSink& output,
                      const ProgressHook& progress = {});

 private:
  std::unique_ptr<DecoderTables> tables_;
};

// One decode with a decoder of its own.
DecodeResult DecodeLzw(ByteSource& input, std::uint64_t inputSize, ByteSink& output,
                       const ProgressHook& progress = {});

// The same over bytes in memory, for tests and tools.
DecodeResult DecodeLzw(std::string_view stream, std::string& output);

// Decodes the file `input` into the file `output`, each relative to
// `directory` when that is not empty; failure texts name them as given. The
// output appears under its name only when the whole stream decoded: until
// then it is written beside it as "<output>.part", which a failure removes,
// so an older file of that name survives a failed decode.
DecodeResult DecodeLzwFile(const std::filesystem::path& input, const std::filesystem::path& output,
                           const ProgressHook& progress = {}, const std::filesystem::path& directory = {});

}  // namespace lumvex::lzw
