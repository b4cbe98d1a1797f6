// The C interface of libpadx25 against hostsim on a pseudo-terminal: every
// operation's success and failure paths, the way the client uses them.
#include "pad/padx25.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <random>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "hostsim/testing/host_requests.h"
#include "hostsim/testing/hostsim_process.h"
#include "lzw/received_file_packer.h"
#include "lzw/uncompress_received_file.h"

namespace lumvex::pad {
namespace {

using hostsim::testing::ChangePasswordRequest;
using hostsim::testing::DownloadRequest;
using hostsim::testing::HostsimProcess;
using hostsim::testing::PasswordBlockAt;
using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;
using Clock = std::chrono::steady_clock;

constexpr int kDay = 5;  // 05012024
constexpr char kDial[] = "ATDT021234567\r";
constexpr char kAddress[] = "2050123456\r";
constexpr char kSentinel = 0x5A;

// Bytes of every value, so the host has 0x00, 0x03 and 0x13 to replace.
std::string RandomData(std::size_t size) {
  std::mt19937 random(7);
  std::string data(size, '\0');
  for (char& c : data) c = static_cast<char>(random() & 0xFF);
  return data;
}

std::string PasswordBlock(std::string_view password) { return PasswordBlockAt(password, std::time(nullptr)); }

struct Reply {
  int result = -1;
  int length = -1;
  std::string bytes;  // up to the first zero, as the client reads texts; data blocks by length
};

class PadX25Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("PADX25_WAIT_MS");
    ::setenv("PADX25_GUARD_MS", "100", 1);
    WriteFile(dir_ / "accounts", "acme 123456 654321\n");
    std::filesystem::create_directory(dir_ / "acme");
    WriteFile(dir_ / "acme" / "05012024.dat", data_);
  }
  void TearDown() override { ShutPadX25(); }

  void StartHost(std::vector<std::string> options = {}) {
    // The simulator's guard must not exceed the library's.
    options.insert(options.begin(), {"--guard-ms", "50"});
    host_ = std::make_unique<HostsimProcess>(dir_.path(), options);
    ASSERT_TRUE(host_->started()) << host_->error();
    ::setenv("PADX25_COM1", host_->device().c_str(), 1);
  }

  static void Connect() {
    ASSERT_EQ(OpenPadX25("COM1", "14400", "n", "8", "1"), 1);
    ASSERT_EQ(InitPadX25(), 1);
    char answer[100] = {};
    ASSERT_EQ(BindPadX25(kDial, answer), 1) << answer;
    ASSERT_EQ(bStatPadX25(), 1);
    ASSERT_EQ(LinkPadX25(kAddress), 1);
    ASSERT_EQ(aStatPadX25(), 1);
  }

  // One request and its reply into a zero-filled buffer of `capacity`
  // bytes, checking that nothing is written past it.
  static Reply Exchange(const std::string& request, int capacity = 700) {
    if (spkt_padx25(request.c_str(), static_cast<int>(request.size()), 45) != 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(capacity) + 64, kSentinel);
    std::fill_n(buffer.begin(), capacity, '\0');
    Reply reply;
    reply.length = capacity;
    reply.result = rpkt_padx25(buffer.data(), &reply.length, 45);
    for (std::size_t i = static_cast<std::size_t>(capacity); i < buffer.size(); ++i) {
      EXPECT_EQ(buffer[i], kSentinel) << "written past the buffer at " << i;
    }
    if (reply.result == 0) reply.bytes.assign(buffer.data(), static_cast<std::size_t>(reply.length));
    return reply;
  }

  // Fetches a whole file as the download transaction does; returns the
  // received bytes and leaves the reply that ended it in `last`.
  std::string DownloadAll(Reply& last, std::string_view password = "654321") {
    std::string received;
    int block = 0;
    for (int guard = 0; guard < 1000; ++guard) {
      last = Exchange(DownloadRequest("acme", "123456", PasswordBlock(password), kDay, block));
      if (last.result != 0 || last.bytes.size() < 33) break;
      const std::string type = last.bytes.substr(25, 5);
      if (type.find_first_not_of("0123456789") != std::string::npos) break;
      const std::size_t length = std::stoul(last.bytes.substr(30, 3));
      EXPECT_EQ(last.bytes.size(), 33 + length);
      received += last.bytes.substr(33, length);
      block = std::stoi(type);
    }
    return received;
  }

