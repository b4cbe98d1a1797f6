#include <cstdio>
#include <string>
#include <vector>

#include "hostsim/options.h"
#include "hostsim/simulator.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto parsed = lumvex::hostsim::ParseOptions(args);
  if (!parsed.options) {
    std::fputs(parsed.message.c_str(), parsed.exitStatus == 0 ? stdout : stderr);
    return parsed.exitStatus;
  }
  return lumvex::hostsim::RunSimulator(*parsed.options);
}
