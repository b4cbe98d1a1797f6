#include "link/link_control.h"

#include <gtest/gtest.h>

#include "link/tests/link_fixture.h"

namespace lumvex::link {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

class LinkControlTest : public ::testing::Test, public testing::LinkFixture {};

const Strings kConnectCalls = {"OpenPadX25 COM2 9600 n 8 1", "InitPadX25", "BindPadX25 ATDT021234567\r",
                               "bStatPadX25", "LinkPadX25 2050123456\r", "aStatPadX25"};
const Strings kConnectStatuses = {"  Wait for Open Port COM2 : Speed 9600", "  Wait for Init PadX25",
                                  "  Looking up ORQ", "  Connecting ORQ", "  Wait for Link", "  Connected OK"};

TEST_F(LinkControlTest, ConnectRunsEveryStepInOrder) {
  for (LinkCopy copy : {LinkCopy::Download, LinkCopy::ChangePassword}) {
    pad.ClearCalls();
    messages.Clear();
    EXPECT_EQ(Link(copy).LinkConnect(), 1);
    EXPECT_EQ(pad.calls(), kConnectCalls);
    EXPECT_EQ(messages.statuses(), kConnectStatuses);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(state.linkUp, 0) << "the transaction sets linkUp, not the connect";
  }
  // Only the Download copy pauses before the PAD status check.
  EXPECT_EQ(pacer.waits(), std::vector<std::chrono::milliseconds>{1500ms});
}

TEST_F(LinkControlTest, DownloadCopyDoesNothingWhileTheLinkIsUp) {
  state.linkUp = 1;
  EXPECT_EQ(Link(LinkCopy::Download).LinkConnect(), 1);
  EXPECT_TRUE(pad.calls().empty());
  EXPECT_TRUE(messages.statuses().empty());
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkConnect(), 1);
  EXPECT_EQ(pad.calls(), kConnectCalls);
}

TEST_F(LinkControlTest, ConfigProblemsEndTheConnectBeforeAnyLibraryCall) {
  struct Case {
    std::string config;  // empty: no file
    std::string message;
  };
  const Case cases[] = {
      {"", "Can't open file config.dat"},
      {"20501234567 2 1 ATDT 0212 x\n", "Can't read file config.dat"},
      {"2050123456 2 1\n", "Can't read file config.dat"},
      {"2050123456 7 1 ATDT 0212 x\n", "Open Port 7 : Speed 9600 failed."},
      {"2050123456 1 3 ATDT 0212 x\n", "Open Port COM1 : Speed 3 failed."},
  };
  for (LinkCopy copy : {LinkCopy::Download, LinkCopy::ChangePassword}) {
    for (const auto& c : cases) {
      std::filesystem::remove(root / "config.dat");
      if (!c.config.empty()) lumvex::testing::WriteFile(root / "config.dat", c.config);
      messages.Clear();
      EXPECT_EQ(Link(copy).LinkConnect(), 0) << c.config;
      EXPECT_EQ(messages.texts(), Strings{c.message}) << c.config;
      EXPECT_EQ(messages.messages()[0].style, MessageStyle::Failure);
    }
  }
  EXPECT_TRUE(pad.calls().empty());
}

TEST_F(LinkControlTest, EachFailedStepShowsItsMessageAndClosesThePortAgain) {
  struct Step {
    int testing::ScriptedPad::*result;
    std::string downloadMessage;
    std::string changePasswordMessage;
    std::size_t callsBeforeShut;
  };
  const Step steps[] = {
      {&testing::ScriptedPad::init, "Init PadX25 failed.", "Init PadX25 failed.", 2},
      {&testing::ScriptedPad::bStat, "bStat PadX25 failed.", "bStat  PadX25 failed.", 4},
      {&testing::ScriptedPad::link, "Link PadX25 failed at 2050123456. Service not ready.",
       "Link PadX25 failed at 2050123456. Service not ready.", 5},
      {&testing::ScriptedPad::aStat, "aStat PadX25 failed.", "aStat PadX25 failed.", 6},
  };
  for (LinkCopy copy : {LinkCopy::Download, LinkCopy::ChangePassword}) {
    for (const auto& s : steps) {
      testing::ScriptedPad fresh;
      pad = fresh;
      pad.*s.result = 0;
      messages.Clear();
      EXPECT_EQ(Link(copy).LinkConnect(), 0);
      const std::string& expected = copy == LinkCopy::Download ? s.downloadMessage : s.changePasswordMessage;
      EXPECT_EQ(messages.texts(), Strings{expected});
      Strings calls(kConnectCalls.begin(), kConnectCalls.begin() + static_cast<long>(s.callsBeforeShut));
      calls.push_back("ShutPadX25");
      EXPECT_EQ(pad.calls(), calls) << expected;
      EXPECT_EQ(state.linkUp, 0);
    }
  }
}

