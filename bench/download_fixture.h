#pragma once

#include <stdlib.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "core/clock.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "hostsim/testing/hostsim_process.h"
#include "link/padx25_port.h"

// What the download benchmarks share: the real PAD library counting what
// crosses the line, and hostsim serving one file over a 14400 bps line.
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

// hostsim (abc01, 123456, 654321) serving a file for 5 January of this year
// on COM1, and a store whose config.dat dials it.
struct ServedDownload {
  testing::TempDir hostDir, store;
  std::string date;
  std::unique_ptr<hostsim::testing::HostsimProcess> host;
  CountingPad pad;

  ServedDownload() {
    const std::optional<LocalTime> now = SystemClock::Instance().Now();
    date = Format("0501%04d", now ? now->year : 2001);
    testing::WriteFile(hostDir / "accounts", "abc01 123456 654321\n");
    std::filesystem::create_directory(hostDir / "abc01");
    std::filesystem::create_directory(store / "abc01");
    testing::WriteFile(hostDir / "abc01" / (date + ".dat"), BillData(200));
    testing::WriteFile(store / "config.dat", "2050123456 1 2 ATDT   021234567           x\n");
    ::setenv("PADX25_GUARD_MS", "20", 1);
    host = std::make_unique<hostsim::testing::HostsimProcess>(
        hostDir.path(), std::vector<std::string>{"--rate", "14400", "--guard-ms", "20"});
    if (host->started()) ::setenv("PADX25_COM1", host->device().c_str(), 1);
  }
  // The day's files gone, the counts at zero: ready for the next download.
  void Clean() {
    std::error_code ec;
    std::filesystem::remove(store / "abc01/kordex$$.005", ec);
    std::filesystem::remove(store / "abc01/kordex.005", ec);
    pad.Reset();
  }
};

}  // namespace lumvex::bench
