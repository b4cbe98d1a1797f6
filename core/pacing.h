#pragma once

#include <chrono>
#include <vector>

namespace lumvex {

// The fixed pauses that pace the link. Production sleeps (the window's
// version keeps repainting meanwhile); tests record the waits and go on.
class Pacer {
 public:
  virtual ~Pacer() = default;
  virtual void Wait(std::chrono::milliseconds duration) = 0;
};

class SleepingPacer : public Pacer {
 public:
  void Wait(std::chrono::milliseconds duration) override;
};

class RecordingPacer : public Pacer {
 public:
  void Wait(std::chrono::milliseconds duration) override { waits_.push_back(duration); }
  const std::vector<std::chrono::milliseconds>& waits() const { return waits_; }

 private:
  std::vector<std::chrono::milliseconds> waits_;
};

}  // namespace lumvex
