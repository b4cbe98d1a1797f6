// What the modem and the PAD send is outside input to the PAD library:
// whatever the bytes, reading lines, prompts and packets stays inside the
// caller's buffer and ends.
#include <fcntl.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "pad/line_reader.h"

namespace {

using namespace lumvex::pad;

// A terminal nobody writes to: every wait ends at once with a timeout.
SerialPort& QuietPort() {
  static std::optional<SerialPort> port = [] {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) std::abort();
    auto opened = SerialPort::Open(::ptsname(master), PortSettings{});
    if (!opened.port) std::abort();
    return std::move(opened.port);
  }();
  return *port;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Deadline now(Milliseconds(0));

  LineReader packets;
  packets.Append(bytes);
  char into[16];
  for (int i = 0; i <= static_cast<int>(size); ++i) {
    const auto packet = packets.ReadPacket(QuietPort(), into, now);
    if (packet.kind == PacketOutcome::Packet && packet.size > sizeof into) std::abort();
    if (packet.kind == PacketOutcome::Timeout) break;
  }

  LineReader lines;
  lines.Append(bytes);
  const auto ok = [](std::string_view line) { return line == "OK" ? Verdict::Success : Verdict::Skip; };
  lines.AwaitLine(QuietPort(), ok, now);
  lines.AwaitPrompt(
      QuietPort(), [](std::string_view) { return Verdict::Skip; }, now);
  lines.Append(bytes);
  lines.DiscardPending(QuietPort());
  return 0;
}
