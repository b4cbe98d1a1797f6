// The link control and both transactions over the real PAD library against
// hostsim on a pseudo-terminal.
#include <gtest/gtest.h>

#include "core/pacing.h"
#include "core/recording_message_port.h"
#include "link/change_password_transaction.h"
#include "link/download_transaction.h"
#include "link/lzw_uncompress_step.h"
#include "link/padx25_port.h"
#include "link/tests/host_fixture.h"

namespace lumvex::link {
namespace {

using lumvex::testing::ReadFile;
using Strings = std::vector<std::string>;
using testing::BillData;

// The real library, with every request remembered.
class WatchedPad : public PadX25Library {
 public:
  int spkt_padx25(std::string_view request, int waitSeconds) override {
    requests.emplace_back(request);
    return PadX25Library::spkt_padx25(request, waitSeconds);
  }
  Strings requests;
};

class EndToEnd : public ::testing::Test, public testing::HostFixture {
 protected:
  ~EndToEnd() override {
    if (state.linkUp == 1) downloadLink.LinkDisconnect();
  }
  std::string Partial() const { return ReadFile(store / "abc01/kordex$$.005"); }
  bool PartialExists() const { return std::filesystem::exists(store / "abc01/kordex$$.005"); }
  Strings BlockFieldsFrom(std::size_t first) const {
    Strings fields;
    for (std::size_t i = first; i < pad.requests.size(); ++i) fields.push_back(pad.requests[i].substr(69));
    return fields;
  }

