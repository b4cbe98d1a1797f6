#pragma once

#include <string>
#include <string_view>

// The fixed-column messages exchanged with the bank's host: one request
// layout for both transactions and one reply layout whose block type at
// offset 25 says what the reply is.
namespace lumvex::link {

inline constexpr std::string_view kDownloadVersion = "W95105 ";
inline constexpr std::string_view kChangePasswordVersion = "W95V101";
inline constexpr std::string_view kServiceType = "kordex";
inline constexpr std::string_view kDownloadFunction = "BATCH";
inline constexpr std::string_view kChangePasswordFunction = "CHPSW";
inline constexpr std::string_view kFirstBlockNumber = "00000";

inline constexpr std::size_t kDownloadReplyCapacity = 700;
inline constexpr std::size_t kChangePasswordReplyCapacity = 80;
inline constexpr std::size_t kMaxBlockLength = 512;
inline constexpr std::size_t kBlockTypeOffset = 25;
inline constexpr std::size_t kDataOffset = 33;

// "RQT   DWLD%.7s0000    %-8s%.6s%.16s%.6s%.3d%.5s%.16s"
std::string BuildRequest(std::string_view version, std::string_view serviceCode, std::string_view staffId,
                         std::string_view passwordBlock, int number, std::string_view function,
                         std::string_view last);

// 74 bytes: the block number in its last five.
std::string BuildDownloadRequest(std::string_view serviceCode, std::string_view staffId,
                                 std::string_view passwordBlock, int dayOfYear, std::string_view blockNumber);
// 85 bytes: the block of the new password in its last sixteen.
std::string BuildChangePasswordRequest(std::string_view serviceCode, std::string_view staffId,
                                       std::string_view oldPasswordBlock, std::string_view newPasswordBlock);

struct DownloadReply {
  enum class Kind {
    DataBlock,          // data, nextBlockNumber
    End,                // " End " or "ConP " for "BATCH": sizeText, expectedSize
    FunctionTypeError,  // an end reply for another function
    HostError,          // "Error": message is the host's text
    OtherBlockType,     // message "Error cc : text"
    BadDataBlock,       // digits at offset 25 but a length that the reply does not hold
  };
  Kind kind = Kind::OtherBlockType;
  std::string nextBlockNumber;  // the five bytes at offset 25
  std::string_view data;        // inside the reply passed in
  std::string sizeText;         // "%.10s" from offset 38
  long expectedSize = 0;
  std::string message;
};

// `reply` holds the bytes received; anything beyond them reads as zero, as
// in the zero-filled receive buffer. Texts end at the first zero byte.
DownloadReply ClassifyDownloadReply(std::string_view reply);

struct ChangePasswordReply {
  bool completed = false;
  std::string message;  // when not completed
};

ChangePasswordReply ClassifyChangePasswordReply(std::string_view reply);

inline constexpr std::string_view kFunctionTypeError = "Function type error";
inline constexpr std::string_view kBlockTypeError = "Block type error";
inline constexpr std::string_view kReceiveDataLoss = "Receive data loss";

}  // namespace lumvex::link
