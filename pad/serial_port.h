#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pad/deadline.h"
#include "pad/port_settings.h"

namespace lumvex::pad {

enum class PortError {
  None,
  NotFound,     // no such device, or the TCP peer refused
  Locked,       // another process holds the device
  BadSettings,  // the device refused the line settings
  Timeout,      // the deadline passed
  Closed,       // the device went away (EOF, EIO, hang-up)
  Io,           // any other failure of a system call
};

const char* Describe(PortError error);

// The open serial device (or TCP stream to a network modem): raw 8-bit bytes,
// non-blocking, every wait bounded by a deadline. Closing drops DTR (HUPCL).
class SerialPort {
 public:
  struct OpenResult;
  static OpenResult Open(const std::string& device, const PortSettings& settings);

  SerialPort(SerialPort&& other) noexcept;
  SerialPort& operator=(SerialPort&& other) noexcept;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;
  ~SerialPort();

  struct ReadResult {
    PortError error = PortError::None;
    std::size_t size = 0;
  };
  // Waits until some bytes arrive (or the deadline) and reads what is there.
  ReadResult Read(std::span<char> into, const Deadline& deadline);
  // Everything that has arrived already, without waiting.
  ReadResult ReadPending(std::string& into);
  PortError Write(std::string_view bytes, const Deadline& deadline);

  // CLOCAL on ignores the carrier (while dialling); off lets a lost carrier
  // end reads. No effect on devices without modem control.
  void WatchCarrier(bool watch);
  void DropDtr();

  // Closes now; returns false when the system refused the close.
  bool Close();
  bool isOpen() const { return fd_ >= 0; }

 private:
  SerialPort(int fd, bool isTerminal) : fd_(fd), isTerminal_(isTerminal) {}

  int fd_ = -1;
  bool isTerminal_ = false;
};

struct SerialPort::OpenResult {
  std::optional<SerialPort> port;
  PortError error = PortError::None;
};

}  // namespace lumvex::pad
