#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "hostsim/host.h"
#include "hostsim/outbox.h"

namespace lumvex::hostsim {

struct PadOptions {
  std::string address = "2050123456";      // the host's X.121 address
  std::optional<std::string> callRefusal;  // clear every call with this cause
  bool silent = false;                     // never answer (a PAD that is not there)
  std::chrono::milliseconds replyDelay{0};
};

// The X.25 PAD behind the modem, as an X.28 terminal sees it: command state
// with its prompt, SET, STAT, CLR, address selection, then data transfer,
// where ETX forwards a packet to the host and DLE recalls the PAD.
class PadSimulator {
 public:
  PadSimulator(PadOptions options, Host& host, Outbox& outbox);

  // The modem reached the PAD, or lost it.
  void Connect();
  void Disconnect();
  void Receive(std::string_view bytes, SimClock::time_point now);

  // Called when the host wants the modem line dropped (at the given time).
  std::function<void(SimClock::time_point)> dropLine;

  bool callUp() const { return state_ == State::Data || state_ == State::CallCommand; }

 private:
  enum class State { Offline, Detect, Command, Data, CallCommand };

  void CommandByte(char c, SimClock::time_point now);
  void CommandLine(std::string line, SimClock::time_point now);
  void DataByte(char c, SimClock::time_point now);
  void Packet(SimClock::time_point now);
  void Say(std::string_view text, SimClock::time_point now);  // a line, then nothing
  void Prompt(SimClock::time_point now);
  bool SetParameters(std::string_view list);

  PadOptions options_;
  Host& host_;
  Outbox& outbox_;
  State state_ = State::Offline;
  bool heraldSent_ = false;
  bool recallByDle_ = true;  // X.3 parameter 1
  bool echo_ = true;         // X.3 parameter 2
  std::string line_;
  std::string packet_;
};

}  // namespace lumvex::hostsim
