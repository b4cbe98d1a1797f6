#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "lzw/progress_hook.h"

// The Uncompress dialog's progress bar as plain logic; the dialog only draws.
namespace lumvex::lzw {

inline constexpr int kProgressBarMaximum = 500;
inline constexpr int kProgressBarStep = 10;
inline constexpr int kProgressSteps = kProgressBarMaximum / kProgressBarStep;
// After a good decode the bar fills up with a step at this interval.
inline constexpr std::chrono::milliseconds kFinishingStepInterval{50};

// "Please wait for Uncompress file kordex.NNN"
std::string UncompressStatusText(int dayOfYear);

// The value last reported, kept for the whole program run (0 at its start):
// a second uncompress starts from where the first one ended.
int& ProgramProgressValue();

// Turns the decoder's reading position into bar steps: the value is
// floor(40 x position / size); each change, except to 1, steps the bar once.
class UncompressProgress {
 public:
  explicit UncompressProgress(std::function<void()> onStep, int& lastValue = ProgramProgressValue());

  // The decoder's hook; this object must outlive the decode.
  ProgressHook Hook();
  // One reading position; returns the next position at which the value can change.
  std::uint64_t Report(std::uint64_t position, std::uint64_t size);

  int steps() const { return steps_; }
  // Steps still to take after a good decode so that the bar ends full.
  int RemainingSteps() const { return steps_ < kProgressSteps ? kProgressSteps - steps_ : 0; }

 private:
  std::function<void()> onStep_;
  int& lastValue_;
  int steps_ = 0;
};

}  // namespace lumvex::lzw
