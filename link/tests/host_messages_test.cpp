#include "link/host_messages.h"

#include <gtest/gtest.h>

#include "link/tests/reply_builders.h"

namespace lumvex::link {
namespace {

using namespace lumvex::link::testing;
using Kind = DownloadReply::Kind;

TEST(HostMessages, DownloadRequestByteForByte) {
  EXPECT_EQ(BuildDownloadRequest("abc01", "123456", "0123456789abcdef", 5, "00000"),
            "RQT   DWLDW95105 0000    abc01   1234560123456789abcdefkordex005BATCH00000");
  const std::string full = BuildDownloadRequest("abcdefgh", "123456", "0123456789abcdef", 366, "00017");
  EXPECT_EQ(full.size(), 74u);
  EXPECT_EQ(full.substr(25, 8), "abcdefgh");
  EXPECT_EQ(full.substr(61), "366BATCH00017");
}

TEST(HostMessages, ChangePasswordRequestByteForByte) {
  const std::string request = BuildChangePasswordRequest("abc01", "654321", "1111111111111111", "2222222222222222");
  EXPECT_EQ(request, "RQT   DWLDW95V1010000    abc01   6543211111111111111111kordex000CHPSW2222222222222222");
  EXPECT_EQ(request.size(), 85u);
}

TEST(HostMessages, DataBlockGivesItsBytesAndTheNextBlockNumber) {
  const std::string reply = DataBlock(3, std::string(512, 'z'));
  const DownloadReply r = ClassifyDownloadReply(reply);
  EXPECT_EQ(r.kind, Kind::DataBlock);
  EXPECT_EQ(r.nextBlockNumber, "00003");
  EXPECT_EQ(r.data, std::string(512, 'z'));
  EXPECT_EQ(ClassifyDownloadReply(DataBlock(1, "")).kind, Kind::DataBlock);
}

TEST(HostMessages, DownloadReplyClassification) {
  struct Case {
    std::string reply;
    Kind kind;
    std::string message;
  };
  const Case cases[] = {
      {EndReply(1024), Kind::End, ""},
      {EndReply(7, "BATCH", "ConP "), Kind::End, ""},
      {EndReply(7, "CHPSW"), Kind::FunctionTypeError, "Function type error"},
      {ErrorReply("Invalid password"), Kind::HostError, "Invalid password"},
      {Reply("0001x", "12message"), Kind::OtherBlockType, "Error 00 : 1x12message"},
      {Reply("Abort", "gone"), Kind::OtherBlockType, "Error bo : rtgone"},
      {Reply("", ""), Kind::OtherBlockType, "Error  : "},
      // A stated length beyond the block or beyond what arrived.
      {Reply("00002", "600" + std::string(600, 'a')), Kind::BadDataBlock, "Receive data loss"},
      {Reply("00002", "100" + std::string(99, 'a')), Kind::BadDataBlock, "Receive data loss"},
      {Reply("00002", "1x0"), Kind::BadDataBlock, "Receive data loss"},
  };
  for (const auto& c : cases) {
    const DownloadReply r = ClassifyDownloadReply(c.reply);
    EXPECT_EQ(r.kind, c.kind) << c.reply;
    EXPECT_EQ(r.message, c.message) << c.reply;
  }
  const DownloadReply end = ClassifyDownloadReply(EndReply(1024));
  EXPECT_EQ(end.sizeText, "0000001024");
  EXPECT_EQ(end.expectedSize, 1024);
}

TEST(HostMessages, ErrorTextEndsAtTheFirstZeroByte) {
  std::string reply = Reply("Error", "012No such file");
  reply += std::string("\0junk", 5);
  EXPECT_EQ(ClassifyDownloadReply(reply).message, "No such file");
  EXPECT_EQ(ClassifyChangePasswordReply(reply).message, "No such file");
}

TEST(HostMessages, ChangePasswordReplyClassification) {
  struct Case {
    std::string reply;
    bool completed;
    std::string message;
  };
  const Case cases[] = {
      {Reply(" End ", "000CHPSW"), true, ""},
      {Reply(" End ", "000BATCH"), false, "Function type error"},
      {Reply("Error", "012Bad password"), false, "Bad password"},
      {DataBlock(1, "abc"), false, "Block type error"},
      {EndReply(5, "CHPSW", "ConP "), false, "Block type error"},
      {"", false, "Block type error"},
  };
  for (const auto& c : cases) {
    const ChangePasswordReply r = ClassifyChangePasswordReply(c.reply);
    EXPECT_EQ(r.completed, c.completed) << c.reply;
    EXPECT_EQ(r.message, c.message) << c.reply;
  }
}

}  // namespace
}  // namespace lumvex::link
