#pragma once

#include <string_view>

namespace lumvex {

// How a message is shown. The window maps each style onto a message box or,
// inside the link dialogs, onto the self-closing error dialog.
enum class MessageStyle {
  Plain,    // OK only, no icon, the application title as caption
  Failure,  // caption "Error", exclamation icon
  Warning,  // caption "Warning", exclamation icon: a refusal that changes nothing
  Done,     // a completed transaction (information mode of the error dialog)
};

// The one way the core talks to the person at the screen. Texts are passed
// exactly as they are to be shown; the core never formats them for a toolkit.
class MessagePort {
 public:
  virtual ~MessagePort() = default;

  virtual void Show(MessageStyle style, std::string_view text) = 0;

  // A question before a step that cannot be undone; true means go ahead.
  virtual bool Confirm(std::string_view text) = 0;

  // The status line of whatever dialog or window runs the work.
  virtual void SetStatus(std::string_view text) = 0;
};

}  // namespace lumvex
