// The reader against a bare pseudo-terminal whose far end the test writes.
#include "pad/line_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace lumvex::pad {
namespace {

using namespace std::chrono_literals;

class LineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(::grantpt(master_), 0);
    ASSERT_EQ(::unlockpt(master_), 0);
    auto opened = SerialPort::Open(::ptsname(master_), PortSettings{});
    ASSERT_TRUE(opened.port) << Describe(opened.error);
    port_.emplace(std::move(*opened.port));
  }
  void TearDown() override {
    if (master_ >= 0) ::close(master_);
  }
  void Far(std::string_view bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  static Deadline Soon() { return Deadline(10s); }
  // Pseudo-terminals pass bytes on asynchronously: wait until the terminal
  // side holds `size` unread bytes.
  bool WaitUntilQueued(std::size_t size) {
    const int probe = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (probe < 0) return false;
    const Deadline deadline(10s);
    int queued = 0;
    while (::ioctl(probe, TIOCINQ, &queued) == 0 && static_cast<std::size_t>(queued) < size && !deadline.Passed()) {
      ::poll(nullptr, 0, 5);
    }
    ::close(probe);
    return static_cast<std::size_t>(queued) >= size;
  }

  int master_ = -1;
  std::optional<SerialPort> port_;
  LineReader reader_;
};

TEST_F(LineReaderTest, SkipsUnknownLinesAndKeepsWhatFollows) {
  Far("ATZ\r\r\nRING\r\n\r\nOK\r\n\r\nCONNECT 14400\r\n");
  const auto judge = [](std::string_view line) { return line == "OK" ? Verdict::Success : Verdict::Skip; };
  const auto ok = reader_.AwaitLine(*port_, judge, Soon());
  EXPECT_EQ(ok.kind, WaitOutcome::Success);
  const auto connect = reader_.AwaitLine(
      *port_, [](std::string_view line) { return line.starts_with("CONNECT") ? Verdict::Success : Verdict::Skip; },
      Soon());
  EXPECT_EQ(connect.line, "CONNECT 14400");
}

TEST_F(LineReaderTest, PromptIsAStarAtTheEndOfWhatCame) {
  Far("\r\nHERALD *** PAD\r\n\r\n*");
  EXPECT_EQ(reader_.AwaitPrompt(*port_, [](std::string_view) { return Verdict::Skip; }, Soon()).kind,
            WaitOutcome::Success);
  Far("\r\nERR\r\n\r\n*");
  const auto refused = reader_.AwaitPrompt(
      *port_, [](std::string_view line) { return line == "ERR" ? Verdict::Failure : Verdict::Skip; }, Soon());
  EXPECT_EQ(refused.kind, WaitOutcome::Failure);
}

// Bare or framed, after an echo of the command or none: the same prompt.
TEST_F(LineReaderTest, PromptBareOrFramedAfterAnEchoOrNone) {
  const auto skip = [](std::string_view) { return Verdict::Skip; };
  for (const char* arrival : {"\r\n*", "\r\n*\r\n", "SET 1:1,2:0,3:16\r\r\n*", "SET 1:1,2:0,3:16\r\n\r\n*\r\n",
                              "STAT\r\nENGAGED\r\n\r\n*\r\n"}) {
    SCOPED_TRACE(arrival);
    Far(arrival);
    EXPECT_EQ(reader_.AwaitPrompt(*port_, skip, Soon()).kind, WaitOutcome::Success);
  }
  Far("\r\nFREE\r\n");  // nothing left over from the prompts above
  const auto free = reader_.AwaitLine(*port_, [](std::string_view) { return Verdict::Success; }, Soon());
  EXPECT_EQ(free.line, "FREE");
}

TEST_F(LineReaderTest, PacketsStopAtEtxAndRespectTheCapacity) {
  Far(std::string("RPY\r\nabc\x03") + "0123456789A\x03" + "next\x03");
  char into[10];
  auto packet = reader_.ReadPacket(*port_, into, Soon());
  ASSERT_EQ(packet.kind, PacketOutcome::Packet);
  EXPECT_EQ(std::string(into, packet.size), "RPY\r\nabc");  // CR inside a packet is data
  packet = reader_.ReadPacket(*port_, into, Soon());
  EXPECT_EQ(packet.kind, PacketOutcome::TooLong);
  packet = reader_.ReadPacket(*port_, into, Soon());
  ASSERT_EQ(packet.kind, PacketOutcome::Packet);  // the long one was read to its end
  EXPECT_EQ(std::string(into, packet.size), "next");
}

TEST_F(LineReaderTest, LinesBeforeAPacketAreServiceSignals) {
  char into[64];
  Far("\r\nCLR DTE\r\n\r\n*");
  auto packet = reader_.ReadPacket(*port_, into, Soon());
  ASSERT_EQ(packet.kind, PacketOutcome::Signal);
  EXPECT_EQ(packet.signal, "CLR DTE");

  reader_ = LineReader();
  Far("\r\nNO CAR");
  Far("RIER\r\n");
  packet = reader_.ReadPacket(*port_, into, Soon());
  EXPECT_EQ(packet.signal, "NO CARRIER");
}

TEST_F(LineReaderTest, DiscardingReportsSignalsAmongStaleBytes) {
  const std::string stale = "RPY stale with \r\nCLR NC\r\n inside\x03\r\nNO CARRIER\r\n";
  Far(stale);
  ASSERT_TRUE(WaitUntilQueued(stale.size()));
  const auto discarded = reader_.DiscardPending(*port_);
  // The CLR line inside a packet is data; the line after it is a signal.
  EXPECT_EQ(discarded.signals, std::vector<std::string>{"NO CARRIER"});
  char into[8];
  EXPECT_EQ(reader_.ReadPacket(*port_, into, Deadline(50ms)).kind, PacketOutcome::Timeout);
}

TEST_F(LineReaderTest, VanishedFarEndEndsTheWait) {
  ::close(master_);
  master_ = -1;
  char into[8];
  const auto start = SteadyClock::now();
  EXPECT_EQ(reader_.ReadPacket(*port_, into, Soon()).kind, PacketOutcome::Closed);
  EXPECT_LT(SteadyClock::now() - start, 5s);
}

TEST_F(LineReaderTest, TimesOutAtTheDeadline) {
  char into[8];
  EXPECT_EQ(reader_.ReadPacket(*port_, into, Deadline(50ms)).kind, PacketOutcome::Timeout);
}

}  // namespace
}  // namespace lumvex::pad
