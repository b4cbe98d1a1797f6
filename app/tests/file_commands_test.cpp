#include "app/file_commands.h"

#include <unistd.h>

#include "app/tests/app_fixture.h"

namespace lumvex::app {
namespace {

using namespace lumvex::app::testing;

class FileCommandsTest : public AppTest {
 protected:
  FileCommandsTest() {
    Store({"abc01", "xyz02"}, {"abc01/kordex.005", "xyz02/kordex.005", "abc01/kordex.006"});
    for (const char* name : {"abc01/kordex.005", "abc01/kordex$$.005", "xyz02/kordex.005", "abc01/kordex.006"}) {
      WriteFile(root / name, std::string(30, 'L') + "\r\n");
    }
  }
  std::function<bool(const store::FileEntry&)> Answer(bool ok) {
    return [this, ok](const store::FileEntry& e) {
      asked.push_back(e.serviceCode + "/" + e.fileName);
      return ok;
    };
  }
  Strings asked;
};

TEST_F(FileCommandsTest, DeleteSavesTheCatalogueWithoutTheEntryThenRemovesBothFiles) {
  ASSERT_TRUE(workspace.SelectByName("abc01", "kordex.005"));
  EXPECT_EQ(DeleteFile(workspace, Answer(true)), Outcome::Done);
  EXPECT_EQ(asked, Strings{"abc01/kordex.005"});
  EXPECT_FALSE(Exists("abc01/kordex.005"));
  EXPECT_FALSE(Exists("abc01/kordex$$.005"));
  EXPECT_TRUE(Exists("xyz02/kordex.005"));
  EXPECT_EQ(view.events, (Strings{"remove 0 row 0", "status 0", "show 0"}));
  EXPECT_EQ(Catalogue(), "2\r\nabc01\r\nxyz02\r\n2\r\n"
                         "kordex.005,xyz02,Download Bill Payment,05/01/2000,06/01/2000,640\r\n"
                         "kordex.006,abc01,Download Bill Payment,05/01/2000,06/01/2000,640\r\n");
  EXPECT_EQ(messages.messages(),
            (std::vector<RecordingMessagePort::Message>{{MessageStyle::Plain, "Delete Completed ..."}}));
}

// The catalogue is saved before the files go: a delete that can't save
// keeps them, so no entry on disk ever names a file that is gone.
TEST_F(FileCommandsTest, ADeleteWhoseCatalogueCannotBeSavedKeepsTheFiles) {
  const std::string before = Catalogue();
  std::filesystem::create_directory(root / "download.log.part");  // blocks the new catalogue
  ASSERT_TRUE(workspace.SelectByName("abc01", "kordex.005"));
  EXPECT_EQ(DeleteFile(workspace, Answer(true)), Outcome::Failed);
  EXPECT_TRUE(Exists("abc01/kordex.005"));
  EXPECT_TRUE(Exists("abc01/kordex$$.005"));
  EXPECT_EQ(Catalogue(), before);
}

TEST_F(FileCommandsTest, DeleteGoesOnWhenTheFilesAreGoneAndNeverRemovesADirectory) {
  std::filesystem::remove(root / "abc01/kordex.006");
  std::filesystem::create_directory(root / "abc01/kordex$$.006");
  ASSERT_TRUE(workspace.SelectByName("abc01", "kordex.006"));
  EXPECT_EQ(DeleteFile(workspace, Answer(true)), Outcome::Done);
  EXPECT_TRUE(std::filesystem::is_directory(root / "abc01/kordex$$.006"));
  EXPECT_EQ(workspace.catalogue().FileCountOf(0), 1);
}

TEST_F(FileCommandsTest, EachCommandWantsASelectedRowAndStopsAtCancel) {
  ASSERT_TRUE(workspace.SelectByName("abc01"));
  EXPECT_EQ(DeleteFile(workspace, Answer(true)), Outcome::NoSelection);
  EXPECT_EQ(CopyFile(workspace, [](const store::FileEntry&) { return std::optional<std::string>("x"); }),
            Outcome::NoSelection);
  EXPECT_EQ(ShowProperties(workspace, [](const store::FileEntry&) { ADD_FAILURE(); }), Outcome::NoSelection);
  EXPECT_EQ(messages.texts(), (Strings{"Please Select Data for Deleted", "Please Select Data for Copy",
                                       "Please Select Data for display Properties"}));
  EXPECT_TRUE(asked.empty());

  const std::string before = Catalogue();
  ASSERT_TRUE(workspace.SelectByName("abc01", "kordex.005"));
  EXPECT_EQ(DeleteFile(workspace, Answer(false)), Outcome::Cancelled);
  EXPECT_EQ(CopyFile(workspace, [](const store::FileEntry&) { return std::optional<std::string>(); }),
            Outcome::Cancelled);
  EXPECT_TRUE(Exists("abc01/kordex.005"));
  EXPECT_EQ(Catalogue(), before);
  EXPECT_TRUE(view.events.empty());
}

TEST_F(FileCommandsTest, CopyWritesUnderTheStoreRootWhereverTheWorkingDirectoryIs) {
  lumvex::testing::TempDir elsewhere;
  std::filesystem::current_path(elsewhere.path());
  ASSERT_TRUE(workspace.SelectByName("abc01", "kordex.006"));
  const Outcome outcome =
      CopyFile(workspace, [](const store::FileEntry& e) { return std::optional<std::string>(e.fileName + ".out"); });
  std::filesystem::current_path(root.path());
  EXPECT_EQ(outcome, Outcome::Done);
  EXPECT_EQ(ReadFile(root / "kordex.006.out"), std::string(11, 'L') + std::string(245, ' ') + "\r\n");
  EXPECT_EQ(messages.texts(), Strings{"Copy File Completed ..."});

  messages.Clear();
  std::filesystem::remove(root / "abc01/kordex.006");
  EXPECT_EQ(CopyFile(workspace, [](const store::FileEntry&) { return std::optional<std::string>("out"); }),
            Outcome::Failed);
  EXPECT_EQ(messages.texts(), Strings{"Can't open file abc01/kordex.006"});
}

TEST_F(FileCommandsTest, PropertiesShowTheEntryOfTheCurrentServiceCode) {
  ASSERT_TRUE(workspace.SelectByName("xyz02", "kordex.005"));
  std::string shown;
  EXPECT_EQ(ShowProperties(workspace, [&](const store::FileEntry& e) { shown = e.serviceCode + "/" + e.fileName; }),
            Outcome::Done);
  EXPECT_EQ(shown, "xyz02/kordex.005");

  workspace.selection().selectedServiceCode = -1;  // a row but no Service Code
  EXPECT_EQ(ShowProperties(workspace, [](const store::FileEntry&) { ADD_FAILURE(); }), Outcome::NoSelection);
}

}  // namespace
}  // namespace lumvex::app
