#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pad/deadline.h"
#include "pad/serial_port.h"

namespace lumvex::pad {

enum class Verdict { Skip, Success, Failure };
// Decides what a line from the modem or the PAD means to the step waiting for it.
using LineJudge = std::function<Verdict(std::string_view line)>;

struct WaitOutcome {
  enum Kind { Success, Failure, Timeout, Closed, Error } kind = Timeout;
  std::string line;  // the line that decided it
};

struct PacketOutcome {
  enum Kind { Packet, TooLong, Signal, Timeout, Closed, Error } kind = Timeout;
  std::size_t size = 0;  // bytes of the packet (stored or not)
  std::string signal;    // the service signal line for Signal
};

// What travels from the modem and the PAD: lines framed by CR and LF, the
// PAD prompt "CR LF *", and in data transfer ETX-framed packets preceded
// perhaps by service signal lines. Bytes read past what a step needs stay
// here for the next step.
class LineReader {
 public:
  // The first line judged Success or Failure; every other line is skipped.
  WaitOutcome AwaitLine(SerialPort& port, const LineJudge& judge, const Deadline& deadline);
  // The PAD prompt, bare (CR LF *) or framed as a line (CR LF * CR LF),
  // unless a line judged Failure comes first; echoed commands are skipped.
  WaitOutcome AwaitPrompt(SerialPort& port, const LineJudge& judge, const Deadline& deadline);
  // One packet up to its ETX (not stored). At most into.size() bytes are
  // stored; a longer packet is read to its ETX and reported TooLong.
  PacketOutcome ReadPacket(SerialPort& port, std::span<char> into, const Deadline& deadline);

  struct Discarded {
    PortError error = PortError::None;
    std::vector<std::string> signals;  // service signal lines found among the bytes
  };
  // Bytes as if they had been read from the port (for tests and fuzzing).
  void Append(std::string_view bytes) { pending_.append(bytes); }

  // Drops everything received so far, returning the service signals in it.
  Discarded DiscardPending(SerialPort& port);

 private:
  // Removes and returns the next complete non-empty line, if there is one.
  bool TakeLine(std::string& line);
  bool TakePrompt();
  PortError Fill(SerialPort& port, const Deadline& deadline);

  std::string pending_;
};

// A line at the start of a packet that ends the call or the line.
bool IsCallSignal(std::string_view line);
bool IsCarrierLost(std::string_view line);

}  // namespace lumvex::pad
