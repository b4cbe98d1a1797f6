#pragma once

namespace lumvex::app {

// How a command ended; the window moves the focus by it, lumvexctl sets its
// exit status by it. Every message was shown already.
enum class Outcome {
  Done,         // the command's work is done
  Cancelled,    // the user said no in a dialog; nothing changed
  NoSelection,  // it needs a selection that is not there; nothing changed
  Refused,      // a rule refused it (a full table, a Service Code not empty)
  Failed,       // something on disk failed
};

}  // namespace lumvex::app
