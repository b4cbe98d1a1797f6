#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvex::hostsim {

// Compresses a plain data file and packs it as a received-file image. Empty
// when this build has no encoder.
std::optional<std::string> PackDataFile(std::string_view data);

}  // namespace lumvex::hostsim
