#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumvex::hostsim {

inline constexpr std::size_t kBlockSize = 512;
inline constexpr std::size_t kMaxErrorText = 46;  // fits the 80-byte password-change buffer
inline constexpr std::string_view kEndBlock = " End ";
inline constexpr std::string_view kContinueBlock = "ConP ";
inline constexpr std::string_view kErrorBlock = "Error";

// Bytes 0 to 24 of every reply: the request's first 25 bytes, blank-padded,
// with "RPY" in place of the first three.
std::string ReplyHeader(std::string_view request);

// Header, five-character block type, the length of the rest (three digits),
// the rest. Every reply has this shape.
std::string FormatReply(std::string_view header, std::string_view blockType, std::string_view rest);

std::string DataBlockReply(std::string_view header, int blockNumber, std::string_view data);
std::string DownloadEndReply(std::string_view header, std::string_view blockType, std::string_view function,
                             std::size_t fileSize);
std::string ChangePasswordEndReply(std::string_view header, std::string_view function);
// The text is cut to kMaxErrorText bytes.
std::string ErrorReply(std::string_view header, std::string_view text);

}  // namespace lumvex::hostsim
