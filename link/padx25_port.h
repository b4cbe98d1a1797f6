#pragma once

#include "link/pad_port.h"

namespace lumvex::link {

// The PAD operations of the real library (libpadx25).
class PadX25Library : public PadPort {
 public:
  int OpenPadX25(std::string_view port, std::string_view speed, std::string_view parity, std::string_view dataBits,
                 std::string_view stopBits) override;
  int InitPadX25() override;
  int BindPadX25(std::string_view dial, std::span<char> answer) override;
  int bStatPadX25() override;
  int LinkPadX25(std::string_view address) override;
  int aStatPadX25() override;
  int spkt_padx25(std::string_view request, int waitSeconds) override;
  int rpkt_padx25(std::span<char> reply, int& length, int waitSeconds) override;
  int ShutPadX25() override;
};

}  // namespace lumvex::link
