#include "lzw/uncompress_progress.h"

#include <limits>

#include "core/text_format.h"

namespace lumvex::lzw {
namespace {

constexpr std::uint64_t kValues = 40;

}  // namespace

std::string UncompressStatusText(int dayOfYear) {
  return Format("Please wait for Uncompress file kordex.%.3d", dayOfYear);
}

int& ProgramProgressValue() {
  static int value = 0;
  return value;
}

UncompressProgress::UncompressProgress(std::function<void()> onStep, int& lastValue)
    : onStep_(std::move(onStep)), lastValue_(lastValue) {}

ProgressHook UncompressProgress::Hook() {
  return [this](std::uint64_t position, std::uint64_t size) { return Report(position, size); };
}

std::uint64_t UncompressProgress::Report(std::uint64_t position, std::uint64_t size) {
  if (size == 0 || position > size) return std::numeric_limits<std::uint64_t>::max();
  const std::uint64_t value = kValues * position / size;
  if (static_cast<std::uint64_t>(lastValue_) != value && value != 1) {
    lastValue_ = static_cast<int>(value);
    ++steps_;
    if (onStep_) onStep_();
  }
  // The first position with the next value.
  const std::uint64_t next = ((value + 1) * size + kValues - 1) / kValues;
  return next > position ? next : position + 1;
}

}  // namespace lumvex::lzw
