#include "app/download_command.h"

#include "app/host_commands.h"
#include "app/tests/app_fixture.h"
#include "link/tests/link_fixture.h"
#include "link/tests/reply_builders.h"
#include "store/file_names.h"

namespace lumvex::app {
namespace {

using namespace lumvex::app::testing;

class DownloadCommandTest : public AppTest {};

TEST_F(DownloadCommandTest, AFullFileTableRefusesBeforeTheDialog) {
  Strings files;
  for (int i = 0; i < store::MAX_FILES; ++i) files.push_back(Format("abc01/f%d", i));
  Store({"abc01"}, files);
  EXPECT_FALSE(MayDownload(workspace));
  EXPECT_EQ(messages.texts(), Strings{"Number of houses must be between 1 and 3660"});
  Store({"abc01"}, {});
  EXPECT_TRUE(MayDownload(workspace));
}

TEST_F(DownloadCommandTest, TheSameDateAgainReplacesTheEntryAndSavesTwice) {
  Store({"abc01", "xyz02"}, {"abc01/kordex.005", "abc01/kordex.009"});
  workspace.SelectByName("abc01");
  ASSERT_TRUE(RecordFile(workspace, "05012001", "1234"));
  EXPECT_EQ(view.events, (Strings{"remove 0 row 0", "status 0", "show 0", "add 0 row 1 file 2", "status 0"}));
  EXPECT_EQ(workspace.catalogue().FileCountOf(0), 2);
  const store::FileEntry& entry = workspace.catalogue().file(2);
  EXPECT_EQ(entry.fileName, "kordex.005");
  EXPECT_EQ(entry.datePrepare, "05/01/2001");
  EXPECT_EQ(entry.dateRetrieve, "06/01/2001");
  EXPECT_EQ(entry.fileSize, "1234");
  const std::string kept = "kordex.009,abc01,Download Bill Payment,05/01/2000,06/01/2000,640\r\n";
  EXPECT_EQ(Catalogue(), "2\r\nabc01\r\nxyz02\r\n2\r\n" + kept +
                             "kordex.005,abc01,Download Bill Payment,05/01/2001,06/01/2001,1234\r\n");
  EXPECT_EQ(ReadFile(root / "download.old"), "2\r\nabc01\r\nxyz02\r\n1\r\n" + kept);  // the first save
}

TEST_F(DownloadCommandTest, ANewFileShowsItsServiceCodeOnlyWhenAnotherIsSelected) {
  Store({"abc01", "xyz02"}, {});
  workspace.SelectByName("xyz02");
  workspace.selection().currentServiceCode = "abc01";  // chosen in the dialog
  ASSERT_TRUE(RecordFile(workspace, "01032000", "10"));
  EXPECT_EQ(view.events, (Strings{"show 0", "add 0 row 0 file 0", "status 0"}));
  EXPECT_EQ(workspace.catalogue().file(0).fileName, "kordex.061");

  view.events.clear();
  workspace.selection().selectedServiceCode = -1;  // the root
  ASSERT_TRUE(RecordFile(workspace, "02032000", "10"));
  EXPECT_EQ(view.events, (Strings{"add 0 row 1 file 1", "status 0"}));
}

TEST_F(DownloadCommandTest, AFullTableKeepsTheOlderEntry) {
  Strings files;
  for (int i = 0; i < store::MAX_FILES; ++i) files.push_back(Format("abc01/kordex.%03d", i % 1000));
  Store({"abc01"}, files);
  workspace.SelectByName("abc01");
  EXPECT_FALSE(RecordFile(workspace, "05012001", "1"));
  EXPECT_EQ(messages.texts(), Strings{"Number of files must be less than 3660, Should DELETE some or more files."});
  EXPECT_EQ(workspace.catalogue().FileCountOf(0), store::MAX_FILES);
  EXPECT_TRUE(view.events.empty());
}

// One press of Dial as a script makes it, over a scripted PAD: the Service
// Code becomes the current one and the stored file is recorded.
TEST_F(DownloadCommandTest, DownloadOnceRecordsWhatItStored) {
  Store({"abc01", "xyz02"}, {});
  workspace.SelectByName("xyz02");
  link::testing::LinkFixture link;
  WriteFile(root / "config.dat", ReadFile(link.root / "config.dat"));
  class CopyAsData : public link::UncompressStep {
   public:
    explicit CopyAsData(std::filesystem::path r) : root_(std::move(r)) {}
    link::UncompressResult Uncompress(std::string_view code, int day) override {
      std::filesystem::copy_file(root_ / store::ReceivedFileName(code, day), root_ / store::DataFileName(code, day));
      return {true, {}};
    }
    std::filesystem::path root_;
  } uncompress{root.path()};
  link::LinkControl control(link::LinkCopy::Download, link.pad, messages, link.pacer, root / "config.dat", link.state);
  link::DownloadTransaction download(control, messages, link.pacer, clock, uncompress, root.path());
  link.pad.QueueReply(link::testing::DataBlock(1, "0123456789"));
  link.pad.QueueReply(link::testing::EndReply(10));

  const DownloadAttempt attempt = DownloadOnce(workspace, download, {"abc01", "123456", "654321", "05012001"});
  EXPECT_TRUE(attempt.check.go);
  EXPECT_EQ(attempt.outcome, link::DownloadOutcome::Completed);
  EXPECT_TRUE(attempt.recorded);
  EXPECT_EQ(ReadFile(root / "abc01/kordex.005"), "0123456789");
  EXPECT_NE(Catalogue().find("kordex.005,abc01,Download Bill Payment,05/01/2001,06/01/2001,10\r\n"),
            std::string::npos);
  EXPECT_EQ(workspace.selection().currentServiceCode, "abc01");
}

}  // namespace
}  // namespace lumvex::app
