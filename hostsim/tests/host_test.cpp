#include "hostsim/host.h"

#include <gtest/gtest.h>

#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "hostsim/host_reply.h"
#include "hostsim/testing/host_requests.h"

namespace lumvex::hostsim {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;
using testing::ChangePasswordRequest;
using testing::DownloadRequest;
using testing::PasswordBlockAt;

constexpr std::time_t kNow = 1700000000;

// A received-file image of `payloadSize` bytes, none of them 0x00, 0x03 or 0x13.
std::string MakeImage(std::size_t payloadSize) {
  std::string image = std::to_string(1000000000 + payloadSize).substr(1);
  for (std::size_t i = 0; i < payloadSize; ++i) image += static_cast<char>('A' + i % 26);
  return image + "1000000005";
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_ / "accounts", "# service staff password\nacme 123456 654321\nacme 222222 111111\n");
    std::filesystem::create_directory(dir_ / "acme");
    WriteFile(dir_ / "acme" / "05012024.rcv", image_);  // day 5
  }

  HostAnswer Ask(const std::string& request) {
    Host host(dir_.path(), options_, [] { return kNow; });
    return host.Answer(request);
  }
  std::string Download(int block, std::string_view password = "654321", std::string_view staff = "123456",
                       int day = 5) {
    return DownloadRequest("acme", staff, PasswordBlockAt(password, kNow - 30), day, block);
  }

  TempDir dir_;
  HostOptions options_;
  const std::string image_ = MakeImage(1100);  // 1119 bytes: blocks of 512, 512, 95
};

TEST_F(HostTest, ServesTheImageBlockByBlockThenItsSize) {
  Host host(dir_.path(), options_, [] { return kNow; });
  std::string received;
  for (int block = 0; block < 3; ++block) {
    const HostAnswer answer = host.Answer(Download(block));
    ASSERT_EQ(answer.action, HostAnswer::Action::Reply);
    const std::string& reply = answer.reply;
    EXPECT_EQ(reply.substr(0, 25), "RPY   DWLDW95105 0000    ");
    EXPECT_EQ(reply.substr(25, 5), Format("%05d", block + 1));
    const std::size_t length = std::stoul(reply.substr(30, 3));
    EXPECT_EQ(length, block < 2 ? 512u : 95u);
    ASSERT_EQ(reply.size(), 33 + length);
    received += reply.substr(33);
  }
  EXPECT_EQ(received, image_);
  EXPECT_EQ(host.Answer(Download(3)).reply.substr(25), " End 015BATCH0000001119");
  EXPECT_EQ(host.Answer(Download(7)).reply.substr(25), " End 015BATCH0000001119");
}

TEST_F(HostTest, EndReplyCanBeBentForTests) {
  options_.endBlock = "ConP ";
  options_.sizeOffset = 1;
  EXPECT_EQ(Ask(Download(3)).reply.substr(25), "ConP 015BATCH0000001120");
  options_ = {};
  options_.functionType = "XXXXX";
  EXPECT_EQ(Ask(Download(3)).reply.substr(25), " End 015XXXXX0000001119");
  options_.blockType = "E1zzz";
  EXPECT_EQ(Ask(Download(0)).reply.substr(25), "E1zzz016Unexpected block");
}

TEST_F(HostTest, RefusesWithErrorReplies) {
  const std::string good = Download(0);
  std::string shortCode = good;
  shortCode.replace(25, 8, "        ");
  std::string escape = good;
  escape.replace(25, 8, "..      ");
  std::string badDigit = good;
  badDigit[70] = 'x';
  const struct {
    std::string request;
    std::string text;
  } cases[] = {
      {"", "Invalid request"},
      {good.substr(0, 73), "Invalid request"},
      {good + "0", "Invalid request"},
      {shortCode, "Invalid request"},
      {escape, "Invalid request"},
      {badDigit, "Invalid request"},
      {DownloadRequest("acme", "123456", PasswordBlockAt("654321", kNow), 0, 0), "Invalid request"},
      {DownloadRequest("nobody", "123456", PasswordBlockAt("654321", kNow), 5, 0), "Service Code not found"},
      {Download(0, "654321", "999999"), "Staff ID not found"},
      {Download(0, "111111"), "Invalid password"},
      {DownloadRequest("acme", "123456", PasswordBlockAt("654321", kNow - 600), 5, 0), "Invalid password"},
      {Download(0, "654321", "123456", 6), "File not found"},
  };
  for (const auto& c : cases) {
    const std::string reply = Ask(c.request).reply;
    EXPECT_EQ(reply.substr(25), "Error" + Format("%03zu", c.text.size()) + c.text) << c.request;
    EXPECT_EQ(reply.substr(0, 3), "RPY");
    EXPECT_EQ(reply.size(), 33 + c.text.size());
  }
}

TEST_F(HostTest, ErrorTextIsCutToFitThePasswordChangeBuffer) {
  options_.errorText = std::string(60, 'e');
  const std::string reply = Ask(Download(0)).reply;
  EXPECT_EQ(reply.substr(25, 8), "Error046");
  EXPECT_EQ(reply.size(), 79u);
}

TEST_F(HostTest, RefusesAnImageThatCarriesEtx) {
  WriteFile(dir_ / "acme" / "05012024.rcv", "000000003a\x03z");
  EXPECT_EQ(Ask(Download(0)).reply.substr(33), "File damaged");
}

TEST_F(HostTest, ServesTheLatestFileOfTheDay) {
  WriteFile(dir_ / "acme" / "05012023.rcv", MakeImage(3));
  WriteFile(dir_ / "acme" / "05012025.rcv", MakeImage(7));
  EXPECT_EQ(Ask(Download(0)).reply.substr(33), MakeImage(7));
}

TEST_F(HostTest, ChangesThePasswordAndKeepsTheOtherLines) {
  const auto request = ChangePasswordRequest("acme", "123456", PasswordBlockAt("654321", kNow + 5),
                                             PasswordBlockAt("777888", kNow + 6));
  ASSERT_EQ(request.size(), 85u);
  EXPECT_EQ(Ask(request).reply.substr(25), " End 005CHPSW");
  EXPECT_EQ(ReadFile(dir_ / "accounts"),
            "# service staff password\nacme 123456 777888\nacme 222222 111111\n");
  EXPECT_EQ(Ask(Download(0)).reply.substr(33), "Invalid password");
  EXPECT_EQ(Ask(Download(0, "777888")).reply.substr(25, 5), "00001");

  const auto bad = ChangePasswordRequest("acme", "123456", PasswordBlockAt("777888", kNow),
                                         PasswordBlockAt("77788a", kNow));
  EXPECT_EQ(Ask(bad).reply.substr(33), "Invalid new password");
}

TEST_F(HostTest, DropsTheLineOrClearsTheCallAfterKBlocks) {
  options_.hangupAfter = 2;
  Host host(dir_.path(), options_, [] { return kNow; });
  EXPECT_EQ(host.Answer(Download(0)).action, HostAnswer::Action::Reply);
  EXPECT_EQ(host.Answer(Download(1)).action, HostAnswer::Action::Reply);
  EXPECT_EQ(host.Answer(Download(2)).action, HostAnswer::Action::DropLine);
  host.NewCall();
  EXPECT_EQ(host.Answer(Download(2)).action, HostAnswer::Action::Reply);

  options_ = {};
  options_.clearAfter = 0;
  EXPECT_EQ(Ask(Download(0)).action, HostAnswer::Action::ClearCall);
}

}  // namespace
}  // namespace lumvex::hostsim
