#pragma once

#include <string_view>

#include "app/outcome.h"
#include "app/workspace.h"

// Add Service Code and Delete Service Code.
namespace lumvex::app {

// Whether Delete Service Code asks its question first, or the caller's own
// request is the consent (a script's command).
enum class Consent { Ask, Given };

// Add Service Code after its dialog, with the name as typed (the dialog keeps
// it lower case): makes the Service Code's directory, appends the entry and
// saves. Refused at 10 entries, after the directory was made; the catalogue
// is saved all the same.
Outcome AddServiceCode(Workspace& workspace, std::string_view name);

// Delete Service Code on the selected Service Code: the question, then the
// refusal of one that still has files, then its directory (only if empty),
// the entry and the save.
Outcome DeleteServiceCode(Workspace& workspace, Consent consent);

}  // namespace lumvex::app
