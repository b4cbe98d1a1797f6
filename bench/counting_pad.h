#pragma once

#include <cstddef>
#include <string>

#include "core/text_format.h"
#include "link/padx25_port.h"

// What the download benchmarks share: the real PAD library counting what
// crosses the line, and bill-payment-like lines to serve.
namespace lumvex::bench {

class CountingPad : public link::PadX25Library {
 public:
  int spkt_padx25(std::string_view request, int waitSeconds) override {
    ++requests;
    requestBytes += request.size() + 1;
    return PadX25Library::spkt_padx25(request, waitSeconds);
  }
  int rpkt_padx25(std::span<char> reply, int& length, int waitSeconds) override {
    const int result = PadX25Library::rpkt_padx25(reply, length, waitSeconds);
    if (result == 0) replyBytes += static_cast<std::size_t>(length) + 1;
    return result;
  }
  void Reset() { requests = requestBytes = replyBytes = 0; }
  std::size_t requests = 0, requestBytes = 0, replyBytes = 0;
};

inline std::string BillData(std::size_t lines) {
  std::string data;
  unsigned x = 11;
  for (std::size_t i = 0; i < lines; ++i) {
    x = x * 1103515245u + 12345u;
    data += Format("I%06zu%010u%08u TH %05u\r\n", i, x, x % 99991u, (x >> 8) % 65521u);
  }
  return data;
}

}  // namespace lumvex::bench
