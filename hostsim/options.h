#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/host.h"
#include "hostsim/modem_simulator.h"
#include "hostsim/pad_simulator.h"

namespace lumvex::hostsim {

struct SimulatorOptions {
  std::filesystem::path dataDir;
  std::optional<std::filesystem::path> link;  // symbolic link to the pseudo-terminal
  std::optional<int> tcpPort;                 // listen on TCP instead
  int paceBitsPerSecond = 0;                  // 0: as fast as the device takes it
  bool verbose = false;
  ModemOptions modem;
  PadOptions pad;
  HostOptions host;
};

struct ParsedOptions {
  std::optional<SimulatorOptions> options;  // empty: print `message` and stop
  std::string message;                      // usage error or the help text
  int exitStatus = 0;
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);
const char* HelpText();

}  // namespace lumvex::hostsim
