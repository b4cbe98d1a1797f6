#include <gtest/gtest.h>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "store/catalogue.h"
#include "store/durable_file.h"

namespace lumvex::store {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;

class CatalogueSaveTest : public ::testing::Test {
 protected:
  std::filesystem::path log() const { return dir / "download.log"; }
  std::filesystem::path old() const { return dir / "download.old"; }

  TempDir dir;
  RecordingMessagePort messages;
  Catalogue catalogue{messages, dir.path()};
};

TEST_F(CatalogueSaveTest, DownloadOldHoldsTheTextOfTheSaveBefore) {
  std::string previous;
  for (const char* code : {"abc01", "xyz02", "def03"}) {
    catalogue.AddServiceCode(code);
    ASSERT_TRUE(catalogue.SaveCatalogue());
    if (!previous.empty()) {
      EXPECT_EQ(ReadFile(old()), previous);
    }
    previous = ReadFile(log());
    EXPECT_EQ(previous, catalogue.BuildCatalogueText());
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "download.log.part"));
}

// A crash may stop the save after any of its steps; whatever is on disk then
// must still hold a complete catalogue under download.log.
TEST_F(CatalogueSaveTest, CrashAfterAnyStepLeavesACompleteCatalogue) {
  catalogue.AddServiceCode("abc01");
  ASSERT_TRUE(catalogue.SaveCatalogue());
  const std::string before = ReadFile(log());
  catalogue.AddServiceCode("xyz02");
  const std::string after = catalogue.BuildCatalogueText();

  for (int stepsDone = 0; stepsDone <= 3; ++stepsDone) {
    lumvex::testing::WriteFile(log(), before);
    std::filesystem::remove(old());
    if (stepsDone >= 1) {
      ASSERT_EQ(WriteNewVersion(log(), after), ReplaceResult::Replaced);
    }
    if (stepsDone >= 2) KeepBackup(log(), old());
    if (stepsDone >= 3) {
      ASSERT_TRUE(InstallNewVersion(log()));
    }

    const std::string found = ReadFile(log());
    EXPECT_TRUE(found == before || found == after) << "after step " << stepsDone;
    EXPECT_EQ(found, stepsDone == 3 ? after : before);
    if (stepsDone >= 2) {
      EXPECT_EQ(ReadFile(old()), before);
    }

    // The next start reads it and the next save completes normally.
    RecordingMessagePort restartMessages;
    Catalogue restarted(restartMessages, dir.path());
    restarted.LoadCatalogue();
    EXPECT_TRUE(restartMessages.messages().empty());
    ASSERT_TRUE(restarted.SaveCatalogue());
    EXPECT_EQ(ReadFile(old()), found);
  }
}

TEST_F(CatalogueSaveTest, FailedCreateLeavesTheCatalogueUntouched) {
  catalogue.AddServiceCode("abc01");
  ASSERT_TRUE(catalogue.SaveCatalogue());
  const std::string before = ReadFile(log());
  std::filesystem::create_directory(NewVersionPath(log()));  // blocks the new file

  catalogue.AddServiceCode("xyz02");
  EXPECT_FALSE(catalogue.SaveCatalogue());
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not create file download.log"});
  EXPECT_EQ(ReadFile(log()), before);
}

}  // namespace
}  // namespace lumvex::store
