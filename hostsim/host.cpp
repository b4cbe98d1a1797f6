#include "hostsim/host.h"

#include "hostsim/host_reply.h"
#include "hostsim/password_block.h"

namespace lumvex::hostsim {

namespace {

std::string_view ImageErrorText(ReceivedImage::Error error) {
  switch (error) {
    case ReceivedImage::Error::TooLarge: return "File too large";
    case ReceivedImage::Error::HasEtx: return "File damaged";
    default: return "File not available";
  }
}

}  // namespace

Host::Host(std::filesystem::path dataDir, HostOptions options, std::function<std::time_t()> now)
    : dataDir_(std::move(dataDir)), options_(std::move(options)), now_(std::move(now)),
      accounts_(dataDir_ / "accounts") {}

HostAnswer Host::Answer(std::string_view packet) {
  const std::string header = ReplyHeader(packet);
  const int served = dataBlocksThisCall_;
  if (options_.hangupAfter && served >= *options_.hangupAfter) return {HostAnswer::Action::DropLine, {}};
  if (options_.clearAfter && served >= *options_.clearAfter) return {HostAnswer::Action::ClearCall, {}};
  if (options_.errorText) return {HostAnswer::Action::Reply, ErrorReply(header, *options_.errorText)};
  if (options_.blockType) {
    return {HostAnswer::Action::Reply, FormatReply(header, *options_.blockType, "Unexpected block")};
  }

  const auto request = ParseHostRequest(packet);
  if (!request) return {HostAnswer::Action::Reply, ErrorReply(header, "Invalid request")};
  if (request->function == HostRequest::Function::Download) {
    return {HostAnswer::Action::Reply, Download(header, *request)};
  }
  return {HostAnswer::Action::Reply, ChangePassword(header, *request)};
}

std::optional<std::string> Host::CheckLogin(const HostRequest& request, std::string& password) const {
  const auto account = accounts_.Find(request.serviceCode, request.staffId);
  if (account.lookup == Accounts::Lookup::UnknownServiceCode) return "Service Code not found";
  if (account.lookup == Accounts::Lookup::UnknownStaffId) return "Staff ID not found";
  const auto given = RecoverPassword(request.passwordBlock, now_(), options_.passwordWindow);
  if (!given || *given != account.password) return "Invalid password";
  password = account.password;
  return std::nullopt;
}

std::string Host::Download(const std::string& header, const HostRequest& request) {
  std::string password;
  if (const auto refusal = CheckLogin(request, password)) return ErrorReply(header, *refusal);
  const auto file = FindServedFile(dataDir_, request.serviceCode, request.dayOfYear);
  if (!file) return ErrorReply(header, "File not found");
  const ReceivedImage& image = ImageOf(*file);
  if (image.error != ReceivedImage::Error::None) return ErrorReply(header, ImageErrorText(image.error));

  const std::size_t offset = static_cast<std::size_t>(request.blockNumber) * kBlockSize;
  if (offset < image.bytes.size()) {
    ++dataBlocksThisCall_;
    return DataBlockReply(header, request.blockNumber + 1, std::string_view(image.bytes).substr(offset, kBlockSize));
  }
  const long size = static_cast<long>(image.bytes.size()) + options_.sizeOffset;
  return DownloadEndReply(header, options_.endBlock, options_.functionType.value_or(std::string(kDownloadFunction)),
                          static_cast<std::size_t>(size < 0 ? 0 : size));
}

std::string Host::ChangePassword(const std::string& header, const HostRequest& request) {
  std::string password;
  if (const auto refusal = CheckLogin(request, password)) return ErrorReply(header, *refusal);
  const auto fresh = RecoverPassword(request.newPasswordBlock, now_(), options_.passwordWindow);
  if (!fresh) return ErrorReply(header, "Invalid new password");
  if (!accounts_.ChangePassword(request.serviceCode, request.staffId, *fresh)) {
    return ErrorReply(header, "Cannot store the new password");
  }
  return ChangePasswordEndReply(header, options_.functionType.value_or(std::string(kChangePasswordFunction)));
}

const ReceivedImage& Host::ImageOf(const ServedFile& file) {
  std::error_code ec;
  const auto time = std::filesystem::last_write_time(file.path, ec);
  if (ec || file.path != cachedPath_ || time != cachedTime_) {
    cachedImage_ = LoadReceivedImage(file);
    cachedPath_ = file.path;
    cachedTime_ = time;
  }
  return cachedImage_;
}

}  // namespace lumvex::hostsim
