#pragma once

#include <optional>
#include <string>

#include "app/outcome.h"
#include "app/workspace.h"
#include "link/device_settings.h"

// Set Device: the port, the modem speed and the telephone number of
// config.dat in the store root, rewritten in place.
namespace lumvex::app {

struct DeviceChoice {
  int port = 0;   // 1 to 4
  int speed = 0;  // 1 for 9600 bps, 2 for 14400 bps
  std::string phoneNumber;
};

// What the Set device dialog shows when it opens; nothing after "Can't open
// file config.dat" when the file cannot be read.
std::optional<link::DeviceChoices> ReadDeviceSettings(Workspace& workspace);

// The choice as the dialog starts it: the digits' values (0 for no digit).
DeviceChoice ChoiceOf(const link::DeviceChoices& read);

// OK pressed: rewrites only what differs from `read`. Done when the dialog
// may close (nothing changed, or written); Failed keeps it open.
Outcome ApplyDeviceSettings(Workspace& workspace, const link::DeviceChoices& read, const DeviceChoice& chosen);

// After the dialog closed with OK.
void ShowSetDeviceComplete(Workspace& workspace);

}  // namespace lumvex::app
