#include "link/testing/scripted_pad.h"

#include <algorithm>

namespace lumvex::link::testing {

int ScriptedPad::OpenPadX25(std::string_view port, std::string_view speed, std::string_view parity,
                            std::string_view dataBits, std::string_view stopBits) {
  return Record("OpenPadX25 " + std::string(port) + " " + std::string(speed) + " " + std::string(parity) + " " +
                    std::string(dataBits) + " " + std::string(stopBits),
                open);
}

int ScriptedPad::BindPadX25(std::string_view dial, std::span<char> answer) {
  if (bind == 0 && !answer.empty()) {
    const std::size_t n = std::min(bindAnswer.size(), answer.size() - 1);
    std::copy_n(bindAnswer.begin(), n, answer.begin());
    answer[n] = '\0';
  }
  return Record("BindPadX25 " + std::string(dial), bind);
}

int ScriptedPad::LinkPadX25(std::string_view address) { return Record("LinkPadX25 " + std::string(address), link); }

int ScriptedPad::spkt_padx25(std::string_view request, int waitSeconds) {
  requests_.emplace_back(request);
  return Record("spkt_padx25 " + std::to_string(waitSeconds), sendResult);
}

int ScriptedPad::rpkt_padx25(std::span<char> reply, int& length, int waitSeconds) {
  capacities_.push_back(length);
  Record("rpkt_padx25 " + std::to_string(waitSeconds), 0);
  if (replies_.empty() || replies_.front() == kFailure) {
    if (!replies_.empty()) replies_.pop_front();
    calls_.back() += " failed";
    return 1;
  }
  const std::string next = std::move(replies_.front());
  replies_.pop_front();
  // Like the library: at most capacity - 1 bytes, a longer reply is a failure.
  if (reply.empty() || next.size() > reply.size() - 1) return 1;
  std::copy(next.begin(), next.end(), reply.begin());
  length = static_cast<int>(next.size());
  return 0;
}

}  // namespace lumvex::link::testing
