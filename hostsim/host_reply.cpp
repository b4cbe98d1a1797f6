#include "hostsim/host_reply.h"

#include <algorithm>

#include "core/text_format.h"

namespace lumvex::hostsim {

namespace {

// Five bytes exactly, so the fields after it keep their columns.
std::string FiveBytes(std::string_view text) {
  std::string field(text.substr(0, 5));
  field.resize(5, ' ');
  return field;
}

}  // namespace

std::string ReplyHeader(std::string_view request) {
  std::string header(request.substr(0, 25));
  header.resize(25, ' ');
  header.replace(0, 3, "RPY");
  return header;
}

std::string FormatReply(std::string_view header, std::string_view blockType, std::string_view rest) {
  std::string reply(header);
  reply += FiveBytes(blockType);
  reply += Format("%03zu", std::min<std::size_t>(rest.size(), 999));
  reply += rest;
  return reply;
}

std::string DataBlockReply(std::string_view header, int blockNumber, std::string_view data) {
  return FormatReply(header, Format("%05d", blockNumber), data.substr(0, kBlockSize));
}

std::string DownloadEndReply(std::string_view header, std::string_view blockType, std::string_view function,
                             std::size_t fileSize) {
  return FormatReply(header, blockType, FiveBytes(function) + Format("%010zu", fileSize));
}

std::string ChangePasswordEndReply(std::string_view header, std::string_view function) {
  return FormatReply(header, kEndBlock, FiveBytes(function));
}

std::string ErrorReply(std::string_view header, std::string_view text) {
  return FormatReply(header, kErrorBlock, text.substr(0, kMaxErrorText));
}

}  // namespace lumvex::hostsim
