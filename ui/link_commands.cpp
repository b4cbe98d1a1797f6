#include "ui/link_commands.h"

#include "app/device_command.h"
#include "app/download_command.h"
#include "ui/change_password_dialog.h"
#include "ui/download_dialog.h"
#include "ui/lumvex_view.h"
#include "ui/set_device_dialog.h"

namespace lumvex::ui {

void LinkCommands::Download() {
  app::Workspace& workspace = view_.workspace();
  CDownloadDlg dialog(workspace, parent_);
  while (app::MayDownload(workspace)) {
    if (dialog.Run() == kDownloadEnded) {
      view_.FocusList();
      return;
    }
    if (dialog.stored()) app::RecordFile(workspace, dialog.dateText(), dialog.fileSizeText());
  }
}

void LinkCommands::ChangePassword() {
  {
    CChangePasswordDlg dialog(view_.workspace(), parent_);
    dialog.Run();
  }
  view_.FocusList();
}

void LinkCommands::SetDevice() {
  CSetDeviceDlg dialog(view_.workspace(), parent_);
  if (dialog.exec() == QDialog::Accepted) app::ShowSetDeviceComplete(view_.workspace());
  view_.FocusList();
}

}  // namespace lumvex::ui
