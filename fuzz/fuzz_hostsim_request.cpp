// A request packet is outside input to the host: whatever its bytes, the
// host answers with one well-formed reply that cannot break the packet
// framing. The same bytes also go down the line into the modem and the PAD.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "hostsim/host.h"
#include "hostsim/modem_simulator.h"
#include "hostsim/outbox.h"
#include "hostsim/pad_simulator.h"

namespace {

const std::filesystem::path& DataDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "hostsim-fuzz-XXXXXX").string();
    std::filesystem::path made = ::mkdtemp(pattern.data());
    std::ofstream(made / "accounts") << "acme 123456 654321\n";
    std::filesystem::create_directory(made / "acme");
    std::ofstream(made / "acme" / "05012024.rcv", std::ios::binary) << "000000004ABCD1000000002";
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(DataDir(), ec);
    });
    return made;
  }();
  return dir;
}

void CheckReply(const std::string& reply) {
  if (reply.size() < 33 || reply.size() > 33 + 512 || reply.compare(0, 3, "RPY") != 0) std::abort();
  if (std::stoul(reply.substr(30, 3)) != reply.size() - 33) std::abort();
  if (reply.find('\x03') != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumvex::hostsim;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Host host(DataDir(), {}, [] { return std::time_t{1700000000}; });
  const HostAnswer answer = host.Answer(bytes);
  if (answer.action != HostAnswer::Action::Reply) std::abort();
  CheckReply(answer.reply);

  Outbox outbox;
  PadSimulator pad({}, host, outbox);
  ModemSimulator modem({}, pad, outbox);
  const SimClock::time_point t{};
  modem.Receive("ATDT1\r\r\r2050123456\r", t);
  modem.Receive(bytes, t);
  modem.Tick(t + std::chrono::seconds(5));
  outbox.TakeDue(t + std::chrono::hours(1));
  return 0;
}
