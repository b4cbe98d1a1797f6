#include "hostsim/testing/hostsim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace lumvex::hostsim::testing {

namespace {

constexpr auto kStartLimit = std::chrono::seconds(30);

// The first line hostsim prints, or empty when none came in time.
std::string ReadFirstLine(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return {};
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return {};
    char chunk[256];
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n <= 0) return {};
    line.append(chunk, static_cast<std::size_t>(n));
  }
  return line.substr(0, line.find('\n'));
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::filesystem::path HostsimBinary() {
  if (const char* path = std::getenv("LUMVEX_HOSTSIM"); path != nullptr && *path != '\0') return path;
  return LUMVEX_HOSTSIM_PATH;
}

HostsimProcess::HostsimProcess(const std::filesystem::path& dataDir, std::vector<std::string> options) {
  const std::string binary = HostsimBinary().string();
  std::vector<std::string> args{binary};
  args.insert(args.end(), options.begin(), options.end());
  if (const char* verbose = std::getenv("LUMVEX_HOSTSIM_VERBOSE"); verbose != nullptr && *verbose == '1') {
    args.emplace_back("--verbose");
  }
  args.push_back(dataDir.string());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    error_ = std::string("pipe: ") + std::strerror(errno);
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  if (pid_ < 0) {
    error_ = std::string("fork: ") + std::strerror(errno);
    ::close(out[0]);
    return;
  }
  device_ = ReadFirstLine(out[0]);
  ::close(out[0]);
  if (device_.empty()) error_ = "hostsim (" + binary + ") did not announce a device";
}

HostsimProcess::~HostsimProcess() { Stop(); }

void HostsimProcess::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  WaitFor(pid_);
  pid_ = -1;
}

int HostsimProcess::Stop() {
  if (pid_ <= 0) return -1;
  ::kill(pid_, SIGTERM);
  const int status = WaitFor(pid_);
  pid_ = -1;
  return status;
}

}  // namespace lumvex::hostsim::testing
