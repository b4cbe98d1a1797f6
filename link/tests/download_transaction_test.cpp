#include "link/download_transaction.h"

#include <gtest/gtest.h>

#include "link/host_messages.h"
#include "link/password_block.h"
#include "link/tests/link_fixture.h"
#include "link/tests/reply_builders.h"
#include "store/file_names.h"

#include <algorithm>

namespace lumvex::link {
namespace {

using namespace std::chrono_literals;
using lumvex::testing::ReadFile;
using lumvex::testing::WriteFile;
using Strings = std::vector<std::string>;
using namespace lumvex::link::testing;

// Stands in for the decoder: the data file is the received file reversed,
// so the test can tell it was made from this transfer.
class FakeUncompress : public UncompressStep {
 public:
  explicit FakeUncompress(std::filesystem::path root) : root_(std::move(root)) {}
  UncompressResult Uncompress(std::string_view serviceCode, int dayOfYear) override {
    calls.push_back(Format("%s %d", std::string(serviceCode).c_str(), dayOfYear));
    if (!failure.empty()) return {false, failure, damaged};
    if (!writeData) return {true, {}};
    std::string data = ReadFile(root_ / store::ReceivedFileName(serviceCode, dayOfYear));
    std::reverse(data.begin(), data.end());
    WriteFile(root_ / store::DataFileName(serviceCode, dayOfYear), data);
    return {true, {}};
  }
  std::string failure;
  bool damaged = true;
  bool writeData = true;
  Strings calls;

 private:
  std::filesystem::path root_;
};

std::string Image(std::size_t size) {
  std::string image(size, '\0');
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<char>('A' + (i * 7 + i / 512) % 26);
  return image;
}

class DownloadTest : public ::testing::Test, public LinkFixture {
 protected:
  DownloadTest() { std::filesystem::create_directory(root / "abc01"); }

  // The host's answers to requests from block `from` on: the data blocks,
  // then the end reply.
  void Serve(const std::string& image, std::size_t from = 0, std::string_view endType = " End ") {
    for (std::size_t b = from; b * kBlockSize < image.size(); ++b)
      pad.QueueReply(DataBlock(static_cast<int>(b + 1), image.substr(b * kBlockSize, kBlockSize)));
    pad.QueueReply(EndReply(static_cast<long>(image.size()), "BATCH", endType));
  }
  std::string Partial() const { return ReadFile(root / "abc01/kordex$$.005"); }
  bool PartialExists() const { return std::filesystem::exists(root / "abc01/kordex$$.005"); }
  Strings BlockFields() const {
    Strings fields;
    for (const auto& r : pad.requests()) fields.push_back(r.substr(69));
    return fields;
  }

