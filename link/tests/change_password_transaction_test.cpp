#include "link/change_password_transaction.h"

#include <gtest/gtest.h>

#include "link/host_messages.h"
#include "link/password_block.h"
#include "link/tests/link_fixture.h"
#include "link/tests/reply_builders.h"

namespace lumvex::link {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;
using Field = ChangePasswordField;
using namespace lumvex::link::testing;

// Records the message-up flag as each message and question appears.
class WatchingPort : public RecordingMessagePort {
 public:
  const int* flag = nullptr;
  std::vector<int> seen;
  void Show(MessageStyle style, std::string_view text) override {
    seen.push_back(*flag);
    RecordingMessagePort::Show(style, text);
  }
  bool Confirm(std::string_view text) override {
    seen.push_back(*flag);
    return RecordingMessagePort::Confirm(text);
  }
};

class ChangePasswordTest : public ::testing::Test, public LinkFixture {
 protected:
  FixedClock clock{LocalTime{2001, 6, 15, 10, 20, 30}};
  LinkControl link = Link(LinkCopy::ChangePassword);
  ChangePasswordTransaction change{link, messages, pacer, clock};
  ChangePasswordEntries entries{"abc01", "123456", "111111", "222222", "222222"};
};

TEST_F(ChangePasswordTest, SendsOneRequestWithBothBlocks) {
  pad.QueueReply(Reply(" End ", "005CHPSW"));
  EXPECT_EQ(change.Start(entries, false), ChangePasswordOutcome::Completed);
  char oldBlock[kPasswordBlockSize], newBlock[kPasswordBlockSize];
  ediEncryptII("111111", oldBlock, kPasswordTrailer, clock);
  ediEncryptII("222222", newBlock, kPasswordTrailer, clock);
  EXPECT_EQ(pad.requests(), Strings{BuildChangePasswordRequest("abc01", "123456", oldBlock, newBlock)});
  EXPECT_EQ(pad.receiveCapacities(), std::vector<int>{80});
  EXPECT_EQ(pacer.waits(), std::vector<std::chrono::milliseconds>{500ms}) << "no 1500 ms pause in this copy";
  EXPECT_EQ(state.linkUp, 1);
  const Strings& s = messages.statuses();
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(s[s.size() - 3], "  Connected OK");
  EXPECT_EQ(s[s.size() - 2], "  Begin Change Password ... ");
  EXPECT_EQ(s.back(), "  Change Password Completed ... ");
  EXPECT_EQ(messages.messages(),
            (std::vector<RecordingMessagePort::Message>{{MessageStyle::Done, "Change Password Completed ... "}}));
}

TEST_F(ChangePasswordTest, WithTheLinkUpSendsWithoutConnecting) {
  state.linkUp = 1;
  pad.QueueReply(Reply(" End ", "005CHPSW"));
  EXPECT_EQ(change.Start(entries, true), ChangePasswordOutcome::Completed);
  EXPECT_EQ(pad.calls(), (Strings{"spkt_padx25 45", "rpkt_padx25 45"}));
  EXPECT_EQ(messages.statuses().front(), "  ");
}

TEST_F(ChangePasswordTest, FailedRepliesAreShownAndTheLinkStaysUp) {
  struct Case {
    std::string reply;  // empty: the receive fails
    std::string message;
  };
  const Case cases[] = {
      {"", "Read PadX25 failed."},
      {Reply(" End ", "005BATCH"), "Function type error"},
      {Reply("Error", "016Invalid password"), "Invalid password"},
      {Reply("ConP ", "005CHPSW"), "Block type error"},
      {DataBlock(1, "x"), "Block type error"},
  };
  state.linkUp = 1;
  for (const auto& c : cases) {
    messages.Clear();
    if (c.reply.empty()) {
      pad.QueueReceiveFailure();
    } else {
      pad.QueueReply(c.reply);
    }
    EXPECT_EQ(change.Start(entries, false), ChangePasswordOutcome::Failed) << c.message;
    EXPECT_EQ(messages.texts(), Strings{c.message});
    EXPECT_EQ(messages.statuses(), Strings{"  Begin Change Password ... "});
    EXPECT_EQ(state.linkUp, 1);
  }
}

TEST_F(ChangePasswordTest, AFailedConnectLeavesTheLinkDown) {
  pad.link = 0;
  EXPECT_EQ(change.Start(entries, false), ChangePasswordOutcome::ConnectFailed);
  EXPECT_EQ(messages.texts(), Strings{"Link PadX25 failed at 2050123456. Service not ready."});
  EXPECT_EQ(messages.statuses().back(), "  Can't Connect to ORQ");
  EXPECT_EQ(state.linkUp, 0);
  EXPECT_TRUE(pad.requests().empty());
}

TEST_F(ChangePasswordTest, ValidationWalksTheFieldsInOrder) {
  struct Press {
    ChangePasswordEntries entries;
    std::string message;
    Field focus;
  };
  const Press presses[] = {
      {{"", "123456", "", "", ""}, "Please Select your Service Code.", Field::ServiceCode},
      {{"abc01", "1234", "", "", ""}, "Please Check your Staffid.", Field::StaffId},
      {{"abc01", "123456", "", "", ""}, "", Field::Password},
      {{"abc01", "123456", "11", "", ""}, "Please Check your Password.", Field::Password},
      {{"abc01", "123456", "111111", "", ""}, "", Field::NewPassword},
      {{"abc01", "123456", "111111", "22", ""}, "Please Check your New Password.", Field::NewPassword},
      {{"abc01", "123456", "111111", "222222", ""}, "", Field::RenewPassword},
      {{"abc01", "123456", "111111", "222222", "2"}, "Please Check your Renew Password.", Field::RenewPassword},
      {{"abc01", "123456", "", "222222", "222222"}, "Please Check your Password.", Field::Password},
      {{"abc01", "123456", "111111", "111111", "111111"}, "New Password is same as Old Password. ",
       Field::NewPassword},
      {{"abc01", "123456", "111111", "222222", "333333"}, "New Password is not equal to Renew Password. ",
       Field::NewPassword},
  };
  for (const auto& p : presses) {
    messages.Clear();
    const ChangePasswordCheck check = change.Validate(p.entries);
    EXPECT_FALSE(check.go);
    EXPECT_EQ(check.focus, p.focus) << p.message;
    EXPECT_EQ(messages.texts(), p.message.empty() ? Strings{} : Strings{p.message});
  }
  EXPECT_TRUE(messages.questions().empty());
  EXPECT_TRUE(pad.calls().empty()) << "nothing is dialled before the entries are right";
}

TEST_F(ChangePasswordTest, MessageUpIsRaisedWhileAMessageOrTheQuestionIsShown) {
  WatchingPort port;
  ChangePasswordTransaction watched(link, port, pacer, clock);
  port.flag = &watched.messageUp();
  state.linkUp = 1;
  watched.Validate({"abc01", "12", "", "", ""});
  port.QueueAnswer(false);
  EXPECT_FALSE(watched.Validate(entries).go);
  EXPECT_TRUE(watched.Validate(entries).go);
  EXPECT_EQ(watched.acceptance().staffId + watched.acceptance().renewPassword, 0);
  pad.QueueReply(Reply(" End ", "005BATCH"));
  watched.Start(entries, false);  // a failed exchange's message does not raise it
  pad.QueueReply(Reply(" End ", "005CHPSW"));
  watched.Start(entries, false);
  EXPECT_EQ(port.seen, (std::vector<int>{1, 1, 1, 0, 1}));
  EXPECT_EQ(watched.messageUp(), 0);
}

}  // namespace
}  // namespace lumvex::link
