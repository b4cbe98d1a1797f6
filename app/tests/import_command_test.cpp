#include "app/import_command.h"

#include "app/tests/app_fixture.h"
#include "report/testing/data_file_generator.h"

namespace lumvex::app {
namespace {

using namespace lumvex::app::testing;
namespace gen = lumvex::report::testing;

std::string Header(std::string code) { return gen::HeaderRecord({std::move(code), "KORDEX", "COMPANY", "05012000"}); }

class ImportCommandTest : public AppTest {
 protected:
  ImportCommandTest() { Store({"ab12", "cd34"}, {}); }

  std::filesystem::path Outside(std::string_view name, std::string_view bytes) {
    std::filesystem::create_directories(outside.path());
    WriteFile(outside / name, bytes);
    return outside / name;
  }
  ChooseImportFile Choose(std::filesystem::path path) {
    return [this, path] {
      ++dialogs;
      return std::optional<std::filesystem::path>(path);
    };
  }

  lumvex::testing::TempDir outside;
  int dialogs = 0;
};

TEST(ImportedFileName, IsTheLastPartInLowerCase) {
  EXPECT_EQ(ImportedFileName("/home/staff/in/KORDEX.005"), "kordex.005");
  EXPECT_EQ(ImportedFileName("Kordex.006"), "kordex.006");
}

TEST_F(ImportCommandTest, StoresTheFileUnderItsLowerCaseNameAndAppendsItsEntry) {
  const std::string bytes = gen::GenerateDataFile({.serviceCode = "ab12", .billDate = "05012000"});
  workspace.SelectByName("ab12");
  ASSERT_EQ(ImportFile(workspace, Choose(Outside("KORDEX.005", bytes))), Outcome::Done)
      << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(ReadFile(root / "ab12/kordex.005"), bytes);
  const store::FileEntry& e = workspace.catalogue().file(0);
  EXPECT_EQ(e.fileName, "kordex.005");
  EXPECT_EQ(e.serviceCode, "ab12");
  EXPECT_EQ(e.description, "Download Bill Payment");
  EXPECT_EQ(e.datePrepare, "05/01/2000");
  EXPECT_EQ(e.dateRetrieve, "06/01/2001");
  EXPECT_EQ(e.fileSize, std::to_string(bytes.size()));
  EXPECT_EQ(view.events, (Strings{"add 0 row 0 file 0", "status 0"}));
  EXPECT_NE(Catalogue().find("kordex.005,ab12,Download Bill Payment,05/01/2000"), std::string::npos);

  messages.Clear();
  EXPECT_EQ(ImportFile(workspace, Choose(Outside("KORDEX.005", bytes))), Outcome::Refused);
  EXPECT_EQ(messages.texts(), Strings{"This file are already in ab12"});
  EXPECT_EQ(workspace.catalogue().FileCountOf(0), 1);
}

TEST_F(ImportCommandTest, GoesIntoTheCurrentServiceCodeNotTheSelectedOne) {
  workspace.SelectByName("ab12");
  workspace.selection().currentServiceCode = "cd34";  // as the Download dialog leaves it
  ASSERT_EQ(ImportFile(workspace, Choose(Outside("kordex.009", Header("CD34") + "\r\n"))), Outcome::Done);
  EXPECT_TRUE(Exists("cd34/kordex.009"));
  EXPECT_EQ(workspace.catalogue().FileCountOf(1), 1);
  EXPECT_EQ(workspace.catalogue().FileCountOf(0), 0);
}

TEST_F(ImportCommandTest, RefusalsLeaveNothingInTheStore) {
  workspace.SelectByName("cd34");
  EXPECT_EQ(ImportFile(workspace, Choose(Outside("kordex.005", Header("AB12") + "\r\n"))), Outcome::Failed);
  EXPECT_EQ(ImportFile(workspace, Choose(Outside("kordex,7", Header("CD34") + "\r\n"))), Outcome::Refused);
  EXPECT_EQ(messages.texts(), (Strings{"Service code in file kordex.005 is not equal cd34",
                                       "File name kordex,7 can't be kept in the catalogue"}));
  EXPECT_TRUE(std::filesystem::is_empty(root / "cd34"));
  EXPECT_EQ(workspace.catalogue().fileCount(), 0);

  messages.Clear();
  workspace.SelectByName("none");
  EXPECT_EQ(ImportFile(workspace, Choose(outside / "kordex.005")), Outcome::NoSelection);
  EXPECT_EQ(messages.texts(), Strings{"Please Select Service Code for Import"});
  EXPECT_EQ(dialogs, 2);  // no dialog without a Service Code to import into
}

TEST_F(ImportCommandTest, AFullTableRefusesBeforeCopying) {
  Strings files;
  for (int i = 0; i < store::MAX_FILES; ++i) files.push_back(Format("cd34/f%d", i));
  Store({"ab12", "cd34"}, files);
  workspace.SelectByName("ab12");
  EXPECT_EQ(ImportFile(workspace, Choose(Outside("kordex.005", Header("AB12") + "\r\n"))), Outcome::Refused);
  EXPECT_EQ(messages.texts(), Strings{"Number of files must be less than 3660, Should DELETE some or more files."});
  EXPECT_FALSE(Exists("ab12/kordex.005"));
}

TEST_F(ImportCommandTest, TheWorkingDirectoryComesBackToTheStoreRoot) {
  workspace.SelectByName("ab12");
  for (bool cancel : {true, false}) {
    ImportFile(workspace, [&]() -> std::optional<std::filesystem::path> {
      std::filesystem::current_path(outside.path());  // as a file dialog may
      if (cancel) return std::nullopt;
      return Outside("kordex.00" + std::to_string(cancel), Header("AB12") + "\r\n");
    });
    EXPECT_EQ(std::filesystem::current_path(), root.path()) << cancel;
  }
}

}  // namespace
}  // namespace lumvex::app