  TempDir dir_;
  const std::string data_ = RandomData(3000);
  std::unique_ptr<HostsimProcess> host_;
};

TEST_F(PadX25Test, DownloadsAMultiBlockFileThatUncompressesToTheOriginal) {
  StartHost();
  Connect();
  Reply end;
  const std::string received = DownloadAll(end);
  const std::string image = lzw::MakeReceivedFile(data_);
  ASSERT_GT(image.size(), 5 * 512u);
  EXPECT_EQ(received, image);
  ASSERT_EQ(end.result, 0);
  EXPECT_EQ(end.bytes.substr(25, 13), " End 015BATCH");
  EXPECT_EQ(std::stoul(end.bytes.substr(38, 10)), image.size());

  // The client's uncompress step gives back the host's data file.
  TempDir store;
  std::filesystem::create_directory(store / "acme");
  WriteFile(store / "acme" / "kordex$$.005", received);
  RecordingMessagePort messages;
  ASSERT_TRUE(lzw::UncompressReceivedFile(store.path(), "acme", kDay, messages)) << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(ReadFile(store / "acme" / "kordex.005"), data_);
  EXPECT_EQ(ShutPadX25(), 1);
}

TEST_F(PadX25Test, ChangesThePasswordThenLogsInWithTheNewOne) {
  StartHost();
  Connect();
  const Reply changed = Exchange(
      ChangePasswordRequest("acme", "123456", PasswordBlock("654321"), PasswordBlock("135790")), 80);
  ASSERT_EQ(changed.result, 0);
  EXPECT_EQ(changed.bytes.substr(25), " End 005CHPSW");
  EXPECT_EQ(ReadFile(dir_ / "accounts"), "acme 123456 135790\n");

  const Reply refused = Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0));
  EXPECT_EQ(refused.bytes.substr(25), "Error016Invalid password");
  Reply end;
  EXPECT_EQ(DownloadAll(end, "135790"), lzw::MakeReceivedFile(data_));
}

TEST_F(PadX25Test, DialFailuresLeaveTheModemResultAndAFreePort) {
  for (const std::string result : {"BUSY", "NO CARRIER", "NO DIALTONE"}) {
    StartHost({"--dial-result", result});
    ASSERT_EQ(OpenPadX25("COM1", "9600", "n", "8", "1"), 1);
    ASSERT_EQ(InitPadX25(), 1);
    char answer[100];
    std::memset(answer, 'x', sizeof answer);
    EXPECT_EQ(BindPadX25(kDial, answer), 0);
    EXPECT_STREQ(answer, ("\r\n" + result + "\r\n").c_str());
    EXPECT_EQ(ShutPadX25(), 1);
  }
  // Only the number hostsim knows answers.
  StartHost({"--number", "021234567"});
  ASSERT_EQ(OpenPadX25("COM1", "9600", "n", "8", "1"), 1);
  ASSERT_EQ(InitPadX25(), 1);
  char answer[100] = {};
  EXPECT_EQ(BindPadX25("ATDT029999999\r", answer), 0);
  EXPECT_STREQ(answer, "\r\nNO ANSWER\r\n");
  EXPECT_EQ(BindPadX25("ATDP02,123,4567\r", answer), 1);
  EXPECT_STREQ(answer, "\r\nCONNECT 14400\r\n");
}

