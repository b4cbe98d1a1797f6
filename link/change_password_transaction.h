#pragma once

#include <string>

#include "core/clock.h"
#include "core/message_port.h"
#include "core/pacing.h"
#include "link/link_control.h"

// Replaces a staff member's host password with one "CHPSW" request that
// carries the blocks of the old and the new password. The link stays up.
namespace lumvex::link {

struct ChangePasswordEntries {
  std::string serviceCode;  // empty: none selected
  std::string staffId;
  std::string password;
  std::string newPassword;
  std::string renewPassword;
};

enum class ChangePasswordField { None, ServiceCode, StaffId, Password, NewPassword, RenewPassword };

struct ChangePasswordAcceptance {
  int staffId = 0;
  int password = 0;
  int newPassword = 0;
  int renewPassword = 0;
};

struct ChangePasswordCheck {
  bool go = false;
  ChangePasswordField focus = ChangePasswordField::None;
};

enum class ChangePasswordOutcome {
  ConnectFailed,  // "  Can't Connect to ORQ"; link down
  Completed,      // "Change Password Completed ... " was shown
  Failed,         // the exchange failed; the link stays up
};

class ChangePasswordTransaction {
 public:
  ChangePasswordTransaction(LinkControl& link, MessagePort& messages, Pacer& pacer, const Clock& clock);

  // The first button pressed: checks the entries in order, shows the first
  // complaint and asks "Are you sure ?".
  ChangePasswordCheck Validate(const ChangePasswordEntries& entries);
  // After the confirmation. `countdownRunning`: the dialog's idle countdown
  // was running (the dialog stops its timers; the status line is blanked here).
  ChangePasswordOutcome Start(const ChangePasswordEntries& entries, bool countdownRunning);
  // The request and its reply alone (the link is up); 1 on success.
  int Exchange(const ChangePasswordEntries& entries);

  ChangePasswordAcceptance& acceptance() { return acceptance_; }
  // 1 while a validation message, the confirmation or the completion
  // message of this dialog is on screen.
  const int& messageUp() const { return messageUp_; }
  void ResetOnOpen() {
    acceptance_ = {};
    messageUp_ = 0;
  }

 private:
  void ShowWhileUp(MessageStyle style, std::string_view text);

  LinkControl& link_;
  MessagePort& messages_;
  Pacer& pacer_;
  const Clock& clock_;
  ChangePasswordAcceptance acceptance_;
  int messageUp_ = 0;
};

}  // namespace lumvex::link
