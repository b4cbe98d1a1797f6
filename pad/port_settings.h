#pragma once

#include <optional>
#include <string>

#include <termios.h>

namespace lumvex::pad {

// Line settings as the caller names them ("14400", "n", "8", "1").
struct PortSettings {
  speed_t speed = B9600;
  char parity = 'n';  // 'n', 'e' or 'o'
  int dataBits = 8;   // 7 or 8
  int stopBits = 1;   // 1 or 2
};

// Empty when a text is not one of the settings this library can apply.
std::optional<PortSettings> ParsePortSettings(const char* speed, const char* parity,
                                              const char* dataBits, const char* stopBits);

// "COMn" becomes $PADX25_COMn or /dev/ttyS{n-1}; any other text names the
// device itself (a path or "tcp:HOST:PORT"). Empty for an empty name.
std::optional<std::string> ResolveDevice(const char* port);

}  // namespace lumvex::pad
