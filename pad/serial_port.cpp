#include "pad/serial_port.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace lumvex::pad {

namespace {

constexpr std::string_view kTcpPrefix = "tcp:";
constexpr Milliseconds kConnectLimit{10000};

// poll() for one event, restarting after signals, until the deadline.
// Returns revents, or 0 on timeout, or -1 on failure.
int PollFor(int fd, short events, const Deadline& deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int ready = ::poll(&p, 1, deadline.RemainingMs());
    if (ready > 0) return p.revents;
    if (ready == 0) return 0;
    if (errno != EINTR) return -1;
  }
}

PortError ErrorOf(int error) {
  switch (error) {
    case EIO:
    case EPIPE:
    case ECONNRESET:
    case ENXIO:
    case ENODEV:
      return PortError::Closed;
    default:
      return PortError::Io;
  }
}

void ApplyFraming(termios& t, const PortSettings& settings) {
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD | HUPCL;
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
  t.c_cflag |= settings.dataBits == 7 ? CS7 : CS8;
  if (settings.parity != 'n') t.c_cflag |= PARENB;
  if (settings.parity == 'o') t.c_cflag |= PARODD;
  if (settings.stopBits == 2) t.c_cflag |= CSTOPB;
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  ::cfsetispeed(&t, settings.speed);
  ::cfsetospeed(&t, settings.speed);
}

// Raw mode, then read back: a device that silently keeps other settings is refused.
bool ConfigureTerminal(int fd, const PortSettings& settings) {
  termios t{};
  if (::tcgetattr(fd, &t) != 0) return false;
  ApplyFraming(t, settings);
  termios withFlow = t;
  withFlow.c_cflag |= CRTSCTS;
  if (::tcsetattr(fd, TCSANOW, &withFlow) != 0 && ::tcsetattr(fd, TCSANOW, &t) != 0) return false;
  termios back{};
  if (::tcgetattr(fd, &back) != 0) return false;
  if ((back.c_cflag & CSIZE) != (t.c_cflag & CSIZE) || ::cfgetospeed(&back) != settings.speed ||
      (back.c_lflag & (ICANON | ECHO)) != 0) {
    return false;
  }
  ::tcflush(fd, TCIFLUSH);  // bytes of an earlier connection are never answers
  return true;
}

SerialPort::OpenResult Fail(int fd, PortError error) {
  if (fd >= 0) ::close(fd);
  return {std::nullopt, error};
}

int ConnectTcp(std::string_view where, PortError& error) {
  const auto colon = where.rfind(':');
  if (colon == std::string_view::npos || colon == 0 || colon + 1 == where.size()) {
    error = PortError::NotFound;
    return -1;
  }
  std::string host(where.substr(0, colon));
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  const std::string service(where.substr(colon + 1));
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) {
    error = PortError::NotFound;
    return -1;
  }
  error = PortError::NotFound;
  int fd = -1;
  const Deadline deadline(WaitLimit(kConnectLimit));
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
    fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
      int soError = errno;
      if (soError == EINPROGRESS) {
        const int events = PollFor(fd, POLLOUT, deadline);
        socklen_t length = sizeof soError;
        if (events <= 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) != 0) {
          soError = events == 0 ? ETIMEDOUT : EIO;
        }
      }
      if (soError != 0) {
        if (soError == ETIMEDOUT) error = PortError::Timeout;
        ::close(fd);
        fd = -1;
      }
    }
  }
  ::freeaddrinfo(found);
  if (fd >= 0) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    error = PortError::None;
  }
  return fd;
}

}  // namespace

const char* Describe(PortError error) {
  switch (error) {
    case PortError::None: return "no error";
    case PortError::NotFound: return "no such device";
    case PortError::Locked: return "device in use";
    case PortError::BadSettings: return "line settings refused";
    case PortError::Timeout: return "no answer in time";
    case PortError::Closed: return "device closed";
    case PortError::Io: return "input/output error";
  }
  return "unknown error";
}

