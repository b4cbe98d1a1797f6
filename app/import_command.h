#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/outcome.h"
#include "app/workspace.h"

namespace lumvex::app {

// The Import command's file-open dialog: the chosen path, or nothing for Cancel.
using ChooseImportFile = std::function<std::optional<std::filesystem::path>()>;

// The name an imported file gets in the store: the chosen path's last part,
// in lower case.
std::string ImportedFileName(std::string_view chosenPath);

// Import into the current Service Code: the file dialog, then the working
// directory back to the store root, the refusal of a name already there,
// the copy with its header checks (made whole before it takes its name),
// the entry appended and the catalogue saved. Refused before the dialog
// when the current Service Code names none in the catalogue.
Outcome ImportFile(Workspace& workspace, const ChooseImportFile& choose);

}  // namespace lumvex::app