  WatchedPad pad;
  RecordingMessagePort messages;
  RecordingPacer pacer;  // the pauses are measured by the benchmark, not here
  LinkState state;
  LzwUncompressStep uncompress{store.path()};
  LinkControl downloadLink{LinkCopy::Download, pad, messages, pacer, store / "config.dat", state};
  LinkControl changeLink{LinkCopy::ChangePassword, pad, messages, pacer, store / "config.dat", state};
  DownloadTransaction download{downloadLink, messages, pacer, SystemClock::Instance(), uncompress, store.path()};
  ChangePasswordTransaction change{changeLink, messages, pacer, SystemClock::Instance()};
  DownloadEntries entries{"abc01", "123456", "654321", Date()};
};

TEST_F(EndToEnd, DownloadsAFileOfManyBlocks) {
  const std::string data = BillData(300);
  Serve(data);
  const auto host = Start();
  ASSERT_TRUE(host->started()) << host->error();

  ASSERT_EQ(download.Start(entries), DownloadOutcome::Completed) << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(ReadFile(store / "abc01/kordex.005"), data);
  EXPECT_EQ(download.fileSizeText(), std::to_string(data.size()));
  EXPECT_GE(pad.requests.size(), 5u) << "several blocks and the end reply";
  EXPECT_EQ(state.linkUp, 1);
  EXPECT_EQ(messages.texts(), Strings{"Download Completed ..."});

  // The link stays up for another date; then it comes down cleanly.
  EXPECT_EQ(downloadLink.LinkDisconnect(), 1);
  EXPECT_EQ(state.linkUp, 0);
  EXPECT_EQ(messages.statuses().back(), "  Completed ...");
}

TEST_F(EndToEnd, ResumesAfterAHangUpToAByteIdenticalFile) {
  const std::string data = BillData(300);
  Serve(data);
  const auto host = Start({"--hangup-after", "2"});
  ASSERT_TRUE(host->started()) << host->error();

  ASSERT_EQ(download.Start(entries), DownloadOutcome::Failed);
  EXPECT_EQ(messages.texts(), Strings{"Read PadX25 failed."});
  EXPECT_EQ(Partial().size(), 1024u) << "the partial file is kept";
  EXPECT_EQ(downloadLink.LinkDisconnect(), 1);

  // Every call breaks after two more blocks; each attempt goes on where the
  // last one stopped until the file is whole.
  int attempt = 1;
  for (; attempt < 20 && !std::filesystem::exists(store / "abc01/kordex.005"); ++attempt) {
    const std::size_t first = pad.requests.size();
    const std::size_t kept = Partial().size();
    messages.Clear();
    const DownloadOutcome outcome = download.Start(entries);
    ASSERT_EQ(BlockFieldsFrom(first).front(), Format("%05zu", kept / kBlockSize)) << "attempt " << attempt;
    if (outcome != DownloadOutcome::Completed) {
      EXPECT_EQ(messages.texts(), Strings{"Read PadX25 failed."});
      EXPECT_EQ(downloadLink.LinkDisconnect(), 1);
    }
  }
  EXPECT_EQ(ReadFile(store / "abc01/kordex.005"), data);
  EXPECT_GE(attempt, 3) << "the file spans more than two calls";
}

TEST_F(EndToEnd, AConPEndIsAnEnd) {
  const std::string data = BillData(40);
  Serve(data);
  const auto host = Start({"--end-block", "ConP "});
  ASSERT_TRUE(host->started()) << host->error();
  ASSERT_EQ(download.Start(entries), DownloadOutcome::Completed) << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(ReadFile(store / "abc01/kordex.005"), data);
}

TEST_F(EndToEnd, RefusalsAndMismatchesDeleteThePartialFile) {
  struct Case {
    std::vector<std::string> options;
    std::string message;
  };
  const Case cases[] = {
      {{"--wrong-size"}, "Receive data loss"},
      {{"--error", "Service closed today"}, "Service closed today"},
      {{"--block-type", "Abort"}, "Error bo : rt"},
  };
  Serve(BillData(120));
  for (const auto& c : cases) {
    messages.Clear();
    const auto host = Start(c.options);
    ASSERT_TRUE(host->started()) << host->error();
    EXPECT_EQ(download.Start(entries), DownloadOutcome::Failed);
    ASSERT_FALSE(messages.texts().empty());
    EXPECT_EQ(messages.texts().back().substr(0, c.message.size()), c.message);
    EXPECT_FALSE(PartialExists()) << c.message;
    EXPECT_FALSE(std::filesystem::exists(store / "abc01/kordex.005"));
    EXPECT_EQ(downloadLink.LinkDisconnect(), 1);
  }
}

TEST_F(EndToEnd, APasswordChangeTakesEffectForTheNextDownload) {
  const std::string data = BillData(60);
  Serve(data);
  const auto host = Start();
  ASSERT_TRUE(host->started()) << host->error();

  const ChangePasswordEntries newPassword{"abc01", "123456", "654321", "135790", "135790"};
  ASSERT_EQ(change.Start(newPassword, false), ChangePasswordOutcome::Completed)
      << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(state.linkUp, 1);

  // Over the same link: the old password is refused, the new one works.
  messages.Clear();
  EXPECT_EQ(download.Start(entries), DownloadOutcome::Failed);
  EXPECT_EQ(messages.texts(), Strings{"Invalid password"});
  entries.password = "135790";
  messages.Clear();
  ASSERT_EQ(download.Start(entries), DownloadOutcome::Completed) << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(ReadFile(store / "abc01/kordex.005"), data);
}

TEST_F(EndToEnd, AFailedConnectLeavesThePortFreeForTheNextTry) {
  Serve(BillData(40));
  const auto host = Start({"--call-result", "OCC"});
  ASSERT_TRUE(host->started()) << host->error();
  EXPECT_EQ(download.Start(entries), DownloadOutcome::ConnectFailed);
  EXPECT_EQ(messages.texts(), Strings{"Link PadX25 failed at 2050123456. Service not ready."});
  // The port was closed again, so the next connect can open it.
  messages.Clear();
  EXPECT_EQ(download.Start(entries), DownloadOutcome::ConnectFailed);
  EXPECT_EQ(messages.texts(), Strings{"Link PadX25 failed at 2050123456. Service not ready."});
}

}  // namespace
}  // namespace lumvex::link
