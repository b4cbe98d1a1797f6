#include "app/report_command.h"

#include "report/report_generator.h"
#include "store/file_names.h"

namespace lumvex::app {

bool GenerateReportOfCurrentFile(Workspace& workspace, bool viewMode) {
  const Selection& selection = workspace.selection();
  return report::GenerateReport(store::StoredFilePath(selection.currentServiceCode, selection.currentFile),
                                workspace.storeRoot(), viewMode, workspace.messages(), workspace.clock(),
                                workspace.storeRoot());
}

Outcome PrepareReport(Workspace& workspace, ReportCommand command) {
  const Selection& selection = workspace.selection();
  const int code = workspace.CurrentServiceCodeIndex();
  const bool selected = code >= 0 && selection.selectedRow >= 0 &&
                        selection.selectedRow <= workspace.catalogue().FileCountOf(code);
  if (!selected) {
    workspace.messages().Show(MessageStyle::Plain, command == ReportCommand::View    ? "Please Select Data for View report"
                                                   : command == ReportCommand::Print ? "Please Select Data for Print report"
                                                                : "Please Select Data for Print Preview report");
    return Outcome::NoSelection;
  }
  return GenerateReportOfCurrentFile(workspace, command == ReportCommand::View) ? Outcome::Done : Outcome::Failed;
}

std::filesystem::path PrintReportFile(const Workspace& workspace) { return workspace.PathOf(store::kPrintReportFile); }
std::filesystem::path ViewReportFile(const Workspace& workspace) { return workspace.PathOf(store::kViewReportFile); }

}  // namespace lumvex::app
