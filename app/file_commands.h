#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/outcome.h"
#include "app/workspace.h"

// Delete, Copy and Properties of the selected file.
namespace lumvex::app {

// The Delete dialog: true for OK.
using ConfirmDelete = std::function<bool(const store::FileEntry&)>;
// The Copy dialog: the destination as typed, or nothing for Cancel.
using AskDestination = std::function<std::optional<std::string>(const store::FileEntry&)>;
// The "Data Properties" sheet.
using ShowEntry = std::function<void(const store::FileEntry&)>;

// Removes the data file and its received file, marks the entry deleted,
// shows the Service Code anew, saves, and says "Delete Completed ...".
Outcome DeleteFile(Workspace& workspace, const ConfirmDelete& confirm);

// Writes the selected file as fixed records to the destination the dialog
// gives (relative to the store root unless absolute).
Outcome CopyFile(Workspace& workspace, const AskDestination& askDestination);

// Shows the selected file's entry.
Outcome ShowProperties(Workspace& workspace, const ShowEntry& show);

}  // namespace lumvex::app
