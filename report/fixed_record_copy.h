#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/message_port.h"

namespace lumvex::report {

inline constexpr std::size_t kCopyFirstColumn = 19;
inline constexpr std::size_t kCopyRecordData = 256;
inline constexpr std::size_t kCopyRecordLength = kCopyRecordData + 2;  // with CR LF

// The copy record of one data line: its characters 19 to 274, line-end
// characters and positions past its end read as spaces, then CR LF.
std::string CopyRecordOf(std::string_view line);

// Writes the data file `source` (opened read-only) to `destination` as fixed
// 258-byte records, one per line, up to the first line shorter than 10
// characters. An empty destination means "temp.dat"; an existing one is
// overwritten. Failures are shown through `messages` ("Can't open file %s"
// with the path as given); true when every record was written. Relative
// paths are taken under `base` when one is given.
bool CopyFixedRecords(const std::filesystem::path& source, const std::filesystem::path& destination,
                      MessagePort& messages, const std::filesystem::path& base = {});

}  // namespace lumvex::report
