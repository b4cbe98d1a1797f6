#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace lumvex::hostsim {

// The sixteen clock digits a client mixes into a password block at `time`:
// hour, minute, second, month, day, hour, minute, second, two digits each.
std::string ClockDigits(const LocalTime& time);

// Packs two texts of sixteen hexadecimal digits and returns their exclusive-or
// as sixteen lower-case digits. Mixing is its own inverse: applied to a
// password block and the client's clock digits it yields the padded password.
std::optional<std::string> MixPasswordBlock(std::string_view hexDigits, std::string_view clockDigits);

// The six-digit password hidden in a block made within `windowSeconds` of
// `now`, by trying the clock digits of every second in that window.
std::optional<std::string> RecoverPassword(std::string_view block, std::time_t now, int windowSeconds = 120);

}  // namespace lumvex::hostsim
