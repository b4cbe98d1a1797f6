#include "hostsim/line_endpoint.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace lumvex::hostsim {

namespace {

// While nobody has the pseudo-terminal open its master reports a hang-up
// without pause, so the simulator looks for the next open at this interval.
constexpr int kReopenPollMs = 10;

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

LineEndpoint::LineEndpoint(int fd, bool isPty, std::string device)
    : fd_(fd), isPty_(isPty), device_(std::move(device)) {}

LineEndpoint::LineEndpoint(LineEndpoint&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), conn_(std::exchange(other.conn_, -1)), isPty_(other.isPty_),
      connected_(other.connected_), device_(std::move(other.device_)), unsent_(std::move(other.unsent_)) {}

LineEndpoint::~LineEndpoint() {
  if (conn_ >= 0) ::close(conn_);
  if (fd_ >= 0) ::close(fd_);
}

std::optional<LineEndpoint> LineEndpoint::OpenPty(std::string& error) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    error = SystemError("pseudo-terminal");
    if (master >= 0) ::close(master);
    return std::nullopt;
  }
  char name[128];
  if (::ptsname_r(master, name, sizeof name) != 0) {
    error = SystemError("ptsname");
    ::close(master);
    return std::nullopt;
  }
  // Raw until a client sets its own mode, so nothing is echoed or cooked.
  termios t{};
  if (::tcgetattr(master, &t) == 0) {
    ::cfmakeraw(&t);
    ::tcsetattr(master, TCSANOW, &t);
  }
  return LineEndpoint(master, true, name);
}

std::optional<LineEndpoint> LineEndpoint::ListenTcp(int port, std::string& error) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = SystemError("socket");
    return std::nullopt;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = SystemError("listen");
    ::close(fd);
    return std::nullopt;
  }
  return LineEndpoint(fd, false, "tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
}

void LineEndpoint::Drop() {
  connected_ = false;
  unsent_.clear();
  if (conn_ >= 0) {
    ::close(conn_);
    conn_ = -1;
  }
}

LineEndpoint::Event LineEndpoint::Wait(int timeoutMs, int wakeFd, std::string& data, bool& woken) {
  woken = false;
  const int lineFd = isPty_ ? fd_ : (conn_ >= 0 ? conn_ : fd_);
  const bool watchLine = !isPty_ || connected_;
  pollfd fds[2] = {{wakeFd, POLLIN, 0}, {lineFd, static_cast<short>(POLLIN | (unsent_.empty() ? 0 : POLLOUT)), 0}};
  const int timeout = watchLine ? timeoutMs : (timeoutMs < 0 || timeoutMs > kReopenPollMs ? kReopenPollMs : timeoutMs);
  const int ready = ::poll(fds, watchLine ? 2 : 1, timeout);
  if (ready < 0) return Event::None;
  if ((fds[0].revents & POLLIN) != 0) woken = true;

  if (isPty_ && !connected_) {
    pollfd probe{fd_, POLLIN, 0};
    if (::poll(&probe, 1, 0) >= 0 && (probe.revents & POLLHUP) == 0) {
      connected_ = true;
      return Event::Opened;
    }
    return Event::None;
  }
  if (!isPty_ && conn_ < 0) {
    if ((fds[1].revents & POLLIN) == 0) return Event::None;
    conn_ = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (conn_ < 0) return Event::None;
    const int on = 1;
    ::setsockopt(conn_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    connected_ = true;
    return Event::Opened;
  }

  const short revents = fds[1].revents;
  if ((revents & POLLOUT) != 0) Flush();
  if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
    char chunk[4096];
    const ssize_t n = ::read(isPty_ ? fd_ : conn_, chunk, sizeof chunk);
    if (n > 0) {
      data.assign(chunk, static_cast<std::size_t>(n));
      return Event::Data;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
      Drop();
      return Event::HungUp;
    }
  }
  return Event::None;
}

void LineEndpoint::Write(std::string_view bytes) {
  if (!connected_) return;
  unsent_.append(bytes);
  Flush();
}

void LineEndpoint::Flush() {
  const int fd = isPty_ ? fd_ : conn_;
  while (!unsent_.empty() && fd >= 0) {
    const ssize_t n = isPty_ ? ::write(fd, unsent_.data(), unsent_.size())
                             : ::send(fd, unsent_.data(), unsent_.size(), MSG_NOSIGNAL);
    if (n > 0) {
      unsent_.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;  // full (EAGAIN) or gone: the next poll tells which
    }
  }
}

}  // namespace lumvex::hostsim
