#include "lzw/lzw_encoder.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "lzw/lzw_format.h"

namespace lumvex::lzw {
namespace {

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}

  void Put(std::uint32_t code, int width) {
    bits_ = (bits_ << width) | code;
    count_ += width;
    while (count_ >= 8) {
      count_ -= 8;
      out_.push_back(static_cast<char>((bits_ >> count_) & 0xFF));
    }
    bits_ &= (std::uint64_t{1} << count_) - 1;
  }

  void Finish() {
    if (count_ > 0) out_.push_back(static_cast<char>((bits_ << (8 - count_)) & 0xFF));
    count_ = 0;
    bits_ = 0;
  }

 private:
  std::string& out_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

// Strings of the dictionary as (prefix code, next byte) -> code, open
// addressing in one 64-bit word per slot: generation, key, code. A new
// generation empties the table at no cost.
class StringTable {
 public:
  StringTable() : slots_(kSlots, 0) {}

  void Clear() {
    if (++generation_ == kGenerations) {
      std::fill(slots_.begin(), slots_.end(), 0);
      generation_ = 1;
    }
  }

  std::uint32_t Find(std::uint32_t prefix, unsigned char byte) const {
    const std::uint64_t tag = Tag(prefix, byte);
    for (std::uint32_t i = Hash(prefix, byte);; i = (i + 1) & (kSlots - 1)) {
      const std::uint64_t slot = slots_[i];
      if ((slot >> 40) != generation_) return 0;
      if ((slot & ~std::uint64_t{0xFFFF}) == tag) return static_cast<std::uint32_t>(slot & 0xFFFF);
    }
  }

  void Add(std::uint32_t prefix, unsigned char byte, std::uint32_t code) {
    std::uint32_t i = Hash(prefix, byte);
    while ((slots_[i] >> 40) == generation_) i = (i + 1) & (kSlots - 1);
    slots_[i] = Tag(prefix, byte) | code;
  }

 private:
  static constexpr std::uint32_t kSlots = 1u << 16;  // load stays below 0.54
  static constexpr std::uint64_t kGenerations = 1u << 24;

  std::uint64_t Tag(std::uint32_t prefix, unsigned char byte) const {
    return (generation_ << 40) | (std::uint64_t{(prefix << 8) | byte} << 16);
  }
  static std::uint32_t Hash(std::uint32_t prefix, unsigned char byte) {
    return (((prefix << 8) | byte) * 2654435761u) >> 16;
  }

  std::vector<std::uint64_t> slots_;
  std::uint64_t generation_ = 1;
};

class Encoder {
 public:
  Encoder(const EncoderOptions& options, StringTable& table, std::string& out)
      : options_(options), writer_(out), table_(table) {
    table_.Clear();
  }

  void Run(std::string_view data) {
    if (data.empty()) {
      Emit(kEndCode);
      writer_.Finish();
      return;
    }
    std::uint32_t current = static_cast<unsigned char>(data[0]);
    for (std::size_t i = 1; i < data.size(); ++i) {
      const auto byte = static_cast<unsigned char>(data[i]);
      if (const std::uint32_t longer = table_.Find(current, byte); longer != 0) {
        current = longer;
        continue;
      }
      EmitString(current);
      if (ResetDue()) {
        Emit(kResetCode);
        Reset();
      } else {
        table_.Add(current, byte, next_++);
      }
      current = byte;
    }
    EmitString(current);
    Emit(kEndCode);
    writer_.Finish();
  }

 private:
  bool ResetDue() const {
    if (next_ == kDictionarySize) return true;
    return options_.resetAfterCodes != 0 && codesSinceReset_ >= options_.resetAfterCodes;
  }

  void Reset() {
    table_.Clear();
    next_ = kFirstFreeCode;
    width_ = kInitialWidth;
    codesSinceReset_ = 0;
  }

  void Widen() {
    writer_.Put(kWidenCode, width_);
    ++width_;
  }

  // A code that stands for a string: the first of a dictionary is followed
  // by the extra widths asked for, the others may be preceded by an early bump.
  void EmitString(std::uint32_t code) {
    const bool first = codesSinceReset_ == 0;
    if (!first && options_.widenAhead != 0 && width_ < kMaxWidth &&
        next_ + options_.widenAhead >= (std::uint32_t{1} << width_)) {
      Widen();
    }
    Emit(code);
    ++codesSinceReset_;
    if (first) {
      for (unsigned i = 0; i < options_.extraWidthBits && width_ < kMaxWidth; ++i) Widen();
    }
  }

  void Emit(std::uint32_t code) {
    while (code >= (std::uint32_t{1} << width_)) Widen();
    writer_.Put(code, width_);
  }

  const EncoderOptions& options_;
  BitWriter writer_;
  StringTable& table_;
  std::uint32_t next_ = kFirstFreeCode;
  int width_ = kInitialWidth;
  std::size_t codesSinceReset_ = 0;
};

}  // namespace

std::string EncodeLzw(std::string_view data, const EncoderOptions& options) {
  std::string out;
  out.reserve(data.size() / 2 + 16);
  // Half a megabyte, made once a thread: a fresh one per call would cost
  // more than encoding a short stream.
  thread_local StringTable table;
  Encoder(options, table, out).Run(data);
  return out;
}

}  // namespace lumvex::lzw
