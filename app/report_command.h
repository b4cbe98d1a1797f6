#pragma once

#include "app/workspace.h"

namespace lumvex::app {

// Report generation for the current file of the current Service Code:
// prnrep.txt (and report.txt in view mode) in the store root. False, after
// its message, when the report is not whole.
bool GenerateReportOfCurrentFile(Workspace& workspace, bool viewMode);

}  // namespace lumvex::app
