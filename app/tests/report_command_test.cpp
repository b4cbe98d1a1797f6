#include "app/report_command.h"

#include "app/tests/app_fixture.h"
#include "report/report_generator.h"
#include "report/testing/data_file_generator.h"

namespace lumvex::app {
namespace {

using namespace lumvex::app::testing;

class ReportCommandTest : public AppTest {};

TEST_F(ReportCommandTest, ReportsTheCurrentFileIntoTheStoreRoot) {
  Store({"abc01"}, {"abc01/kordex.005"});
  ASSERT_TRUE(report::testing::WriteDataFile(root / "abc01/kordex.005", {.serviceCode = "abc01"}));
  lumvex::testing::TempDir elsewhere;
  std::filesystem::current_path(elsewhere.path());  // not where the report goes
  workspace.SelectByName("abc01", "kordex.005");
  report::SetLastPageNumber(0);
  ASSERT_TRUE(GenerateReportOfCurrentFile(workspace, true)) << ::testing::PrintToString(messages.texts());
  EXPECT_GE(report::LastPageNumber(), 1);
  EXPECT_EQ(ReadFile(root / "prnrep.txt").size() % report::kPageBytes, 0u);
  EXPECT_TRUE(Exists("report.txt"));
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));

  workspace.SelectByName("abc01", "kordex.005");
  workspace.selection().currentFile = "kordex.404";
  EXPECT_FALSE(GenerateReportOfCurrentFile(workspace, false));
  EXPECT_EQ(messages.texts(), Strings{"Can't open file abc01/kordex.404"});
}

}  // namespace
}  // namespace lumvex::app