TEST_F(LinkControlTest, AFailedOpenShutsNothing) {
  pad.open = 0;
  EXPECT_EQ(Link(LinkCopy::Download).LinkConnect(), 0);
  EXPECT_EQ(messages.texts(), Strings{"Open Port COM2 : Speed 9600 failed."});
  EXPECT_EQ(pad.calls(), Strings{kConnectCalls[0]});
}

TEST_F(LinkControlTest, AFailedDialShowsTheModemAnswerOnOneLine) {
  pad.bind = 0;
  pad.bindAnswer = "\r\nNO CARRIER\r\n";
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkConnect(), 0);
  EXPECT_EQ(messages.texts(), Strings{"  NO CARRIER   on 021234567"});
  EXPECT_EQ(pad.calls().back(), "ShutPadX25");
  EXPECT_EQ(messages.statuses().back(), "  Looking up ORQ");
}

TEST_F(LinkControlTest, ExchangeSendsTheRequestAndGivesTheReceiverTheBufferRoom) {
  pad.QueueReply("reply-bytes");
  std::array<char, 700> reply{};
  int received = 0;
  EXPECT_EQ(Link(LinkCopy::Download).LinkExchange("request", reply, received), 1);
  EXPECT_EQ(pad.requests(), Strings{"request"});
  EXPECT_EQ(pad.calls(), (Strings{"spkt_padx25 45", "rpkt_padx25 45"}));
  EXPECT_EQ(pad.receiveCapacities(), std::vector<int>{700});
  EXPECT_EQ(received, 11);
  EXPECT_STREQ(reply.data(), "reply-bytes");
}

TEST_F(LinkControlTest, ExchangeFailuresLeaveTheLinkUp) {
  state.linkUp = 1;
  std::array<char, 80> reply{};
  pad.sendResult = 1;
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkExchange("request", reply), 0);
  pad.sendResult = 0;
  pad.QueueReceiveFailure();
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkExchange("request", reply), 0);
  // A reply too long for the buffer is refused by the receiver.
  pad.QueueReply(std::string(80, 'r'));
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkExchange("request", reply), 0);
  EXPECT_EQ(messages.texts(), (Strings{"Send PadX25 failed.", "Read PadX25 failed.", "Read PadX25 failed."}));
  EXPECT_EQ(state.linkUp, 1);
}

TEST_F(LinkControlTest, DisconnectWithTheLinkDownCallsNothing) {
  EXPECT_EQ(Link(LinkCopy::Download).LinkDisconnect(), 1);
  EXPECT_EQ(messages.statuses(), Strings{"  Begin DisConnect..."});
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkDisconnect(), 1);
  EXPECT_EQ(messages.statuses(), Strings{"  Begin DisConnect..."});
  EXPECT_TRUE(pad.calls().empty());
}

TEST_F(LinkControlTest, DisconnectShutsTheLink) {
  state.linkUp = 1;
  EXPECT_EQ(Link(LinkCopy::Download).LinkDisconnect(), 1);
  EXPECT_EQ(messages.statuses(), (Strings{"  Begin DisConnect...", "  Wait for Shut PadX25", "  Completed ..."}));
  EXPECT_EQ(pad.calls(), Strings{"ShutPadX25"});
  EXPECT_EQ(state.linkUp, 0);
}

TEST_F(LinkControlTest, AFailedShutLeavesLinkUpAsEachCopyDoes) {
  pad.shut = 0;
  state.linkUp = 1;
  EXPECT_EQ(Link(LinkCopy::ChangePassword).LinkDisconnect(), 0);
  EXPECT_EQ(state.linkUp, 1);
  EXPECT_EQ(Link(LinkCopy::Download).LinkDisconnect(), 0);
  EXPECT_EQ(state.linkUp, 0);
  EXPECT_EQ(messages.texts(), (Strings{"Shut PadX25 failed.", "Shut PadX25 failed."}));
  EXPECT_EQ(messages.statuses(), (Strings{"  Wait for Shut PadX25", "  Begin DisConnect...", "  Wait for Shut PadX25"}));
}

TEST(LinkState, IsOneForTheWholeProcess) {
  EXPECT_EQ(&ProcessLinkState(), &ProcessLinkState());
  EXPECT_EQ(ProcessLinkState().linkUp, 0);
}

}  // namespace
}  // namespace lumvex::link