  FixedClock clock{LocalTime{2001, 6, 15, 10, 20, 30}};
  FakeUncompress uncompress{root.path()};
  LinkControl link = Link(LinkCopy::Download);
  DownloadTransaction download{link, messages, pacer, clock, uncompress, root.path()};
  DownloadEntries entries{"abc01", "123456", "654321", "05012001"};
};

TEST_F(DownloadTest, FetchesEveryBlockChecksTheSizeAndUncompresses) {
  const std::string image = Image(1300);
  Serve(image);
  EXPECT_EQ(download.Transfer(entries), 1);

  EXPECT_EQ(BlockFields(), (Strings{"00000", "00001", "00002", "00003"}));
  EXPECT_EQ(pacer.waits(), (std::vector<std::chrono::milliseconds>{500ms, 250ms, 250ms, 250ms, 250ms}));
  EXPECT_EQ(Partial(), image);
  EXPECT_EQ(uncompress.calls, Strings{"abc01 5"});
  EXPECT_EQ(download.fileSizeText(), "1300");
  EXPECT_EQ(messages.statuses(), (Strings{"  Transfer data     512 bytes", "  Transfer data    1024 bytes",
                                          "  Transfer data    1300 bytes", "  Wait for check file size",
                                          "  Download Completed ..."}));
  EXPECT_EQ(messages.messages(),
            (std::vector<RecordingMessagePort::Message>{{MessageStyle::Done, "Download Completed ..."}}));
}

TEST_F(DownloadTest, RequestsCarryThePasswordBlockOfThisAttempt) {
  Serve(Image(10));
  ASSERT_EQ(download.Transfer(entries), 1);
  char block[kPasswordBlockSize];
  ediEncryptII("654321", block, kPasswordTrailer, clock);
  ASSERT_EQ(pad.requests().size(), 2u);
  EXPECT_EQ(pad.requests()[0], BuildDownloadRequest("abc01", "123456", block, 5, "00000"));
  EXPECT_EQ(pad.requests()[1], BuildDownloadRequest("abc01", "123456", block, 5, "00001"));
}

TEST_F(DownloadTest, ResumesAtTheLastWholeBlockAndCutsTheStaleTail) {
  const std::string image = Image(1100);
  // An earlier attempt left two whole blocks and part of a longer third.
  WriteFile(root / "abc01/kordex$$.005", image.substr(0, 1024) + std::string(276, '#'));
  Serve(image, 2);
  EXPECT_EQ(download.Transfer(entries), 1);
  EXPECT_EQ(BlockFields(), (Strings{"00002", "00003"}));
  EXPECT_EQ(Partial(), image);
  EXPECT_EQ(messages.statuses().front(), "  Transfer data      76 bytes");
}

TEST_F(DownloadTest, SizeCheckNeedsTheStatedSizeAndEveryByte) {
  // Exactly two blocks pass only with the end reply stating 1024.
  Serve(Image(1024), 0, "ConP ");
  EXPECT_EQ(download.Transfer(entries), 1);

  pad.QueueReply(DataBlock(1, Image(512)));
  pad.QueueReply(DataBlock(2, Image(512)));
  pad.QueueReply(EndReply(1000));
  std::filesystem::remove(root / "abc01/kordex$$.005");
  messages.Clear();
  EXPECT_EQ(download.Transfer(entries), 0);
  EXPECT_EQ(messages.texts(), Strings{"Receive data loss"});
  EXPECT_FALSE(PartialExists());
  EXPECT_EQ(uncompress.calls.size(), 1u);
}

TEST_F(DownloadTest, EachFailedReplyKeepsOrDeletesThePartialFileAsItShould) {
  struct Case {
    std::string reply;  // after one good block
    std::string message;
    bool kept;
  };
  const Case cases[] = {
      {"", "Read PadX25 failed.", true},
      {EndReply(512, "CHPSW"), "Function type error", true},
      {Reply("00002", "900"), "Receive data loss", true},
      {ErrorReply("File not found"), "File not found", false},
      {Reply("Abort", "ed by host"), "Error bo : rted by host", false},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(root / "abc01/kordex$$.005");
    messages.Clear();
    pad.QueueReply(DataBlock(1, Image(512)));
    if (c.reply.empty()) {
      pad.QueueReceiveFailure();
    } else {
      pad.QueueReply(c.reply);
    }
    EXPECT_EQ(download.Transfer(entries), 0) << c.message;
    EXPECT_EQ(messages.texts(), Strings{c.message});
    EXPECT_EQ(PartialExists(), c.kept) << c.message;
    if (c.kept) {
      EXPECT_EQ(Partial(), Image(512));
    }
  }
  EXPECT_TRUE(uncompress.calls.empty());
}

// A complete received file that won't uncompress goes aside, so that the
// next try of the date fetches it afresh instead of failing on it again.
TEST_F(DownloadTest, AFailedUncompressSetsTheReceivedFileAsideAndTheNextTryStartsAfresh) {
  uncompress.failure = "Fatal error in InputBit!";
  Serve(Image(100));
  EXPECT_EQ(download.Transfer(entries), 0);
  EXPECT_EQ(messages.texts(), Strings{"Fatal error in InputBit!\nThe received file is kept as "
                                      "abc01/kordex$$.005.bad; the next download of this date starts afresh."});
  EXPECT_FALSE(PartialExists());
  EXPECT_EQ(ReadFile(root / "abc01/kordex$$.005.bad"), Image(100));

  uncompress.failure.clear();
  const std::size_t firstTry = pad.requests().size();
  Serve(Image(100));
  messages.Clear();
  EXPECT_EQ(download.Transfer(entries), 1);
  EXPECT_EQ(BlockFields().at(firstTry), "00000") << "asked from the first block";
  EXPECT_EQ(Partial(), Image(100));

  uncompress.writeData = false;
  std::filesystem::remove(root / "abc01/kordex.005");
  Serve(Image(100));
  messages.Clear();
  EXPECT_EQ(download.Transfer(entries), 0);
  EXPECT_EQ(messages.texts(), Strings{"Can't open file abc01/kordex.005"});
}

// Out of disk space, say: the received file is sound and stays to be uncompressed again.
TEST_F(DownloadTest, AnUncompressThatFailsForWantOfDiskKeepsTheReceivedFile) {
  uncompress.failure = "Cannot write file abc01/kordex.005";
  uncompress.damaged = false;
  Serve(Image(100));
  EXPECT_EQ(download.Transfer(entries), 0);
  EXPECT_EQ(messages.texts(), Strings{"Cannot write file abc01/kordex.005"});
  EXPECT_EQ(Partial(), Image(100));
  EXPECT_FALSE(std::filesystem::exists(root / "abc01/kordex$$.005.bad"));
}

TEST_F(DownloadTest, APartialFileThatCannotBeMadeEndsBeforeAnyRequest) {
  entries.serviceCode = "gone";
  EXPECT_EQ(download.Transfer(entries), 0);
  EXPECT_EQ(messages.texts(), Strings{"Can't open file gone/kordex$$.005"});
  EXPECT_TRUE(pad.calls().empty());
}

TEST_F(DownloadTest, StartConnectsSetsLinkUpAndTransfers) {
  Serve(Image(600));
  EXPECT_EQ(download.Start(entries), DownloadOutcome::Completed);
  EXPECT_EQ(state.linkUp, 1);
  EXPECT_EQ(download.success(), 1);
  EXPECT_EQ(download.dateText(), "05012001");
  EXPECT_EQ(pad.calls().front(), "OpenPadX25 COM2 9600 n 8 1");
  const Strings& s = messages.statuses();
  EXPECT_EQ(s[5], "  Connected OK");
  EXPECT_EQ(s[6], "  Begin Download File ...");

  // With the link up: no connect, the status line blanked first.
  pad.ClearCalls();
  messages.Clear();
  pad.QueueReply(ErrorReply("No file"));
  EXPECT_EQ(download.Start(entries), DownloadOutcome::Failed);
  EXPECT_EQ(download.success(), 0);
  EXPECT_EQ(pad.calls(), (Strings{"spkt_padx25 45", "rpkt_padx25 45"}));
  EXPECT_EQ(messages.statuses(), (Strings{"  ", "  Begin Download File ..."}));
  EXPECT_EQ(state.linkUp, 1) << "a failed transfer leaves the link up";
}

TEST_F(DownloadTest, AFailedConnectLeavesTheDialogOpenWithTheLinkDown) {
  pad.init = 0;
  EXPECT_EQ(download.Start(entries), DownloadOutcome::ConnectFailed);
  EXPECT_EQ(state.linkUp, 0);
  EXPECT_EQ(messages.statuses().back(), "  Can't Connect to ORQ");
  EXPECT_EQ(messages.texts(), Strings{"Init PadX25 failed."});
}

TEST_F(DownloadTest, ValidationWalksTheFieldsInOrder) {
  struct Press {
    DownloadEntries entries;
    std::string message;  // empty: none
    DownloadField focus;
  };
  const Press presses[] = {
      {{"", "123456", "654321", "05012001"}, "Please Select your Service Code.", DownloadField::ServiceCode},
      {{"abc01", "12345", "", ""}, "Please Check your Staffid.", DownloadField::StaffId},
      {{"abc01", "123456", "", ""}, "", DownloadField::Password},
      {{"abc01", "123456", "123", ""}, "Please Check your Password.", DownloadField::Password},
      {{"abc01", "123456", "654321", ""}, "", DownloadField::Date},
      // Accepted once, an emptied field is complained about.
      {{"abc01", "123456", "", ""}, "Please Check your Password.", DownloadField::Password},
      {{"abc01", "123456", "654321", "0501"}, "Please Check your Date.", DownloadField::Date},
      {{"abc01", "123456", "654321", "31042001"}, "Invalid Date.", DownloadField::Date},
      {{"abc01", "123456", "65432a", "05012001"}, "Please Check your Password.", DownloadField::Password},
  };
  for (const auto& p : presses) {
    messages.Clear();
    const DownloadCheck check = download.Validate(p.entries);
    EXPECT_FALSE(check.go);
    EXPECT_EQ(check.focus, p.focus) << p.message;
    EXPECT_EQ(messages.texts(), p.message.empty() ? Strings{} : Strings{p.message});
  }
  EXPECT_EQ(download.acceptance().staffId, 1);
  EXPECT_TRUE(messages.questions().empty());
  EXPECT_EQ(download.messageUp(), 0) << "validation messages do not raise the flag";
}

TEST_F(DownloadTest, ConfirmationClearsTheFlagsAndKeepsMessageUpWhenCancelled) {
  EXPECT_TRUE(download.Validate(entries).go);
  EXPECT_EQ(messages.questions(), Strings{"Are you sure ?"});
  EXPECT_EQ(download.acceptance().staffId + download.acceptance().password + download.acceptance().date, 0);
  EXPECT_EQ(download.messageUp(), 0);

  messages.QueueAnswer(false);
  const DownloadCheck cancelled = download.Validate(entries);
  EXPECT_FALSE(cancelled.go);
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_EQ(download.messageUp(), 1);
  download.ResetForLinkDown();
  EXPECT_EQ(download.messageUp(), 0);
}

TEST(BillDate, AcceptsThisYearAndLastYearAfterTheCurrentMonth) {
  struct Case {
    const char* date;
    LocalTime today;
    bool accepted;
  };
  const LocalTime june2001{2001, 6, 15, 0, 0, 0};
  const Case cases[] = {
      {"01012001", june2001, true},
      {"31122001", june2001, true},  // future days of this year
      {"01072000", june2001, true},
      {"31122000", june2001, true},
      {"30062000", june2001, false},  // the current month of last year
      {"31052000", june2001, false},
      {"01011999", june2001, false},
      {"01012002", june2001, false},
      {"31042001", june2001, false},
      {"00062001", june2001, false},
      {"32012001", june2001, false},
      {"01132001", june2001, false},
      {"29022001", june2001, false},  // 2001 is no leap year
      {"0106200x", june2001, false},
      {"29022000", {2001, 3, 10, 0, 0, 0}, true},   // leap day of last year, any month but February
      {"28022000", {2001, 3, 10, 0, 0, 0}, false},  // while its eve is too old
      {"29022000", {2001, 2, 10, 0, 0, 0}, false},
      {"29022000", {2001, 12, 10, 0, 0, 0}, true},
      {"28022000", {2001, 1, 10, 0, 0, 0}, true},
      {"29022000", {2000, 2, 10, 0, 0, 0}, true},
      {"29021900", {1900, 5, 1, 0, 0, 0}, false},  // divisible by 100
      {"29022400", {2400, 1, 1, 0, 0, 0}, true},   // and by 400
  };
  for (const auto& c : cases) {
    EXPECT_EQ(store::IsAcceptedBillDate(c.date, c.today), c.accepted)
        << c.date << " on " << c.today.day << "/" << c.today.month << "/" << c.today.year;
  }
}

}  // namespace
}  // namespace lumvex::link
