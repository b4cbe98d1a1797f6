#include "link/host_messages.h"

#include <algorithm>

#include "core/decimal.h"
#include "core/text_format.h"

namespace lumvex::link {
namespace {

constexpr std::string_view kEndBlock = " End ";
constexpr std::string_view kConPBlock = "ConP ";
constexpr std::string_view kErrorBlock = "Error";
constexpr std::size_t kLengthOffset = 30;
constexpr std::size_t kSizeOffset = 38;
constexpr std::size_t kSizeWidth = 10;

std::string Cut(std::string_view text, std::size_t width) { return std::string(text.substr(0, width)); }

// `width` bytes at `offset`, zeros where the reply has ended.
std::string Field(std::string_view reply, std::size_t offset, std::size_t width) {
  std::string field(width, '\0');
  for (std::size_t i = 0; i < width && offset + i < reply.size(); ++i) field[i] = reply[offset + i];
  return field;
}

// From `offset` to the first zero byte or the end of the reply.
std::string TextFrom(std::string_view reply, std::size_t offset) {
  if (offset >= reply.size()) return {};
  std::string_view text = reply.substr(offset);
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

std::string BuildRequest(std::string_view version, std::string_view serviceCode, std::string_view staffId,
                         std::string_view passwordBlock, int number, std::string_view function,
                         std::string_view last) {
  const std::string v = Cut(version, 7), code(serviceCode), staff = Cut(staffId, 6),
                    block = Cut(passwordBlock, 16), type = Cut(kServiceType, 6), fn = Cut(function, 5),
                    tail = Cut(last, 16);
  return Format("RQT   DWLD%.7s0000    %-8s%.6s%.16s%.6s%.3d%.5s%.16s", v.c_str(), code.c_str(), staff.c_str(),
                block.c_str(), type.c_str(), number, fn.c_str(), tail.c_str());
}

std::string BuildDownloadRequest(std::string_view serviceCode, std::string_view staffId,
                                 std::string_view passwordBlock, int dayOfYear, std::string_view blockNumber) {
  return BuildRequest(kDownloadVersion, serviceCode, staffId, passwordBlock, dayOfYear, kDownloadFunction,
                      blockNumber.substr(0, 5));
}

std::string BuildChangePasswordRequest(std::string_view serviceCode, std::string_view staffId,
                                       std::string_view oldPasswordBlock, std::string_view newPasswordBlock) {
  return BuildRequest(kChangePasswordVersion, serviceCode, staffId, oldPasswordBlock, 0, kChangePasswordFunction,
                      newPasswordBlock);
}

DownloadReply ClassifyDownloadReply(std::string_view reply) {
  DownloadReply result;
  const std::string blockType = Field(reply, kBlockTypeOffset, 5);
  result.nextBlockNumber = blockType;
  if (ReadDigits(blockType)) {
    const std::string length = Field(reply, kLengthOffset, 3);
    const std::size_t count = static_cast<std::size_t>(ReadDigits(length).value_or(kMaxBlockLength + 1));
    // The stated length must fit a block and lie within what was received.
    if (count > kMaxBlockLength || kDataOffset + count > reply.size()) {
      result.kind = DownloadReply::Kind::BadDataBlock;
      result.message = std::string(kReceiveDataLoss);
      return result;
    }
    result.kind = DownloadReply::Kind::DataBlock;
    result.data = reply.substr(kDataOffset, count);
    return result;
  }
  if (blockType == kEndBlock || blockType == kConPBlock) {
    if (Field(reply, kDataOffset, 5) != kDownloadFunction) {
      result.kind = DownloadReply::Kind::FunctionTypeError;
      result.message = std::string(kFunctionTypeError);
      return result;
    }
    result.kind = DownloadReply::Kind::End;
    const std::string size = Field(reply, kSizeOffset, kSizeWidth);
    result.sizeText = size.substr(0, size.find('\0'));
    result.expectedSize = static_cast<long>(ReadLeadingDecimal(result.sizeText).value);
    return result;
  }
  if (blockType == kErrorBlock) {
    result.kind = DownloadReply::Kind::HostError;
    result.message = TextFrom(reply, kDataOffset);
    return result;
  }
  result.kind = DownloadReply::Kind::OtherBlockType;
  const std::string code = Field(reply, 26, 2);
  result.message = "Error " + code.substr(0, code.find('\0')) + " : " + TextFrom(reply, 28);
  return result;
}

ChangePasswordReply ClassifyChangePasswordReply(std::string_view reply) {
  const std::string blockType = Field(reply, kBlockTypeOffset, 5);
  if (blockType == kEndBlock) {
    if (Field(reply, kDataOffset, 5) == kChangePasswordFunction) return {true, {}};
    return {false, std::string(kFunctionTypeError)};
  }
  if (blockType == kErrorBlock) return {false, TextFrom(reply, kDataOffset)};
  return {false, std::string(kBlockTypeError)};
}

}  // namespace lumvex::link
