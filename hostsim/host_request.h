#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvex::hostsim {

inline constexpr std::string_view kRequestHeader = "RQT   DWLD";
inline constexpr std::string_view kDownloadVersion = "W95105 ";
inline constexpr std::string_view kChangePasswordVersion = "W95V101";
inline constexpr std::string_view kServiceType = "kordex";
inline constexpr std::string_view kDownloadFunction = "BATCH";
inline constexpr std::string_view kChangePasswordFunction = "CHPSW";
inline constexpr std::size_t kDownloadRequestSize = 74;
inline constexpr std::size_t kChangePasswordRequestSize = 85;

// One request of a client, taken apart by its fixed columns.
struct HostRequest {
  enum class Function { Download, ChangePassword } function = Function::Download;
  std::string serviceCode;     // offset 25, 8 bytes, trailing blanks removed
  std::string staffId;         // offset 33, 6 digits
  std::string passwordBlock;   // offset 39, 16 hexadecimal digits
  int dayOfYear = 0;           // offset 61, 3 digits (000 in a password change)
  int blockNumber = 0;         // offset 69, 5 digits (download)
  std::string newPasswordBlock;  // offset 69, 16 hexadecimal digits (password change)
};

// Empty when the bytes are not a request of either shape.
std::optional<HostRequest> ParseHostRequest(std::string_view packet);

}  // namespace lumvex::hostsim