TEST_F(PadX25Test, CallsRefusedByThePadFail) {
  for (const auto& options : {std::vector<std::string>{}, std::vector<std::string>{"--call-result", "OCC"}}) {
    StartHost(options);
    ASSERT_EQ(OpenPadX25("COM1", "14400", "n", "8", "1"), 1);
    ASSERT_EQ(InitPadX25(), 1);
    char answer[100] = {};
    ASSERT_EQ(BindPadX25(kDial, answer), 1);
    ASSERT_EQ(bStatPadX25(), 1);
    EXPECT_EQ(LinkPadX25(options.empty() ? "2050999999\r" : kAddress), 0);
    EXPECT_EQ(aStatPadX25(), 0);
    EXPECT_EQ(spkt_padx25("x", 1, 45), 1);  // no call, nothing sent
    // The PAD is still there: the right call goes through.
    if (options.empty()) {
      EXPECT_EQ(LinkPadX25(kAddress), 1);
    }
    EXPECT_EQ(ShutPadX25(), 1);
  }
}

TEST_F(PadX25Test, MissingPadPromptFailsWithinTheShortenedWait) {
  StartHost({"--no-pad"});
  ASSERT_EQ(OpenPadX25("COM1", "14400", "n", "8", "1"), 1);
  ASSERT_EQ(InitPadX25(), 1);
  char answer[100] = {};
  ASSERT_EQ(BindPadX25(kDial, answer), 1);
  ::setenv("PADX25_WAIT_MS", "300", 1);
  const auto start = Clock::now();
  EXPECT_EQ(bStatPadX25(), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(9));  // the nominal wait is 10 s
  EXPECT_EQ(ShutPadX25(), 1);
}

TEST_F(PadX25Test, ModemThatNeverAnswersFailsInit) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  ::setenv("PADX25_COM2", ::ptsname(master), 1);
  ::setenv("PADX25_WAIT_MS", "200", 1);
  ASSERT_EQ(OpenPadX25("COM2", "9600", "n", "8", "1"), 1);
  EXPECT_EQ(InitPadX25(), 0);
  EXPECT_EQ(ShutPadX25(), 1);  // nobody answers ATH0 either: closed all the same
  EXPECT_EQ(OpenPadX25("COM2", "9600", "n", "8", "1"), 1);
  ::close(master);
}

TEST_F(PadX25Test, LineDroppedDuringReceiveFailsAndShutStillFreesThePort) {
  StartHost({"--hangup-after", "1"});
  Connect();
  const Reply first = Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0));
  ASSERT_EQ(first.result, 0);
  EXPECT_EQ(first.bytes.substr(25, 8), "00001512");
  const Reply second = Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 1));
  EXPECT_NE(second.result, 0);
  EXPECT_EQ(spkt_padx25("x", 1, 45), 1);  // the library knows the call is gone
  EXPECT_EQ(aStatPadX25(), 0);
  EXPECT_EQ(ShutPadX25(), 1);
  // A fresh connection on the same port works; the host counts per call.
  Connect();
  EXPECT_EQ(Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 1)).result, 0);
}

TEST_F(PadX25Test, CallClearedByTheHostFailsTheReceive) {
  StartHost({"--clear-after", "0"});
  Connect();
  EXPECT_NE(Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0)).result, 0);
  EXPECT_EQ(aStatPadX25(), 0);
  // The line is still up: a new call goes through.
  EXPECT_EQ(LinkPadX25(kAddress), 1);
  EXPECT_EQ(aStatPadX25(), 1);
  EXPECT_EQ(ShutPadX25(), 1);
}

TEST_F(PadX25Test, ReplyLongerThanTheCapacityIsDiscardedWhole) {
  StartHost({"--error", "Service closed"});
  Connect();
  const std::string request = DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0);
  const std::size_t replySize = 25 + 8 + std::strlen("Service closed");
  const Reply tooLong = Exchange(request, static_cast<int>(replySize));
  EXPECT_NE(tooLong.result, 0);
  const Reply fits = Exchange(request, static_cast<int>(replySize) + 1);
  ASSERT_EQ(fits.result, 0);
  EXPECT_EQ(fits.length, static_cast<int>(replySize));
  EXPECT_EQ(fits.bytes.substr(25), "Error014Service closed");
}

