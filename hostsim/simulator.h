#pragma once

#include "hostsim/options.h"

namespace lumvex::hostsim {

// Announces the device on standard output and serves until SIGTERM or
// SIGINT. Returns the process's exit status.
int RunSimulator(const SimulatorOptions& options);

}  // namespace lumvex::hostsim
