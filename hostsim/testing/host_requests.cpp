#include "hostsim/testing/host_requests.h"

#include "core/clock.h"
#include "core/text_format.h"
#include "hostsim/password_block.h"

namespace lumvex::hostsim::testing {

namespace {

std::string Request(std::string_view version, std::string_view serviceCode, std::string_view staffId,
                    std::string_view block, int number, std::string_view function, std::string_view tail) {
  const std::string code(serviceCode), staff(staffId), pin(block), fn(function), rest(tail), ver(version);
  return Format("RQT   DWLD%.7s0000    %-8s%.6s%.16s%.6s%.3d%.5s%.16s", ver.c_str(), code.c_str(), staff.c_str(),
                pin.c_str(), "kordex", number, fn.c_str(), rest.c_str());
}

}  // namespace

std::string PasswordBlockAt(std::string_view password, std::time_t when) {
  const auto time = ToLocalTime(when).value_or(LocalTime{});
  return MixPasswordBlock(std::string(password) + "ffffffffff", ClockDigits(time)).value_or(std::string());
}

std::string DownloadRequest(std::string_view serviceCode, std::string_view staffId, std::string_view passwordBlock,
                            int dayOfYear, int blockNumber) {
  return Request("W95105 ", serviceCode, staffId, passwordBlock, dayOfYear, "BATCH",
                 Format("%05d", blockNumber));
}

std::string ChangePasswordRequest(std::string_view serviceCode, std::string_view staffId,
                                  std::string_view oldPasswordBlock, std::string_view newPasswordBlock) {
  return Request("W95V101", serviceCode, staffId, oldPasswordBlock, 0, "CHPSW", newPasswordBlock);
}

}  // namespace lumvex::hostsim::testing
