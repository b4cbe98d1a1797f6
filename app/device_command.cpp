#include "app/device_command.h"

#include "core/text_format.h"
#include "store/file_names.h"

namespace lumvex::app {
namespace {

int DigitValue(const std::string& digit) {
  return digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9' ? digit[0] - '0' : 0;
}

}  // namespace

std::optional<link::DeviceChoices> ReadDeviceSettings(Workspace& workspace) {
  return link::ReadDeviceChoices(workspace.PathOf(store::kConfigFile), workspace.messages());
}

DeviceChoice ChoiceOf(const link::DeviceChoices& read) {
  return {DigitValue(read.portDigit), DigitValue(read.speedDigit), read.phoneNumber};
}

Outcome ApplyDeviceSettings(Workspace& workspace, const link::DeviceChoices& read, const DeviceChoice& chosen) {
  switch (link::WriteDeviceChanges(workspace.PathOf(store::kConfigFile), read, chosen.port, chosen.speed,
                                   chosen.phoneNumber, workspace.messages())) {
    case link::DeviceWrite::Unchanged:
    case link::DeviceWrite::Written:
      return Outcome::Done;
    case link::DeviceWrite::BadNumber:
      workspace.messages().Show(
          MessageStyle::Failure,
          Format("The telephone number may have at most %zu characters.", link::kMaxPhoneNumberLength));
      return Outcome::Refused;
    case link::DeviceWrite::CantOpen:
      break;
  }
  return Outcome::Failed;
}

void ShowSetDeviceComplete(Workspace& workspace) {
  workspace.messages().Show(MessageStyle::Plain, "Set Device Complete ...");
}

}  // namespace lumvex::app