TEST_F(PadX25Test, ReceiveGivesUpAtItsWaitLimit) {
  StartHost({"--reply-delay", "30000"});
  Connect();
  const std::string request = DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0);
  ASSERT_EQ(spkt_padx25(request.c_str(), static_cast<int>(request.size()), 45), 0);
  char reply[700] = {};
  int length = sizeof reply;
  auto start = Clock::now();
  EXPECT_NE(rpkt_padx25(reply, &length, 1), 0);  // the caller's limit, in seconds
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
  ::setenv("PADX25_WAIT_MS", "200", 1);  // shortens even the usual 45 s
  length = sizeof reply;
  start = Clock::now();
  EXPECT_NE(rpkt_padx25(reply, &length, 45), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
  EXPECT_EQ(reply[0], '\0');
  EXPECT_EQ(ShutPadX25(), 1);
}

TEST_F(PadX25Test, VanishedDeviceIsAFailureNotAWait) {
  StartHost();
  Connect();
  host_->Kill();
  const auto start = Clock::now();
  EXPECT_NE(Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0)).result, 0);
  EXPECT_EQ(aStatPadX25(), 0);
  EXPECT_EQ(ShutPadX25(), 1);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(9));
}

TEST_F(PadX25Test, OpenRefusesMissingLockedOrMisnamedDevices) {
  StartHost();
  ::setenv("PADX25_COM3", "/nonexistent/tty", 1);
  EXPECT_EQ(OpenPadX25("COM3", "9600", "n", "8", "1"), 0);
  EXPECT_EQ(OpenPadX25("COM1", "12345", "n", "8", "1"), 0);
  EXPECT_EQ(OpenPadX25("COM1", "9600", "x", "8", "1"), 0);
  EXPECT_EQ(OpenPadX25(nullptr, "9600", "n", "8", "1"), 0);

  const int holder = ::open(host_->device().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(OpenPadX25("COM1", "9600", "n", "8", "1"), 0);
  ::close(holder);
  EXPECT_EQ(OpenPadX25("COM1", "9600", "n", "8", "1"), 1);
  // Opening again replaces this process's own port instead of locking itself out.
  EXPECT_EQ(OpenPadX25("COM1", "9600", "n", "8", "1"), 1);
  EXPECT_EQ(InitPadX25(), 1);
}

TEST_F(PadX25Test, RefusesRequestsThatWouldBreakThePacketFraming) {
  StartHost();
  Connect();
  EXPECT_EQ(spkt_padx25("RQT\x03", 4, 45), 1);
  EXPECT_EQ(spkt_padx25("RQT\x10", 4, 45), 1);
  EXPECT_EQ(spkt_padx25(nullptr, 4, 45), 1);
  int length = 10;
  EXPECT_EQ(rpkt_padx25(nullptr, &length, 45), 1);
  // Nothing was sent: the next exchange pairs its own reply.
  const Reply reply = Exchange(DownloadRequest("acme", "123456", PasswordBlock("654321"), kDay, 0));
  ASSERT_EQ(reply.result, 0);
  EXPECT_EQ(reply.bytes.substr(25, 5), "00001");
}

TEST_F(PadX25Test, WorksOverTcpWithAnEmulatedLineRate) {
  StartHost({"--tcp", "0", "--rate", "19200", "--end-block", "ConP"});
  ASSERT_TRUE(host_->device().starts_with("tcp:127.0.0.1:"));
  ASSERT_EQ(OpenPadX25("COM1", "14400", "n", "8", "1"), 1);
  ASSERT_EQ(InitPadX25(), 1);
  char answer[100] = {};
  ASSERT_EQ(BindPadX25(kDial, answer), 1);
  EXPECT_STREQ(answer, "\r\nCONNECT 19200\r\n");
  ASSERT_EQ(bStatPadX25(), 1);
  ASSERT_EQ(LinkPadX25(kAddress), 1);
  ASSERT_EQ(aStatPadX25(), 1);
  Reply end;
  EXPECT_EQ(DownloadAll(end), lzw::MakeReceivedFile(data_));
  EXPECT_EQ(end.bytes.substr(25, 13), "ConP 015BATCH");
  EXPECT_EQ(ShutPadX25(), 1);
  // The simulator took the closed connection as a hang-up and answers the next one.
  Connect();
}

}  // namespace
}  // namespace lumvex::pad
