#include "app/host_commands.h"

#include "app/download_command.h"

namespace lumvex::app {

DownloadAttempt DownloadOnce(Workspace& workspace, link::DownloadTransaction& download,
                             const link::DownloadEntries& entries) {
  DownloadAttempt attempt;
  if (!entries.serviceCode.empty()) workspace.selection().currentServiceCode = entries.serviceCode;
  attempt.check = download.Validate(entries);
  if (!attempt.check.go) return attempt;
  attempt.outcome = download.Start(entries);
  if (attempt.outcome == link::DownloadOutcome::Completed) {
    attempt.recorded = RecordFile(workspace, download.dateText(), download.fileSizeText());
  }
  return attempt;
}

ChangePasswordAttempt ChangePasswordOnce(link::ChangePasswordTransaction& change,
                                         const link::ChangePasswordEntries& entries) {
  ChangePasswordAttempt attempt;
  attempt.check = change.Validate(entries);
  if (attempt.check.go) attempt.outcome = change.Start(entries, false);
  return attempt;
}

}  // namespace lumvex::app
