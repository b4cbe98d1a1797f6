#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "store/catalogue.h"

namespace lumvex::store {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;

// Records what the view would be told, one line per call.
class RecordingObserver : public CatalogueObserver {
 public:
  void CatalogueCleared() override { events.push_back("cleared"); }
  void ServiceCodeAdded(int i) override { events.push_back(Format("node %d", i)); }
  void ServiceCodeShown(int i) override { events.push_back(Format("show %d", i)); }
  void FileRowAdded(int i, int row, int file) override { events.push_back(Format("add %d row %d file %d", i, row, file)); }
  void FileRowRemoved(int i, int row) override { events.push_back(Format("remove %d row %d", i, row)); }
  void StatusChanged(int i) override { events.push_back(Format("status %d", i)); }
  std::vector<std::string> events;
};

std::string EntryLine(int n, const char* code) {
  return Format("kordex.%03d,%s,Download Bill Payment,05/01/2000,06/01/2000,%d\r\n", n % 1000, code, 640 + n);
}

std::string CatalogueText(const std::vector<std::string>& codes, int files, const char* owner = "abc01") {
  std::string text = Format("%zu\r\n", codes.size());
  for (const auto& c : codes) text += c + "\r\n";
  text += Format("%d\r\n", files);
  for (int i = 0; i < files; ++i) text += EntryLine(i, owner);
  return text;
}

class CatalogueTest : public ::testing::Test {
 protected:
  CatalogueTest() { catalogue.SetObserver(&observer); }

  void Load(std::string_view text) {
    WriteFile(dir / "download.log", text);
    catalogue.LoadCatalogue();
  }

  TempDir dir;
  RecordingMessagePort messages;
  RecordingObserver observer;
  Catalogue catalogue{messages, dir.path()};
};

TEST_F(CatalogueTest, FirstRunShowsItsMessageAndTheFirstAddCreatesOnlyDownloadLog) {
  catalogue.LoadCatalogue();
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"The First Times!. Please Add Service Code before Download"});
  EXPECT_EQ(messages.messages()[0].style, MessageStyle::Plain);
  EXPECT_EQ(catalogue.serviceCodeCount(), 0);

  ASSERT_EQ(catalogue.AddServiceCode("abc01"), 0);
  ASSERT_TRUE(catalogue.SaveCatalogue());
  EXPECT_EQ(ReadFile(dir / "download.log"), "1\r\nabc01\r\n0\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "download.old"));
}

TEST_F(CatalogueTest, ExampleCatalogueLoadsAndWritesBackTheSameText) {
  const std::string text = CatalogueText({"abc01", "xyz02"}, 1);
  Load(text);
  EXPECT_TRUE(messages.messages().empty());
  ASSERT_EQ(catalogue.serviceCodeCount(), 2);
  EXPECT_EQ(catalogue.FileCountOf(0), 1);
  EXPECT_EQ(catalogue.FileCountOf(1), 0);
  EXPECT_EQ(catalogue.file(0).description, "Download Bill Payment");
  EXPECT_EQ(catalogue.file(0).fileSize, "640");
  EXPECT_EQ(catalogue.BuildCatalogueText(), text);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"cleared", "cleared", "node 0", "node 1", "show 1"}));
}

TEST_F(CatalogueTest, CountsOutsideTheirLimits) {
  const std::string codesLimit = "Number of service code must be between 1 and 10";
  const std::string filesLimit = "Number of files must be less than 3660, Should DELETE some or more files.";
  const std::vector<std::string> eleven = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> messages;
    int codes;
    int files;
  };
  const Case cases[] = {
      {"no service codes", "0\r\n0\r\n", {codesLimit, "Parse the file fail."}, 0, 0},
      {"eleven service codes", CatalogueText(eleven, 0), {codesLimit, "Parse the file fail."}, 0, 0},
      {"count is not a number", "abc\r\n", {codesLimit, "Parse the file fail."}, 0, 0},
      {"3661 files", CatalogueText({"abc01"}, 3661), {filesLimit, "Parse the file fail."}, 1, 0},
      {"exactly 3660 files", CatalogueText({"abc01"}, 3660), {}, 1, 3660},
      {"negative file count", "1\r\nabc01\r\n-4\r\n", {}, 1, 0},
      {"empty file", "", {"Zero bytes read."}, 0, 0},
  };
  for (const auto& c : cases) {
    messages.Clear();
    Load(c.text);
    EXPECT_EQ(messages.texts(), c.messages) << c.name;
    EXPECT_EQ(catalogue.serviceCodeCount(), c.codes) << c.name;
    EXPECT_EQ(catalogue.fileCount(), c.files) << c.name;
  }
}

TEST_F(CatalogueTest, LinesEndingInLineFeedAloneLoadAndAreSavedWithCarriageReturns) {
  Load("2\nabc01\nxyz02\n1\nkordex.005,abc01,Download Bill Payment,05/01/2000,06/01/2000,640\n");
  EXPECT_TRUE(messages.messages().empty());
  ASSERT_TRUE(catalogue.SaveCatalogue());
  EXPECT_EQ(ReadFile(dir / "download.log"),
            "2\r\nabc01\r\nxyz02\r\n1\r\nkordex.005,abc01,Download Bill Payment,05/01/2000,06/01/2000,640\r\n");
}

