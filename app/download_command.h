#pragma once

#include <string_view>

#include "app/workspace.h"

// The Download command around its dialog: the refusal at a full file table
// before the dialog opens, and the recording of each file it stored.
namespace lumvex::app {

// Step 1: false, after "Number of houses must be between 1 and %d", while
// the file table holds 3660 entries (marked ones included).
bool MayDownload(Workspace& workspace);

// A file was stored for the current Service Code (the one chosen in the
// dialog) and `billDate` (DDMMYYYY): an older entry of the same name is
// marked deleted and the catalogue saved; the Service Code is shown when
// another one is selected; the new entry is appended, its row and the
// status follow, and the catalogue is saved. False when it could not be
// recorded or saved.
bool RecordFile(Workspace& workspace, std::string_view billDate, std::string_view sizeText);

}  // namespace lumvex::app
