#pragma once

#include <memory>

#include "core/clock.h"

namespace lumvex::ui {

class CMainFrame;

// Starts the program in the working directory, which is the store root.
class CLumvexApp {
 public:
  // Builds the main frame with its view (which loads the catalogue and selects
  // the first Service Code) and shows it maximized and painted.
  static std::unique_ptr<CMainFrame> InitInstance(const Clock& clock = SystemClock::Instance());
};

}  // namespace lumvex::ui
