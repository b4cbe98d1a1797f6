#include "lzw/lzw_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "core/text_format.h"
#include "lzw/lzw_format.h"

namespace lumvex::lzw {
namespace {

constexpr std::size_t kInputBlock = 64 * 1024;
// The output stays in memory this long after it is written, so that most
// strings are copied from where they last appeared instead of being rebuilt
// through the dictionary, a byte per step.
constexpr std::size_t kKeptOutput = 1 << 20;
constexpr std::size_t kOutputBlock = 4 << 20;
// No string is longer than the dictionary can chain.
constexpr std::size_t kLongestString = kDictionarySize;
// Short strings are copied 16 bytes at a time when that reads only bytes
// already written; the copy may write past them.
constexpr std::size_t kCopySlack = 16;

}  // namespace

struct DictionaryEntry {
  std::uint16_t parent;  // code of the string without its last byte
  std::uint8_t byte;     // last byte
  std::uint8_t first;    // first byte
};

// Everything a decode needs.
struct DecoderTables {
  std::array<DictionaryEntry, kDictionarySize> entries;
  std::array<std::uint16_t, kDictionarySize> lengths;
  std::array<std::uint64_t, kDictionarySize> starts;  // output position of the string's first appearance
  std::array<unsigned char, kInputBlock> input;
  std::array<unsigned char, kOutputBlock + kCopySlack> output;
};

namespace {

using Tables = DecoderTables;

static_assert(kOutputBlock >= kKeptOutput + 2 * kLongestString);

class Decoder {
 public:
  Decoder(Tables& t, ByteSource& input, std::uint64_t inputSize, ByteSink& output, const ProgressHook& progress)
      : t_(t), source_(input), inputSize_(inputSize), sink_(output), progress_(progress) {
    for (std::uint32_t c = 0; c < 256; ++c) {
      const auto byte = static_cast<std::uint8_t>(c);
      t_.entries[c] = DictionaryEntry{0, byte, byte};
      t_.lengths[c] = 1;
    }
    if (progress_) reportAfterBits_ = 0;
  }

  DecodeResult Run() {
    for (;;) {
      // A fresh dictionary: the next code is a single byte or the end.
      std::uint32_t next = kFirstFreeCode;
      int width = kInitialWidth;
      std::uint32_t code = 0;
      if (!ReadCode(width, code)) return InputEnded();
      if (code == kEndCode) return Finish();
      if (code > 0xFF) return Damaged(Format("Damaged compressed data: code %u where a single byte belongs", code));
      if (!Room(1)) return WriteFailed();
      std::uint64_t oldStart = Position();
      t_.output[outLength_++] = static_cast<unsigned char>(code);
      std::uint32_t old = code;

      for (;;) {
        if (!ReadCode(width, code)) return InputEnded();
        if (code == kEndCode) return Finish();
        if (code == kResetCode) break;
        if (code == kWidenCode) {
          if (++width > kMaxWidth) return Damaged("Damaged compressed data: code width beyond 16 bits");
          continue;
        }
        if (code > next) return Damaged(Format("Damaged compressed data: code %u is not in the dictionary", code));
        if (next == kDictionarySize) return Damaged("Damaged compressed data: dictionary full without a reset");

        const std::size_t oldLength = t_.lengths[old];
        if (!Room(oldLength + 1)) return WriteFailed();
        const std::uint64_t start = Position();
        std::uint8_t first = 0;
        if (code < next) {
          first = PushCodeString(code);
        } else {
          // The string that starts and ends with the same byte: the old
          // string and its own first byte.
          first = PushCodeString(old);
          t_.output[outLength_++] = first;
        }
        // The new string is the old one and the byte after it in the output.
        t_.entries[next] = DictionaryEntry{static_cast<std::uint16_t>(old), first, t_.entries[old].first};
        t_.lengths[next] = static_cast<std::uint16_t>(oldLength + 1);
        t_.starts[next] = oldStart;
        ++next;
        old = code;
        oldStart = start;
      }
    }
  }

 private:
  std::uint64_t Position() const { return windowStart_ + outLength_; }

  // Writes the string of `code` at the end of the output; returns its first
  // byte. The output buffer serves as the decode stack: the string lands in
  // place, last byte first when it has to be rebuilt through the dictionary.
  std::uint8_t PushCodeString(std::uint32_t code) {
    if (code <= 0xFF) {
      t_.output[outLength_++] = static_cast<unsigned char>(code);
      return static_cast<std::uint8_t>(code);
    }
    const std::size_t length = t_.lengths[code];
    unsigned char* to = t_.output.data() + outLength_;
    const std::uint64_t start = t_.starts[code];
    if (start >= windowStart_) {
      // Its first appearance ends before the end of the output, so `from`
      // and `to` never overlap.
      const unsigned char* from = t_.output.data() + (start - windowStart_);
      if (length <= kCopySlack && from + kCopySlack <= to) {
        unsigned char bytes[kCopySlack];
        std::memcpy(bytes, from, kCopySlack);
        std::memcpy(to, bytes, kCopySlack);
      } else {
        std::memcpy(to, from, length);
      }
      outLength_ += length;
      return t_.entries[code].first;
    }
    unsigned char* at = to + length;
    while (code > 0xFF) {
      const DictionaryEntry& e = t_.entries[code];
      *--at = e.byte;
      code = e.parent;
    }
    *--at = static_cast<unsigned char>(code);
    outLength_ += length;
    return static_cast<std::uint8_t>(code);
  }

