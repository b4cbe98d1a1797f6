#include "hostsim/host_request.h"

#include "store/file_names.h"

namespace lumvex::hostsim {

namespace {

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool IsHexDigits(std::string_view text) {
  for (char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) return false;
  }
  return true;
}

int ToNumber(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// Printable and usable as a directory name: it names one below the data directory.
std::optional<std::string> ServiceCodeField(std::string_view field) {
  const auto end = field.find_last_not_of(' ');
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view code = field.substr(0, end + 1);
  for (char c : code) {
    if (c <= ' ' || c > '~') return std::nullopt;
  }
  if (!store::IsSafeServiceCodeName(code)) return std::nullopt;
  return std::string(code);
}

}  // namespace

std::optional<HostRequest> ParseHostRequest(std::string_view packet) {
  if (packet.size() != kDownloadRequestSize && packet.size() != kChangePasswordRequestSize) return std::nullopt;
  if (packet.substr(0, 10) != kRequestHeader || packet.substr(17, 8) != "0000    " ||
      packet.substr(55, 6) != kServiceType) {
    return std::nullopt;
  }

  HostRequest request;
  const std::string_view function = packet.substr(64, 5);
  const std::string_view version = packet.substr(10, 7);
  if (function == kDownloadFunction && packet.size() == kDownloadRequestSize && version == kDownloadVersion) {
    request.function = HostRequest::Function::Download;
  } else if (function == kChangePasswordFunction && packet.size() == kChangePasswordRequestSize &&
             version == kChangePasswordVersion) {
    request.function = HostRequest::Function::ChangePassword;
  } else {
    return std::nullopt;
  }

  const auto serviceCode = ServiceCodeField(packet.substr(25, 8));
  const std::string_view staffId = packet.substr(33, 6);
  const std::string_view block = packet.substr(39, 16);
  const std::string_view day = packet.substr(61, 3);
  const std::string_view tail = packet.substr(69);
  if (!serviceCode || !IsDigits(staffId) || !IsHexDigits(block) || !IsDigits(day)) return std::nullopt;

  request.serviceCode = *serviceCode;
  request.staffId.assign(staffId);
  request.passwordBlock.assign(block);
  request.dayOfYear = ToNumber(day);
  if (request.function == HostRequest::Function::Download) {
    if (!IsDigits(tail) || request.dayOfYear < 1 || request.dayOfYear > 366) return std::nullopt;
    request.blockNumber = ToNumber(tail);
  } else {
    if (!IsHexDigits(tail)) return std::nullopt;
    request.newPasswordBlock.assign(tail);
  }
  return request;
}

}  // namespace lumvex::hostsim
