// The modem and the PAD driven byte by byte on a made-up clock, so the
// guard-time rules are checked without waiting.
#include <gtest/gtest.h>

#include "core/testing/temp_dir.h"
#include "hostsim/modem_simulator.h"
#include "hostsim/outbox.h"
#include "hostsim/pad_simulator.h"

namespace lumvex::hostsim {
namespace {

using namespace std::chrono_literals;

ModemOptions Modem(std::optional<std::string> dialResult = std::nullopt) {
  ModemOptions options;
  options.guard = 100ms;
  options.dialResult = std::move(dialResult);
  return options;
}

class LineSimulatorTest : public ::testing::Test {
 protected:
  LineSimulatorTest() { modem_.Receive("ATZ\rATE0\r", t_); }

  std::string Send(std::string_view bytes, SimClock::duration after = 1ms) {
    t_ += after;
    modem_.Receive(bytes, t_);
    return Output();
  }
  std::string Output() { return outbox_.TakeDue(t_ + 1h); }
  std::string Wait(SimClock::duration d) {
    t_ += d;
    modem_.Tick(t_);
    return Output();
  }
  void Call() {
    Send("ATDT021234567\r");
    Send("\r\r");
    Send("SET 1:1,2:0,3:16,4:0,5:0,6:1,12:0\r");
    ASSERT_EQ(Send("2050123456\r"), "\r\n2050123456 COM\r\n");
  }

  lumvex::testing::TempDir dir_;
  Host host_{dir_.path(), {}, [] { return std::time_t{0}; }};
  Outbox outbox_;
  PadSimulator pad_{{}, host_, outbox_};
  ModemSimulator modem_{Modem(), pad_, outbox_};
  SimClock::time_point t_{};
};

TEST_F(LineSimulatorTest, DialsReachesThePadAndCallsTheHost) {
  EXPECT_EQ(Output(), "ATZ\r\r\nOK\r\nATE0\r\r\nOK\r\n");
  EXPECT_EQ(Send("ATDT02,1234567\r"), "\r\nCONNECT 14400\r\n");
  EXPECT_EQ(Send("\r"), "");
  EXPECT_EQ(Send("\r"), "\r\r\nHOSTSIM X.28 PAD\r\n\r\n*");
  EXPECT_EQ(Send("SET 1:1,2:0,3:16\r"), "SET 1:1,2:0,3:16\r\r\n*");
  EXPECT_EQ(Send("SET 1:x\r"), "\r\nERR\r\n\r\n*");
  EXPECT_EQ(Send("STAT\r"), "\r\nFREE\r\n\r\n*");
  EXPECT_EQ(Send("2050999999\r"), "\r\nCLR NP\r\n\r\n*");
  EXPECT_EQ(Send("2050123456\r"), "\r\n2050123456 COM\r\n");
  EXPECT_TRUE(pad_.callUp());
  EXPECT_EQ(Send("\x10"), "\r\n*");
  EXPECT_EQ(Send("STAT\r"), "\r\nENGAGED\r\n\r\n*");
  EXPECT_EQ(Send("\r"), "");  // back to data transfer
  EXPECT_EQ(Send("junk\x03"), std::string("RPYk") + std::string(21, ' ') + "Error015Invalid request\x03");
  EXPECT_EQ(Send("\x10" "CLR\r"), "\r\n*\r\nCLR CONF\r\n\r\n*");
  EXPECT_FALSE(pad_.callUp());
}

TEST_F(LineSimulatorTest, EscapeNeedsSilenceOnBothSides) {
  Call();
  // No silence before: the pluses are data.
  EXPECT_EQ(Send("+++", 10ms), "");
  EXPECT_EQ(Wait(1s), "");
  // Silence before, a byte within the guard after: still data.
  Send("+++", 200ms);
  EXPECT_EQ(Send("x", 50ms), "");
  EXPECT_EQ(Wait(1s), "");
  // Silence on both sides, pluses split over reads.
  Send("+", 200ms);
  Send("++", 1ms);
  EXPECT_EQ(Wait(99ms), "");
  EXPECT_EQ(Wait(1ms), "\r\nOK\r\n");
  EXPECT_TRUE(modem_.lineUp());
  EXPECT_EQ(Send("ATH0\r"), "\r\nOK\r\n");
  EXPECT_FALSE(modem_.lineUp());
  EXPECT_FALSE(pad_.callUp());
}

TEST_F(LineSimulatorTest, DialResultsAndHangUp) {
  Output();
  ModemSimulator busy(Modem("BUSY"), pad_, outbox_);
  busy.Receive("ATE0\rATDT1\r", t_);
  EXPECT_EQ(Output(), "ATE0\r\r\nOK\r\n\r\nBUSY\r\n");
  Call();
  modem_.HangUp();
  EXPECT_FALSE(pad_.callUp());
  EXPECT_EQ(Send("ATH0\r"), "ATH0\r\r\nOK\r\n");  // settings forgotten: echo is back
}

TEST(Outbox, PacesToTheLineRate) {
  Outbox outbox(14400);  // 1440 bytes a second
  const SimClock::time_point start{};
  outbox.Send(std::string(1440, 'x'), start);
  EXPECT_EQ(outbox.TakeDue(start).size(), 1u);
  EXPECT_EQ(outbox.TakeDue(start + std::chrono::milliseconds(500)).size(), 720u);
  EXPECT_EQ(outbox.NextDue(), start + std::chrono::nanoseconds(694444) * 721);
  EXPECT_EQ(outbox.TakeDue(start + std::chrono::seconds(2)).size(), 719u);
  EXPECT_FALSE(outbox.NextDue());
}

}  // namespace
}  // namespace lumvex::hostsim
