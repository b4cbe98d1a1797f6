#include "hostsim/simulator.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "hostsim/line_endpoint.h"
#include "hostsim/modem_simulator.h"
#include "hostsim/outbox.h"
#include "hostsim/pad_simulator.h"

namespace lumvex::hostsim {

namespace {

// Bytes as a readable trace: printable ASCII as it is, the rest as <xx>.
std::string Visible(std::string_view bytes) {
  std::string text;
  for (char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02x>", c);
      text += hex;
    }
  }
  return text;
}

int BlockStopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
  return signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

int MillisecondsUntil(std::optional<SimClock::time_point> when, SimClock::time_point now) {
  if (!when) return -1;
  if (*when <= now) return 0;
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*when - now).count();
  return static_cast<int>(std::min<long long>(ms, 60000));
}

std::optional<SimClock::time_point> Earliest(std::optional<SimClock::time_point> a,
                                             std::optional<SimClock::time_point> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

}  // namespace

int RunSimulator(const SimulatorOptions& options) {
  if (!std::filesystem::is_directory(options.dataDir)) {
    std::fprintf(stderr, "hostsim: %s is not a directory\n", options.dataDir.c_str());
    return 1;
  }
  const int stopFd = BlockStopSignals();
  if (stopFd < 0) {
    std::perror("hostsim: signals");
    return 1;
  }
  std::string error;
  auto endpoint = options.tcpPort ? LineEndpoint::ListenTcp(*options.tcpPort, error) : LineEndpoint::OpenPty(error);
  if (!endpoint) {
    std::fprintf(stderr, "hostsim: %s\n", error.c_str());
    return 1;
  }
  if (options.link) {
    std::error_code ec;
    std::filesystem::remove(*options.link, ec);
    std::filesystem::create_symlink(endpoint->device(), *options.link, ec);
    if (ec) {
      std::fprintf(stderr, "hostsim: cannot link %s: %s\n", options.link->c_str(), ec.message().c_str());
      return 1;
    }
  }
  std::printf("%s\n", endpoint->device().c_str());
  std::fflush(stdout);

  Host host(options.dataDir, options.host, [] { return std::time(nullptr); });
  Outbox outbox(options.paceBitsPerSecond);
  PadSimulator pad(options.pad, host, outbox);
  ModemSimulator modem(options.modem, pad, outbox);
  pad.dropLine = [&modem](SimClock::time_point when) { modem.DropCarrier(when); };

  for (;;) {
    auto now = SimClock::now();
    const auto wake = Earliest(modem.NextWakeup(), endpoint->connected() ? outbox.NextDue() : std::nullopt);
    std::string data;
    bool stop = false;
    const auto event = endpoint->Wait(MillisecondsUntil(wake, now), stopFd, data, stop);
    if (stop) break;
    now = SimClock::now();
    switch (event) {
      case LineEndpoint::Event::Opened:
        if (options.verbose) std::fprintf(stderr, "hostsim: line opened\n");
        break;
      case LineEndpoint::Event::HungUp:
        if (options.verbose) std::fprintf(stderr, "hostsim: line closed\n");
        modem.HangUp();
        outbox.Clear();
        break;
      case LineEndpoint::Event::Data:
        if (options.verbose) std::fprintf(stderr, "hostsim: <- %s\n", Visible(data).c_str());
        modem.Receive(data, now);
        break;
      case LineEndpoint::Event::None: break;
    }
    modem.Tick(now);
    if (endpoint->connected()) {
      const std::string due = outbox.TakeDue(now);
      if (!due.empty()) {
        if (options.verbose) std::fprintf(stderr, "hostsim: -> %s\n", Visible(due).c_str());
        endpoint->Write(due);
      }
    }
  }
  if (options.link) {
    std::error_code ec;
    std::filesystem::remove(*options.link, ec);
  }
  ::close(stopFd);
  return 0;
}

}  // namespace lumvex::hostsim
