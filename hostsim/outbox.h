#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace lumvex::hostsim {

using SimClock = std::chrono::steady_clock;

// What the simulator sends towards the terminal, in order, each piece not
// before its time and, with a line rate, no faster than the line carries it.
class Outbox {
 public:
  // 0 bits per second: no pacing.
  explicit Outbox(int bitsPerSecond = 0);

  void Send(std::string_view bytes, SimClock::time_point notBefore);
  // The bytes whose time has come.
  std::string TakeDue(SimClock::time_point now);
  std::optional<SimClock::time_point> NextDue() const;
  void Clear() { items_.clear(); }

 private:
  struct Item {
    SimClock::time_point notBefore;
    std::string bytes;
  };
  std::deque<Item> items_;
  SimClock::time_point lineFreeAt_{};  // when the last byte sent has left the line
  SimClock::duration byteTime_{};      // ten bits a byte on an asynchronous line
};

}  // namespace lumvex::hostsim
