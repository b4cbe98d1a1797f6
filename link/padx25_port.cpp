#include "link/padx25_port.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string>

#include "pad/padx25.h"

namespace lumvex::link {
namespace {

std::string Text(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

}  // namespace

int PadX25Library::OpenPadX25(std::string_view port, std::string_view speed, std::string_view parity,
                              std::string_view dataBits, std::string_view stopBits) {
  return ::OpenPadX25(Text(port).c_str(), Text(speed).c_str(), Text(parity).c_str(), Text(dataBits).c_str(),
                      Text(stopBits).c_str());
}

int PadX25Library::InitPadX25() { return ::InitPadX25(); }

int PadX25Library::BindPadX25(std::string_view dial, std::span<char> answer) {
  // The library writes up to 100 bytes; a smaller buffer gets a copy.
  std::array<char, kBindAnswerCapacity> room{};
  const int result = ::BindPadX25(Text(dial).c_str(), room.data());
  if (!answer.empty()) {
    const std::size_t n = std::min(::strnlen(room.data(), room.size()), answer.size() - 1);
    std::memcpy(answer.data(), room.data(), n);
    answer[n] = '\0';
  }
  return result;
}

int PadX25Library::bStatPadX25() { return ::bStatPadX25(); }

int PadX25Library::LinkPadX25(std::string_view address) { return ::LinkPadX25(Text(address).c_str()); }

int PadX25Library::aStatPadX25() { return ::aStatPadX25(); }

int PadX25Library::spkt_padx25(std::string_view request, int waitSeconds) {
  if (request.size() > static_cast<std::size_t>(INT_MAX)) return 1;
  return ::spkt_padx25(request.data(), static_cast<int>(request.size()), waitSeconds);
}

int PadX25Library::rpkt_padx25(std::span<char> reply, int& length, int waitSeconds) {
  if (reply.empty()) return 1;
  // The library learns the room from the length; never more than the span.
  length = static_cast<int>(std::min<std::size_t>(reply.size(), static_cast<std::size_t>(INT_MAX)));
  return ::rpkt_padx25(reply.data(), &length, waitSeconds);
}

int PadX25Library::ShutPadX25() { return ::ShutPadX25(); }

}  // namespace lumvex::link
