#pragma once

#include <deque>
#include <string>
#include <vector>

#include "link/pad_port.h"

namespace lumvex::link::testing {

// A PAD library that answers from a script and remembers every call, for
// unit tests of the link control and the transactions.
class ScriptedPad : public PadPort {
 public:
  // Results of the connect operations and of the shut; all succeed by default.
  int open = 1, init = 1, bind = 1, bStat = 1, link = 1, aStat = 1, shut = 1;
  std::string bindAnswer;  // copied into the answer buffer when bind fails
  int sendResult = 0;      // zero: sent

  // Each receive takes the next reply; with none left it fails.
  void QueueReply(std::string reply) { replies_.push_back(std::move(reply)); }
  // A receive that fails (the line dropped), then the replies after it.
  void QueueReceiveFailure() { replies_.push_back(kFailure); }

  const std::vector<std::string>& calls() const { return calls_; }
  const std::vector<std::string>& requests() const { return requests_; }
  const std::vector<int>& receiveCapacities() const { return capacities_; }
  void ClearCalls() { calls_.clear(); }

  int OpenPadX25(std::string_view port, std::string_view speed, std::string_view parity, std::string_view dataBits,
                 std::string_view stopBits) override;
  int InitPadX25() override { return Record("InitPadX25", init); }
  int BindPadX25(std::string_view dial, std::span<char> answer) override;
  int bStatPadX25() override { return Record("bStatPadX25", bStat); }
  int LinkPadX25(std::string_view address) override;
  int aStatPadX25() override { return Record("aStatPadX25", aStat); }
  int spkt_padx25(std::string_view request, int waitSeconds) override;
  int rpkt_padx25(std::span<char> reply, int& length, int waitSeconds) override;
  int ShutPadX25() override { return Record("ShutPadX25", shut); }

 private:
  static constexpr const char* kFailure = "\x01receive-failure";
  int Record(std::string call, int result) {
    calls_.push_back(std::move(call));
    return result;
  }

  std::deque<std::string> replies_;
  std::vector<std::string> calls_;
  std::vector<std::string> requests_;
  std::vector<int> capacities_;
};

}  // namespace lumvex::link::testing
