#include "lzw/lzw_encoder.h"

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
// addressing with a generation stamp so a reset costs nothing.
class StringTable {
 public:
  StringTable() : slots_(kSlots) {}

  void Clear() { ++generation_; }

  std::uint32_t Find(std::uint32_t prefix, unsigned char byte) const {
    const std::uint32_t key = Key(prefix, byte);
    for (std::uint32_t i = Hash(key);; i = (i + 1) & (kSlots - 1)) {
      const Slot& s = slots_[i];
      if (s.generation != generation_) return 0;
      if (s.key == key) return s.code;
    }
  }

  void Add(std::uint32_t prefix, unsigned char byte, std::uint32_t code) {
    const std::uint32_t key = Key(prefix, byte);
    std::uint32_t i = Hash(key);
    while (slots_[i].generation == generation_) i = (i + 1) & (kSlots - 1);
    slots_[i] = Slot{key, code, generation_};
  }

 private:
  static constexpr std::uint32_t kSlots = 1u << 17;  // load stays below 0.27
  struct Slot {
    std::uint32_t key = 0;
    std::uint32_t code = 0;
    std::uint32_t generation = 0;
  };

  static std::uint32_t Key(std::uint32_t prefix, unsigned char byte) { return (prefix << 8) | byte; }
  static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u) >> 15; }

  std::vector<Slot> slots_;
  std::uint32_t generation_ = 1;
};

class Encoder {
 public:
  Encoder(const EncoderOptions& options, std::string& out) : options_(options), writer_(out) {}

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
  StringTable table_;
  std::uint32_t next_ = kFirstFreeCode;
  int width_ = kInitialWidth;
  std::size_t codesSinceReset_ = 0;
};

}  // namespace

std::string EncodeLzw(std::string_view data, const EncoderOptions& options) {
  std::string out;
  out.reserve(data.size() / 2 + 16);
  Encoder(options, out).Run(data);
  return out;
}

}  // namespace lumvex::lzw
