#pragma once

#include <stdlib.h>

#include <string>
#include <vector>

#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "hostsim/testing/hostsim_process.h"

namespace lumvex::link::testing {

// Bill-payment-like lines that compress to several 512-byte blocks.
inline std::string BillData(std::size_t lines, unsigned seed = 1) {
  std::string data;
  unsigned x = seed;
  for (std::size_t i = 0; i < lines; ++i) {
    x = x * 1103515245u + 12345u;
    data += Format("I%06zu%010u%08u\x13 TH\x03 %05u\r\n", i, x, x % 99991u, (x >> 8) % 65521u);
  }
  return data;
}

// A host directory with one account (abc01, 123456, password 654321) and
// a store root whose config.dat points at COM1 = hostsim's device.
struct HostFixture {
  lumvex::testing::TempDir hostDir;
  lumvex::testing::TempDir store;
  std::string year;

  HostFixture() {
    lumvex::testing::WriteFile(hostDir / "accounts", "abc01 123456 654321\n");
    std::filesystem::create_directory(hostDir / "abc01");
    std::filesystem::create_directory(store / "abc01");
    lumvex::testing::WriteFile(store / "config.dat", "2050123456 1 2 ATDT   021234567           x\n");
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    year = std::to_string(tm.tm_year + 1900);
    // Fast escape and hang-up on both sides.
    ::setenv("PADX25_GUARD_MS", "20", 1);
  }
  // The host's file of 5 January this year (day 005).
  std::string Date() const { return "0501" + year; }
  void Serve(const std::string& data) const { lumvex::testing::WriteFile(hostDir / "abc01" / (Date() + ".dat"), data); }
  // hostsim with these options becomes COM1.
  std::unique_ptr<hostsim::testing::HostsimProcess> Start(std::vector<std::string> options = {}) const {
    options.insert(options.begin(), {"--guard-ms", "20"});
    auto host = std::make_unique<hostsim::testing::HostsimProcess>(hostDir.path(), options);
    if (host->started()) ::setenv("PADX25_COM1", host->device().c_str(), 1);
    return host;
  }
};

}  // namespace lumvex::link::testing
