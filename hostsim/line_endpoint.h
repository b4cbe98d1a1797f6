#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvex::hostsim {

// The simulator's end of the serial line: the master side of a
// pseudo-terminal, or one accepted TCP connection at a time. A terminal
// closing its end is a hang-up; the next one to open it starts afresh.
class LineEndpoint {
 public:
  static std::optional<LineEndpoint> OpenPty(std::string& error);
  static std::optional<LineEndpoint> ListenTcp(int port, std::string& error);

  LineEndpoint(LineEndpoint&& other) noexcept;
  LineEndpoint& operator=(LineEndpoint&&) = delete;
  LineEndpoint(const LineEndpoint&) = delete;
  ~LineEndpoint();

  // What a client opens: the pseudo-terminal's path or tcp:127.0.0.1:PORT.
  const std::string& device() const { return device_; }

  enum class Event { None, Opened, Data, HungUp };
  // Waits up to timeoutMs (and for input on wakeFd, if given) for one event.
  Event Wait(int timeoutMs, int wakeFd, std::string& data, bool& woken);
  // Queues bytes for the terminal; dropped while nobody has the line open.
  void Write(std::string_view bytes);
  bool connected() const { return connected_; }

 private:
  LineEndpoint(int fd, bool isPty, std::string device);
  void Flush();
  void Drop();

  int fd_ = -1;        // pty master or listening socket
  int conn_ = -1;      // accepted TCP connection
  bool isPty_ = true;
  bool connected_ = false;
  std::string device_;
  std::string unsent_;
};

}  // namespace lumvex::hostsim
