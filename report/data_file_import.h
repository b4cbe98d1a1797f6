#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/message_port.h"

namespace lumvex::report {

inline constexpr std::string_view kServiceType = "KORDEX";
// Date Prepare of a file that has no header line to take a bill date from.
inline constexpr std::string_view kUnknownDatePrepare = "00/00/0000";

// What the catalogue entry of an imported file needs.
struct ImportedFile {
  std::string datePrepare;     // DD/MM/YYYY from the last header line
  std::uint64_t byteCount = 0;  // bytes stored, the File Size
};

// Copies the data file `chosen` (opened read-only) to `destination` line by
// line, up to the first line shorter than 10 characters, checking every
// header line against `serviceCode` and the service type. The copy is made
// under a temporary name beside `destination` and takes its place only when
// it is whole, so a refused or failed import leaves nothing new in the store.
// `fileName` is the name the refusal message gives. Every failure is shown
// through `messages` with the texts of the Import command.
std::optional<ImportedFile> CopyImportedFile(const std::filesystem::path& chosen,
                                             const std::filesystem::path& destination,
                                             std::string_view serviceCode, std::string_view fileName,
                                             MessagePort& messages);

}  // namespace lumvex::report
