#include "lzw/lzw_decoder.h"

#include <array>
#include <limits>
#include <memory>
#include <new>

#include "core/text_format.h"
#include "lzw/lzw_format.h"

namespace lumvex::lzw {
namespace {

constexpr std::size_t kInputBlock = 64 * 1024;
// No string is longer than the dictionary can chain, so one always fits
// behind a flush.
constexpr std::size_t kLongestString = kDictionarySize;
constexpr std::size_t kOutputBlock = 256 * 1024;

struct Entry {
  std::uint16_t parent;  // code of the string without its last byte
  std::uint8_t byte;     // last byte
  std::uint8_t first;    // first byte
};

// Everything a decode needs, allocated once per decode.
struct Tables {
  std::array<Entry, kDictionarySize> entries;
  std::array<std::uint16_t, kDictionarySize> lengths;
  std::array<unsigned char, kInputBlock> input;
  std::array<unsigned char, kOutputBlock> output;
};

class Decoder {
 public:
  Decoder(Tables& t, ByteSource& input, std::uint64_t inputSize, ByteSink& output, const ProgressHook& progress)
      : t_(t), source_(input), inputSize_(inputSize), sink_(output), progress_(progress) {
    for (std::uint32_t c = 0; c < 256; ++c) {
      const auto byte = static_cast<std::uint8_t>(c);
      t_.entries[c] = Entry{0, byte, byte};
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

        std::uint8_t first = 0;
        if (code < next) {
          if (!Room(t_.lengths[code])) return WriteFailed();
          first = PutString(code);
        } else {
          // The string that starts and ends with the same byte: the old
          // string and its own first byte.
          if (!Room(std::size_t{t_.lengths[old]} + 1)) return WriteFailed();
          first = PutString(old);
          t_.output[outLength_++] = first;
        }
        t_.entries[next] = Entry{static_cast<std::uint16_t>(old), first, t_.entries[old].first};
        t_.lengths[next] = static_cast<std::uint16_t>(t_.lengths[old] + 1);
        ++next;
        old = code;
      }
    }
  }

 private:
  // Writes the string of `code` at the end of the output, last byte first
  // through the parent chain; returns its first byte.
  std::uint8_t PutString(std::uint32_t code) {
    const std::size_t length = t_.lengths[code];
    unsigned char* at = t_.output.data() + outLength_ + length;
    while (code > 0xFF) {
      const Entry& e = t_.entries[code];
      *--at = e.byte;
      code = e.parent;
    }
    *--at = static_cast<unsigned char>(code);
    outLength_ += length;
    return static_cast<std::uint8_t>(code);
  }

  bool Room(std::size_t size) {
    if (t_.output.size() - outLength_ >= size) return true;
    return Flush();
  }

  bool Flush() {
    const bool written = outLength_ == 0 || sink_.Write(t_.output.data(), outLength_);
    outLength_ = 0;
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
    return {kDecodeFailed, std::move(text)};
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

  std::size_t outLength_ = 0;
};

static_assert(kOutputBlock > kLongestString);

}  // namespace

DecodeResult DecodeLzw(ByteSource& input, std::uint64_t inputSize, ByteSink& output, const ProgressHook& progress) {
  const std::unique_ptr<Tables> tables(new (std::nothrow) Tables);
  if (!tables) return {kDecodeFailed, std::string(kNoDictionaryText)};
  return Decoder(*tables, input, inputSize, output, progress).Run();
}

DecodeResult DecodeLzw(std::string_view stream, std::string& output) {
  StringSource source(stream);
  StringSink sink(output);
  return DecodeLzw(source, stream.size(), sink);
}

}  // namespace lumvex::lzw
