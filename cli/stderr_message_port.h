#pragma once

#include "core/message_port.h"

namespace lumvex::cli {

// Messages and status texts go to standard error, one a line, as the window
// would show them. Questions are answered yes: the tool runs unattended.
class StderrMessagePort : public MessagePort {
 public:
  void Show(MessageStyle style, std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void SetStatus(std::string_view text) override;

  // Failures and plain messages shown so far (status texts not counted).
  int shown() const { return shown_; }

 private:
  int shown_ = 0;
};

}  // namespace lumvex::cli