SerialPort::OpenResult SerialPort::Open(const std::string& device, const PortSettings& settings) {
  if (device.starts_with(kTcpPrefix)) {
    PortError error = PortError::None;
    const int fd = ConnectTcp(std::string_view(device).substr(kTcpPrefix.size()), error);
    if (fd < 0) return {std::nullopt, error};
    return {SerialPort(fd, false), PortError::None};
  }
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == EBUSY) return {std::nullopt, PortError::Locked};
    return {std::nullopt, errno == ENOENT || errno == ENXIO || errno == ENODEV ? PortError::NotFound
                                                                             : PortError::Io};
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return Fail(fd, errno == EWOULDBLOCK ? PortError::Locked : PortError::Io);
  }
  if (!ConfigureTerminal(fd, settings)) return Fail(fd, PortError::BadSettings);
  return {SerialPort(fd, true), PortError::None};
}

SerialPort::SerialPort(SerialPort&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), isTerminal_(other.isTerminal_) {}

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    isTerminal_ = other.isTerminal_;
  }
  return *this;
}

SerialPort::~SerialPort() { Close(); }

SerialPort::ReadResult SerialPort::Read(std::span<char> into, const Deadline& deadline) {
  if (fd_ < 0) return {PortError::Closed, 0};
  for (;;) {
    const int events = PollFor(fd_, POLLIN, deadline);
    if (events == 0) return {PortError::Timeout, 0};
    if (events < 0) return {PortError::Io, 0};
    const ssize_t n = ::read(fd_, into.data(), into.size());
    if (n > 0) return {PortError::None, static_cast<std::size_t>(n)};
    if (n == 0) return {PortError::Closed, 0};
    if (errno == EAGAIN || errno == EINTR) {
      if ((events & (POLLHUP | POLLERR)) != 0) return {PortError::Closed, 0};
      continue;
    }
    return {ErrorOf(errno), 0};
  }
}

SerialPort::ReadResult SerialPort::ReadPending(std::string& into) {
  if (fd_ < 0) return {PortError::Closed, 0};
  std::size_t total = 0;
  char chunk[512];
  for (;;) {
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n > 0) {
      into.append(chunk, static_cast<std::size_t>(n));
      total += static_cast<std::size_t>(n);
      continue;
    }
    if (n == 0) return {PortError::Closed, total};
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return {PortError::None, total};
    return {ErrorOf(errno), total};
  }
}

PortError SerialPort::Write(std::string_view bytes, const Deadline& deadline) {
  if (fd_ < 0) return PortError::Closed;
  while (!bytes.empty()) {
    const ssize_t n = isTerminal_ ? ::write(fd_, bytes.data(), bytes.size())
                                  : ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return ErrorOf(errno);
    const int events = PollFor(fd_, POLLOUT, deadline);
    if (events == 0) return PortError::Timeout;
    if (events < 0) return PortError::Io;
    if ((events & POLLOUT) == 0 && (events & (POLLHUP | POLLERR)) != 0) return PortError::Closed;
  }
  return PortError::None;
}

void SerialPort::WatchCarrier(bool watch) {
  if (fd_ < 0 || !isTerminal_) return;
  termios t{};
  if (::tcgetattr(fd_, &t) != 0) return;
  if (watch) t.c_cflag &= ~static_cast<tcflag_t>(CLOCAL);
  else t.c_cflag |= CLOCAL;
  ::tcsetattr(fd_, TCSANOW, &t);
}

void SerialPort::DropDtr() {
  if (fd_ < 0 || !isTerminal_) return;
  int bits = TIOCM_DTR;
  ::ioctl(fd_, TIOCMBIC, &bits);  // pseudo-terminals refuse: closing is their hang-up
}

bool SerialPort::Close() {
  if (fd_ < 0) return true;
  const int fd = std::exchange(fd_, -1);
  return ::close(fd) == 0 || errno == EINTR;
}

}  // namespace lumvex::pad
