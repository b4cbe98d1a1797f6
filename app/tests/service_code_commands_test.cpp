#include "app/service_code_commands.h"

#include "app/tests/app_fixture.h"

namespace lumvex::app {
namespace {

using namespace lumvex::app::testing;

class ServiceCodeCommandsTest : public AppTest {};

TEST_F(ServiceCodeCommandsTest, AddMakesTheDirectoryThenTheEntryThenSaves) {
  EXPECT_EQ(AddServiceCode(workspace, "abc01"), Outcome::Done);
  EXPECT_TRUE(std::filesystem::is_directory(root / "abc01"));
  EXPECT_EQ(view.events, Strings{"node 0"});
  EXPECT_EQ(Catalogue(), "1\r\nabc01\r\n0\r\n");
  EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ServiceCodeCommandsTest, AddRefusesWithoutChangingTheCatalogue) {
  Store({"abc01"}, {});
  std::filesystem::create_directory(root / "taken");
  WriteFile(root / "afile", "x");
  struct Case {
    const char* name;
    Outcome outcome;
    const char* message;
  } cases[] = {
      {"taken", Outcome::Failed, "This Service Code is already exist"},
      {"afile", Outcome::Failed, "This Service Code is already exist"},
      {"abc01", Outcome::Failed, "This Service Code is already exist"},
      {"a b", Outcome::Refused, nullptr},
      {"..", Outcome::Refused, nullptr},
  };
  const std::string before = Catalogue();
  for (const Case& c : cases) {
    messages.Clear();
    EXPECT_EQ(AddServiceCode(workspace, c.name), c.outcome) << c.name;
    ASSERT_EQ(messages.messages().size(), 1u) << c.name;
    EXPECT_EQ(messages.messages()[0].style, MessageStyle::Failure);
    if (c.message != nullptr) {
      EXPECT_EQ(messages.texts()[0], c.message);
    }
  }
  EXPECT_FALSE(Exists("a b"));
  EXPECT_TRUE(std::filesystem::is_regular_file(root / "afile"));
  EXPECT_EQ(workspace.catalogue().serviceCodeCount(), 1);
  EXPECT_EQ(Catalogue(), before);
  EXPECT_TRUE(view.events.empty());
}

TEST_F(ServiceCodeCommandsTest, TheEleventhKeepsItsDirectoryButNoEntry) {
  for (int i = 0; i < store::MAX_SERVICE_CODES; ++i) ASSERT_EQ(AddServiceCode(workspace, Format("c%d", i)), Outcome::Done);
  const std::string before = Catalogue();
  EXPECT_EQ(AddServiceCode(workspace, "eleven"), Outcome::Refused);
  EXPECT_EQ(messages.texts(), Strings{"Number of service code must be between 1 and 10"});
  EXPECT_TRUE(std::filesystem::is_directory(root / "eleven"));
  EXPECT_EQ(Catalogue(), before);
  EXPECT_EQ(ReadFile(root / "download.old"), before);  // saved all the same
}

TEST_F(ServiceCodeCommandsTest, WithoutAStoreRootNothingIsMade) {
  Workspace lost({}, messages, clock);
  EXPECT_EQ(AddServiceCode(lost, "abc01"), Outcome::Failed);
  EXPECT_EQ(messages.texts(), Strings{"Can't get current working directory."});
}

TEST_F(ServiceCodeCommandsTest, DeleteAsksBeforeItRefusesOneWithFiles) {
  Store({"abc01"}, {"abc01/kordex.005"});
  workspace.SelectByName("abc01");
  const std::string before = Catalogue();
  messages.QueueAnswer(false);
  EXPECT_EQ(DeleteServiceCode(workspace, Consent::Ask), Outcome::Cancelled);
  EXPECT_EQ(DeleteServiceCode(workspace, Consent::Ask), Outcome::Refused);
  EXPECT_EQ(messages.questions(), (Strings{"Are you sure to delete Service Code 'abc01' ?",
                                           "Are you sure to delete Service Code 'abc01' ?"}));
  EXPECT_EQ(messages.messages(), (std::vector<RecordingMessagePort::Message>{
                                     {MessageStyle::Warning, "This service code is not empty"}}));
  EXPECT_EQ(Catalogue(), before);
  EXPECT_TRUE(view.events.empty());
}

TEST_F(ServiceCodeCommandsTest, DeleteRemovesOnlyAnEmptyDirectoryAndAlwaysTheEntry) {
  Store({"abc01", "xyz02"}, {});
  WriteFile(root / "xyz02" / "stray", "kept");
  workspace.SelectByName("abc01");
  EXPECT_EQ(DeleteServiceCode(workspace, Consent::Given), Outcome::Done);
  workspace.SelectByName("xyz02");
  EXPECT_EQ(DeleteServiceCode(workspace, Consent::Given), Outcome::Done);
  EXPECT_TRUE(messages.questions().empty());
  EXPECT_FALSE(Exists("abc01"));
  EXPECT_EQ(ReadFile(root / "xyz02" / "stray"), "kept");
  EXPECT_EQ(view.events, (Strings{"unnode 0", "unnode 1"}));
  EXPECT_EQ(Catalogue(), "0\r\n0\r\n");
  // The slots stay taken until the next start.
  EXPECT_EQ(workspace.catalogue().serviceCodeCount(), 2);
  EXPECT_EQ(DeleteServiceCode(workspace, Consent::Given), Outcome::NoSelection);
}

TEST_F(ServiceCodeCommandsTest, DeleteLeavesAFileOfTheServiceCodesName) {
  Store({"abc01"}, {});
  std::filesystem::remove(root / "abc01");
  WriteFile(root / "abc01", "not a directory");
  workspace.SelectByName("abc01");
  EXPECT_EQ(DeleteServiceCode(workspace, Consent::Given), Outcome::Done);
  EXPECT_EQ(ReadFile(root / "abc01"), "not a directory");
}

}  // namespace
}  // namespace lumvex::app
