#pragma once

#include "app/outcome.h"
#include "app/workspace.h"

namespace lumvex::app {

// Report generation for the current file of the current Service Code:
// prnrep.txt (and report.txt in view mode) in the store root. False, after
// its message, when the report is not whole.
bool GenerateReportOfCurrentFile(Workspace& workspace, bool viewMode);

enum class ReportCommand { View, Print, Preview };

// The first steps of View Report, Print and Print Preview: the refusal
// without a selected file (each with its message), then the report (view
// mode for View Report). Done when there is a report to show.
Outcome PrepareReport(Workspace& workspace, ReportCommand command);

// prnrep.txt and report.txt in the store root.
std::filesystem::path PrintReportFile(const Workspace& workspace);
std::filesystem::path ViewReportFile(const Workspace& workspace);

}  // namespace lumvex::app
