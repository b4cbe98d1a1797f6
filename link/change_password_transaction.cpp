#include "link/change_password_transaction.h"

#include <array>

#include "link/download_transaction.h"
#include "link/entry_checks.h"
#include "link/host_messages.h"
#include "link/password_block.h"

namespace lumvex::link {

ChangePasswordTransaction::ChangePasswordTransaction(LinkControl& link, MessagePort& messages, Pacer& pacer,
                                                     const Clock& clock)
    : link_(link), messages_(messages), pacer_(pacer), clock_(clock) {}

void ChangePasswordTransaction::ShowWhileUp(MessageStyle style, std::string_view text) {
  messageUp_ = 1;
  messages_.Show(style, text);
  messageUp_ = 0;
}

ChangePasswordCheck ChangePasswordTransaction::Validate(const ChangePasswordEntries& e) {
  using Field = ChangePasswordField;
  auto stop = [this](std::string_view text, Field focus) {
    if (!text.empty()) ShowWhileUp(MessageStyle::Failure, text);
    return ChangePasswordCheck{false, focus};
  };
  auto turn = [&](const std::string& value, int& flag, std::string_view complaint, Field focus) {
    const FieldTurn t = TakeTurn(value, 6, flag);
    if (t == FieldTurn::Accepted) return ChangePasswordCheck{true, Field::None};
    return stop(t == FieldTurn::Complain ? complaint : "", focus);
  };

  if (!IsSelectableServiceCode(e.serviceCode)) return stop("Please Select your Service Code.", Field::ServiceCode);
  if (!IsComplete(e.staffId, 6)) return stop("Please Check your Staffid.", Field::StaffId);
  acceptance_.staffId = 1;
  if (auto c = turn(e.password, acceptance_.password, "Please Check your Password.", Field::Password); !c.go) return c;
  if (auto c = turn(e.newPassword, acceptance_.newPassword, "Please Check your New Password.", Field::NewPassword);
      !c.go)
    return c;
  if (auto c = turn(e.renewPassword, acceptance_.renewPassword, "Please Check your Renew Password.",
                    Field::RenewPassword);
      !c.go)
    return c;
  if (e.newPassword == e.password) return stop("New Password is same as Old Password. ", Field::NewPassword);
  if (e.newPassword != e.renewPassword)
    return stop("New Password is not equal to Renew Password. ", Field::NewPassword);

  acceptance_ = {};
  messageUp_ = 1;
  const bool confirmed = messages_.Confirm("Are you sure ?");
  messageUp_ = 0;
  return {confirmed, Field::None};
}

ChangePasswordOutcome ChangePasswordTransaction::Start(const ChangePasswordEntries& entries, bool countdownRunning) {
  LinkState& state = link_.state();
  if (countdownRunning) messages_.SetStatus("  ");
  if (state.linkUp == 0 && link_.LinkConnect() == 0) {
    messages_.SetStatus("  Can't Connect to ORQ");
    return ChangePasswordOutcome::ConnectFailed;
  }
  state.linkUp = 1;
  messages_.SetStatus("  Begin Change Password ... ");
  if (Exchange(entries) != 1) return ChangePasswordOutcome::Failed;
  messages_.SetStatus("  Change Password Completed ... ");
  ShowWhileUp(MessageStyle::Done, "Change Password Completed ... ");
  return ChangePasswordOutcome::Completed;
}

int ChangePasswordTransaction::Exchange(const ChangePasswordEntries& e) {
  char newBlock[kPasswordBlockSize] = {};
  char oldBlock[kPasswordBlockSize] = {};
  ediEncryptII(e.newPassword.c_str(), newBlock, kPasswordTrailer, clock_);
  ediEncryptII(e.password.c_str(), oldBlock, kPasswordTrailer, clock_);
  const std::string request = BuildChangePasswordRequest(e.serviceCode, e.staffId, oldBlock, newBlock);
  pacer_.Wait(kFirstRequestPause);
  std::array<char, kChangePasswordReplyCapacity> reply{};
  int received = 0;
  if (link_.LinkExchange(request, reply, received) == 0) return 0;
  const ChangePasswordReply answer =
      ClassifyChangePasswordReply(std::string_view(reply.data(), static_cast<std::size_t>(received)));
  if (!answer.completed) {
    messages_.Show(MessageStyle::Failure, answer.message);
    return 0;
  }
  return 1;
}

}  // namespace lumvex::link
