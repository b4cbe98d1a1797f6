#pragma once

#include <span>
#include <string_view>

// The nine operations of the PAD access library, one virtual function each,
// named and answering as the library does, so the link control can run
// against the real library or a scripted fake. Texts are passed without
// their terminator; buffers carry their capacity.
namespace lumvex::link {

inline constexpr int kPacketWaitSeconds = 45;
inline constexpr std::size_t kBindAnswerCapacity = 100;

class PadPort {
 public:
  virtual ~PadPort() = default;

  // Non-zero: the serial port is open.
  virtual int OpenPadX25(std::string_view port, std::string_view speed, std::string_view parity,
                         std::string_view dataBits, std::string_view stopBits) = 0;
  // Non-zero: modem and PAD initialised.
  virtual int InitPadX25() = 0;
  // Non-zero: the access point answered. On zero `answer` holds a
  // zero-terminated text that tells why.
  virtual int BindPadX25(std::string_view dial, std::span<char> answer) = 0;
  // Non-zero: the PAD is usable.
  virtual int bStatPadX25() = 0;
  // Non-zero: the X.25 call to `address` is established.
  virtual int LinkPadX25(std::string_view address) = 0;
  // Non-zero: the host connection is usable.
  virtual int aStatPadX25() = 0;
  // Zero: the request was sent.
  virtual int spkt_padx25(std::string_view request, int waitSeconds) = 0;
  // Zero: one reply was placed in `reply`, at most its size less one bytes;
  // `length` then holds how many.
  virtual int rpkt_padx25(std::span<char> reply, int& length, int waitSeconds) = 0;
  // Non-zero: the link is cleared and the port closed.
  virtual int ShutPadX25() = 0;
};

}  // namespace lumvex::link
