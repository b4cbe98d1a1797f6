#pragma once

#include <optional>
#include <string_view>

#include "pad/line_reader.h"
#include "pad/serial_port.h"

namespace lumvex::pad {

// The one connection of the process: the port and what the library knows
// of the modem line and the X.25 call. Results follow the C interface:
// the packet calls return 0 on success, every other call non-zero.
class PadSession {
 public:
  int Open(const char* port, const char* speed, const char* parity, const char* dataBits,
           const char* stopBits);
  int Init();
  int Bind(const char* dial, char* answer);
  int BStat();
  int Link(const char* address);
  int AStat();
  int SendPacket(const char* request, int count, int waitSeconds);
  int ReceivePacket(char* reply, int* length, int waitSeconds);
  int Shut();

  bool lineUp() const { return lineUp_; }
  bool callUp() const { return callUp_; }

 private:
  bool Send(std::string_view bytes);
  // Drops stale input before a command; false when it showed the line or device gone.
  bool DiscardStale();
  WaitOutcome AwaitLine(const LineJudge& judge, Milliseconds limit);
  WaitOutcome AwaitPrompt(const LineJudge& judge, Milliseconds limit);
  // Keeps the state in step with what a wait or a signal revealed.
  void Note(const WaitOutcome& outcome);
  void NoteSignal(std::string_view line);
  void NoteError(PortError error);
  bool AtCommand(std::string_view command, Milliseconds limit);
  void ClearCall();
  void EscapeToCommandMode();

  std::optional<SerialPort> port_;
  LineReader reader_;
  bool lineUp_ = false;      // the modem has a carrier to the PAD
  bool callUp_ = false;      // the X.25 call to the host is established
  bool deviceGone_ = false;  // the device reported EOF or EIO
};

}  // namespace lumvex::pad
