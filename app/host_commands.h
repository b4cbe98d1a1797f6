#pragma once

#include "app/workspace.h"
#include "link/change_password_transaction.h"
#include "link/download_transaction.h"

// One press of the link dialogs' first button by a caller whose questions
// are answered at once (a script): the entries checked in the dialog's
// order, then the transaction.
namespace lumvex::app {

struct DownloadAttempt {
  link::DownloadCheck check;  // go is false when the entries were refused
  link::DownloadOutcome outcome = link::DownloadOutcome::Failed;
  bool recorded = false;      // the stored file is in the catalogue
};

// The Service Code of the entries becomes the current one, as the dialog's
// choice does; a completed download is recorded (RecordFile).
DownloadAttempt DownloadOnce(Workspace& workspace, link::DownloadTransaction& download,
                             const link::DownloadEntries& entries);

struct ChangePasswordAttempt {
  link::ChangePasswordCheck check;
  link::ChangePasswordOutcome outcome = link::ChangePasswordOutcome::Failed;
};

ChangePasswordAttempt ChangePasswordOnce(link::ChangePasswordTransaction& change,
                                         const link::ChangePasswordEntries& entries);

}  // namespace lumvex::app
