#pragma once

#include <chrono>

namespace lumvex::pad {

using SteadyClock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// A point in time after which a wait gives up.
class Deadline {
 public:
  explicit Deadline(Milliseconds limit) : at_(SteadyClock::now() + limit) {}
  // Milliseconds left, at least 0, rounded up so that poll() never wakes early.
  int RemainingMs() const;
  bool Passed() const { return SteadyClock::now() >= at_; }

 private:
  SteadyClock::time_point at_;
};

// The wait limit for a step, shortened to PADX25_WAIT_MS when that is set
// (tests use it so that a peer that never answers costs little time).
Milliseconds WaitLimit(Milliseconds nominal);

// The modem escape guard time: PADX25_GUARD_MS, else 1000 ms.
Milliseconds GuardTime();

}  // namespace lumvex::pad
