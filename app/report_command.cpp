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

}  // namespace lumvex::app
