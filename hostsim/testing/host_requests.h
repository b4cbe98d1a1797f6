#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace lumvex::hostsim::testing {

// Requests as a client builds them, for tests that play the client.

// The password block of a six-digit password made at `when` (local time).
std::string PasswordBlockAt(std::string_view password, std::time_t when);
std::string DownloadRequest(std::string_view serviceCode, std::string_view staffId, std::string_view passwordBlock,
                            int dayOfYear, int blockNumber);
std::string ChangePasswordRequest(std::string_view serviceCode, std::string_view staffId,
                                  std::string_view oldPasswordBlock, std::string_view newPasswordBlock);

}  // namespace lumvex::hostsim::testing
