#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "hostsim/outbox.h"
#include "hostsim/pad_simulator.h"

namespace lumvex::hostsim {

struct ModemOptions {
  std::optional<std::string> dialResult;  // answer every dial with this result
  std::optional<std::string> number;      // the only number that answers
  int lineRate = 14400;                   // reported in CONNECT
  std::chrono::milliseconds guard{1000};  // escape guard time
};

// A Hayes modem: AT commands offline, the line to the PAD online, and the
// escape "+++" framed by guard-time silences back to command state.
class ModemSimulator {
 public:
  ModemSimulator(ModemOptions options, PadSimulator& pad, Outbox& outbox);

  void Receive(std::string_view bytes, SimClock::time_point now);
  // Completes an escape whose closing silence has passed.
  void Tick(SimClock::time_point now);
  std::optional<SimClock::time_point> NextWakeup() const { return escapeAt_; }

  // The terminal closed the device (or dropped DTR): hang up, forget settings.
  void HangUp();
  // The far end went away: "NO CARRIER" at the given time, back to command state.
  void DropCarrier(SimClock::time_point when);

  bool lineUp() const { return lineUp_; }

 private:
  void CommandByte(char c, SimClock::time_point now);
  void Command(std::string line, SimClock::time_point now);
  void Dial(std::string_view rest, SimClock::time_point now);
  void Result(std::string_view text, SimClock::time_point now);
  void OnlineBytes(std::string_view bytes, SimClock::time_point now);
  void Reset();

  ModemOptions options_;
  PadSimulator& pad_;
  Outbox& outbox_;
  bool lineUp_ = false;
  bool online_ = false;  // bytes go to the PAD
  bool echo_ = true;
  std::string line_;
  SimClock::time_point lastByteAt_{};
  std::string heldPluses_;  // a possible escape, held back from the PAD
  std::optional<SimClock::time_point> escapeAt_;
};

}  // namespace lumvex::hostsim