TEST_F(CatalogueTest, EntryOfAnUnknownServiceCodeIsKeptButShownNowhere) {
  std::string text = "1\r\nabc01\r\n2\r\n" + EntryLine(1, "zzz99") + EntryLine(2, "abc01");
  Load(text);
  EXPECT_EQ(catalogue.FilesOf(0), std::vector<int>{1});
  EXPECT_EQ(catalogue.FileCountOf(0), 1);
  ASSERT_TRUE(catalogue.SaveCatalogue());
  EXPECT_EQ(ReadFile(dir / "download.log"), text);
}

TEST_F(CatalogueTest, ServiceCodeNamedDeletedIsDroppedOnSave) {
  Load("2\r\ndeleted\r\nabc01\r\n1\r\n" + EntryLine(1, "abc01"));
  EXPECT_EQ(catalogue.FindServiceCode("deleted"), -1);
  EXPECT_FALSE(catalogue.IsLive(0));
  ASSERT_TRUE(catalogue.SaveCatalogue());
  EXPECT_EQ(ReadFile(dir / "download.log"), "1\r\nabc01\r\n1\r\n" + EntryLine(1, "abc01"));
}

TEST_F(CatalogueTest, MalformedLinesAreIgnoredWithAMessageAndTheRestIsRead) {
  const std::string longName(64, 'k');
  const std::string text = "3\r\nabc01\r\n\r\nthis-is-too-long\r\n../up\r\n5\r\n" + EntryLine(1, "abc01") +
                           "kordex.002,abc01,only three\r\n" + longName +
                           ",abc01,Download Bill Payment,05/01/2000,06/01/2000,1\r\n" +
                           "kordex.004,abc01,,05/01/2000,06/01/2000,1\r\n";
  Load(text);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                  "Line 4 of download.log holds no valid Service Code name; it is ignored.",
                                  "Line 5 of download.log holds no valid Service Code name; it is ignored.",
                                  "Line 8 of download.log is not a valid file entry; it is ignored.",
                                  "Line 9 of download.log is not a valid file entry; it is ignored.",
                                  "Line 10 of download.log is not a valid file entry; it is ignored.",
                                  "download.log is shorter than its counts announce; the missing lines are ignored.",
                              }));
  EXPECT_EQ(catalogue.serviceCodeCount(), 1);
  EXPECT_EQ(catalogue.fileCount(), 1);
}

TEST_F(CatalogueTest, TextEndingEarlyKeepsWhatWasRead) {
  for (const char* text : {"2\r\nabc01", "1\r\nabc01\r\n", "1\r\nabc01\r\n3\r\nkordex.001,abc01,D,0,0,1"}) {
    messages.Clear();
    Load(text);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{
                                    "download.log is shorter than its counts announce; the missing lines are ignored."})
        << text;
    EXPECT_EQ(catalogue.serviceCodeCount(), 1) << text;
  }
}

TEST_F(CatalogueTest, MarkFileDeletedReturnsTheRowInTheServiceCodesList) {
  Load("2\r\nabc01\r\nxyz02\r\n4\r\n" + EntryLine(1, "abc01") + EntryLine(2, "xyz02") + EntryLine(3, "abc01") +
       EntryLine(4, "abc01"));
  observer.events.clear();
  EXPECT_EQ(catalogue.MarkFileDeleted(0, "kordex.003"), 1);
  EXPECT_EQ(catalogue.MarkFileDeleted(0, "kordex.004"), 1);
  EXPECT_EQ(catalogue.MarkFileDeleted(0, "kordex.002"), -1);  // xyz02's file
  EXPECT_EQ(catalogue.FileCountOf(0), 1);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"remove 0 row 1", "status 0", "remove 0 row 1", "status 0"}));
  ASSERT_TRUE(catalogue.SaveCatalogue());
  EXPECT_EQ(ReadFile(dir / "download.log"), "2\r\nabc01\r\nxyz02\r\n2\r\n" + EntryLine(1, "abc01") + EntryLine(2, "xyz02"));
}

TEST_F(CatalogueTest, TablesRefuseEntriesBeyondTheirCapacity) {
  for (int i = 0; i < MAX_SERVICE_CODES; ++i) ASSERT_EQ(catalogue.AddServiceCode(Format("c%d", i)), i);
  EXPECT_EQ(catalogue.AddServiceCode("one-more"), -1);
  EXPECT_EQ(messages.texts().back(), "Number of service code must be between 1 and 10");

  Load(CatalogueText({"abc01"}, MAX_FILES));
  messages.Clear();
  EXPECT_FALSE(catalogue.AppendFile(0, FileEntry{"kordex.999", "abc01", "D", "05/01/2001", "06/01/2001", "1"}));
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"Number of files must be less than 3660, Should DELETE some or more files."});
  EXPECT_EQ(catalogue.fileCount(), MAX_FILES);
}

TEST_F(CatalogueTest, ServiceCodeNamesThatCannotBeStoredAreRefused) {
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "two words", "a,b", "it's", "deleted", "toolong12"}) {
    messages.Clear();
    EXPECT_EQ(catalogue.AddServiceCode(bad), -1) << bad;
    EXPECT_EQ(messages.texts().size(), 1u) << bad;
  }
  EXPECT_EQ(catalogue.serviceCodeCount(), 0);
}

}  // namespace
}  // namespace lumvex::store
