#include "pad/port_settings.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

namespace lumvex::pad {

namespace {

std::optional<speed_t> ParseSpeed(std::string_view text) {
  // termios has no 14400: the modem's DTE side runs at the next rate up.
  static constexpr std::array<std::pair<std::string_view, speed_t>, 9> kSpeeds{{
      {"1200", B1200}, {"2400", B2400}, {"4800", B4800}, {"9600", B9600}, {"14400", B19200},
      {"19200", B19200}, {"38400", B38400}, {"57600", B57600}, {"115200", B115200},
  }};
  for (const auto& [name, speed] : kSpeeds) {
    if (name == text) return speed;
  }
  return std::nullopt;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

std::optional<PortSettings> ParsePortSettings(const char* speed, const char* parity,
                                              const char* dataBits, const char* stopBits) {
  if (speed == nullptr || parity == nullptr || dataBits == nullptr || stopBits == nullptr) {
    return std::nullopt;
  }
  PortSettings settings;
  const auto rate = ParseSpeed(speed);
  if (!rate) return std::nullopt;
  settings.speed = *rate;

  const std::string_view p(parity);
  if (p.size() != 1) return std::nullopt;
  settings.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(p[0])));
  if (settings.parity != 'n' && settings.parity != 'e' && settings.parity != 'o') return std::nullopt;

  const std::string_view bits(dataBits);
  if (bits == "8") settings.dataBits = 8;
  else if (bits == "7") settings.dataBits = 7;
  else return std::nullopt;

  const std::string_view stop(stopBits);
  if (stop == "1") settings.stopBits = 1;
  else if (stop == "2") settings.stopBits = 2;
  else return std::nullopt;
  return settings;
}

std::optional<std::string> ResolveDevice(const char* port) {
  if (port == nullptr || *port == '\0') return std::nullopt;
  const std::string_view name(port);
  if (name.size() > 3 && (name.substr(0, 3) == "COM" || name.substr(0, 3) == "com") &&
      AllDigits(name.substr(3))) {
    const std::string number(name.substr(3));
    const std::string variable = "PADX25_COM" + number;
    if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') {
      return std::string(device);
    }
    const long n = std::strtol(number.c_str(), nullptr, 10);
    if (n < 1 || n > 256) return std::nullopt;
    return "/dev/ttyS" + std::to_string(n - 1);
  }
  return std::string(name);
}

}  // namespace lumvex::pad
