#pragma once

#include "app/workspace.h"
#include "cli/stderr_message_port.h"
#include "core/clock.h"

namespace lumvex::cli {

// The store in the working directory, opened as the window opens it: the
// root recorded, download.log loaded, messages on standard error.
class ScriptStore {
 public:
  enum class Catalogue { Load, Skip };

  explicit ScriptStore(Catalogue catalogue = Catalogue::Load)
      : workspace_(app::RecordStoreRoot(), messages_, SystemClock::Instance()) {
    if (catalogue == Catalogue::Load) workspace_.catalogue().LoadCatalogue();
  }

  app::Workspace& workspace() { return workspace_; }
  StderrMessagePort& messages() { return messages_; }

 private:
  StderrMessagePort messages_;
  app::Workspace workspace_;
};

}  // namespace lumvex::cli
