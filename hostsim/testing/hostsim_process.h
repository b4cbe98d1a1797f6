#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lumvex::hostsim::testing {

// hostsim as a child process of a test. It serves `dataDir` with the given
// options on a fresh pseudo-terminal (or TCP port with "--tcp", "0") until
// the object goes. Set LUMVEX_HOSTSIM_VERBOSE=1 to see its line trace.
//
//   HostsimProcess host(dir.path(), {"--guard-ms", "50"});
//   ASSERT_TRUE(host.started()) << host.error();
//   setenv("PADX25_COM1", host.device().c_str(), 1);
class HostsimProcess {
 public:
  explicit HostsimProcess(const std::filesystem::path& dataDir, std::vector<std::string> options = {});
  HostsimProcess(const HostsimProcess&) = delete;
  HostsimProcess& operator=(const HostsimProcess&) = delete;
  ~HostsimProcess();

  // True once hostsim announced its device (waited for up to 30 s).
  bool started() const { return !device_.empty(); }
  // The pseudo-terminal's path or "tcp:127.0.0.1:PORT": a value for PADX25_COMn.
  const std::string& device() const { return device_; }
  const std::string& error() const { return error_; }

  // SIGKILL: the device vanishes under a client, as a pulled cable would.
  void Kill();
  // SIGTERM, then the exit status (-1 when it did not exit normally).
  int Stop();

 private:
  pid_t pid_ = -1;
  std::string device_;
  std::string error_;
};

// The hostsim program built with these tests (LUMVEX_HOSTSIM overrides it).
std::filesystem::path HostsimBinary();

}  // namespace lumvex::hostsim::testing
