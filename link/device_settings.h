#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/message_port.h"

// config.dat: the first line is a fixed-column record with the host address,
// the port and speed digits, the dial prefix and the telephone number. The
// connect step reads it as five blank-separated words; the Set device dialog
// rewrites single columns in place. The file comes with the installation and
// is never created or truncated here.
namespace lumvex::link {

inline constexpr std::string_view kCantOpenConfig = "Can't open file config.dat";
inline constexpr std::string_view kCantReadConfig = "Can't read file config.dat";

// The five words as the connect step reads them. Each has the room of its
// fixed buffer: 10, 1, 1, 7 and 20 characters.
struct DeviceSettings {
  std::string hostAddress;
  std::string portDigit;
  std::string speedDigit;
  std::string dialPrefix;
  std::string phoneNumber;
};

enum class ConfigError { CantOpen, BadRecord };

struct ConfigReadResult {
  std::optional<DeviceSettings> settings;
  ConfigError error = ConfigError::CantOpen;  // meaningful only without settings
};

// Five words separated by white space, as "%s %s %s %s %s" would take them; a
// missing word or one longer than its buffer is a bad record.
ConfigReadResult ParseDeviceSettings(std::string_view text);
ConfigReadResult ReadDeviceSettings(const std::filesystem::path& configFile);

// "COM1" to "COM4" and "9600" or "14400"; empty for any other digit.
std::string PortText(std::string_view portDigit);
std::string SpeedText(std::string_view speedDigit);

// What the Set device dialog shows: the digits at columns 11 and 13 and the
// telephone number of columns 22 to 41 without its trailing blanks.
struct DeviceChoices {
  std::string portDigit;
  std::string speedDigit;
  std::string phoneNumber;
};

// From the first line (at most 99 characters, cut at its line feed).
DeviceChoices ParseDeviceChoices(std::string_view text);
// Shows "Can't open file config.dat" and returns nothing when it cannot be read.
std::optional<DeviceChoices> ReadDeviceChoices(const std::filesystem::path& configFile, MessagePort& messages);

inline constexpr std::size_t kMaxPhoneNumberLength = 20;

enum class DeviceWrite {
  Unchanged,   // nothing differed; the file was not opened
  Written,     // the changed columns were rewritten
  CantOpen,    // "Can't open file config.dat" was shown; keep the dialog open
  BadNumber,   // longer than 20 characters; nothing written
};

// Rewrites in place only what differs from what was read: the port digit at
// column 11, the speed digit at column 13, the number padded to 20 columns
// and "x" at column 22.
DeviceWrite WriteDeviceChanges(const std::filesystem::path& configFile, const DeviceChoices& read, int portChoice,
                               int speedChoice, std::string_view phoneNumber, MessagePort& messages);

}  // namespace lumvex::link