  // Makes room for the longest string plus `size`, handing on what was
  // written and keeping its tail for later copies.
  bool Room(std::size_t size) {
    if (kOutputBlock - outLength_ >= kLongestString + size) return true;
    if (!Flush()) return false;
    const std::size_t keep = std::min(outLength_, kKeptOutput);
    std::memmove(t_.output.data(), t_.output.data() + outLength_ - keep, keep);
    windowStart_ += outLength_ - keep;
    outLength_ = keep;
    flushed_ = keep;
    return true;
  }

  bool Flush() {
    const bool written = outLength_ == flushed_ || sink_.Write(t_.output.data() + flushed_, outLength_ - flushed_);
    flushed_ = outLength_;
    return written;
  }

  bool ReadCode(int width, std::uint32_t& code) {
    if (bitCount_ < width) {
      Refill();
      if (bitCount_ < width) return false;
    }
    code = static_cast<std::uint32_t>(bits_ >> (64 - width));
    bits_ <<= width;
    bitCount_ -= width;
    bitsTaken_ += static_cast<std::uint64_t>(width);
    if (bitsTaken_ > reportAfterBits_) Report();
    return true;
  }

  void Refill() {
    while (bitCount_ <= 56) {
      if (inPos_ == inEnd_) {
        if (inputEnded_) return;
        inEnd_ = source_.Read(t_.input.data(), t_.input.size());
        inPos_ = 0;
        if (inEnd_ == 0) {
          inputEnded_ = true;
          return;
        }
      }
      bits_ |= std::uint64_t{t_.input[inPos_++]} << (56 - bitCount_);
      bitCount_ += 8;
    }
  }

  // The hook hears every position it asked for that the reader has passed:
  // a byte is read when the first of its bits is taken.
  void Report() {
    const std::uint64_t bytesRead = (bitsTaken_ + 7) / 8;
    std::uint64_t position = reportAfterBits_ / 8 + 1;
    while (position <= bytesRead) {
      const std::uint64_t wanted = progress_(position, inputSize_);
      position = wanted > position ? wanted : position + 1;
    }
    constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
    reportAfterBits_ = position - 1 >= kNever / 8 ? kNever : (position - 1) * 8;
  }

  DecodeResult Finish() {
    if (!Flush()) return WriteFailed();
    return {};
  }

  DecodeResult InputEnded() { return Fail(std::string(kInputEndedText)); }
  DecodeResult Damaged(std::string text) { return Fail(std::move(text)); }
  DecodeResult WriteFailed() { return {kDecodeFailed, "Cannot write the decoded data"}; }

  // What was decoded before the failure is still handed on.
  DecodeResult Fail(std::string text) {
    if (!Flush()) return WriteFailed();
    return {kDecodeFailed, std::move(text), true};
  }

  Tables& t_;
  ByteSource& source_;
  std::uint64_t inputSize_;
  ByteSink& sink_;
  const ProgressHook& progress_;

  std::size_t inPos_ = 0;
  std::size_t inEnd_ = 0;
  bool inputEnded_ = false;
  std::uint64_t bits_ = 0;  // unread bits, first one at the top
  int bitCount_ = 0;
  std::uint64_t bitsTaken_ = 0;
  std::uint64_t reportAfterBits_ = std::numeric_limits<std::uint64_t>::max();

  std::size_t outLength_ = 0;    // bytes in the output buffer
  std::size_t flushed_ = 0;      // of which handed on already
  std::uint64_t windowStart_ = 0;  // output position of the buffer's first byte
};

}  // namespace

LzwDecoder::LzwDecoder() = default;
LzwDecoder::~LzwDecoder() = default;

DecodeResult LzwDecoder::Decode(ByteSource& input, std::uint64_t inputSize, ByteSink& output,
                                const ProgressHook& progress) {
  if (!tables_) tables_.reset(new (std::nothrow) DecoderTables);
  if (!tables_) return {kDecodeFailed, std::string(kNoDictionaryText)};
  return Decoder(*tables_, input, inputSize, output, progress).Run();
}

DecodeResult DecodeLzw(ByteSource& input, std::uint64_t inputSize, ByteSink& output, const ProgressHook& progress) {
  return LzwDecoder().Decode(input, inputSize, output, progress);
}

DecodeResult DecodeLzw(std::string_view stream, std::string& output) {
  StringSource source(stream);
  StringSink sink(output);
  return DecodeLzw(source, stream.size(), sink);
}

}  // namespace lumvex::lzw
