#include "app/service_code_commands.h"

#include "ui/lumvex_view.h"
#include "ui/store_commands.h"
#include "ui/store_dialogs.h"

namespace lumvex::ui {

void StoreCommands::AddServiceCode() {
  CAddServiceCodeDlg dialog(parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.code().empty()) {
    view_.FocusTree();
    return;
  }
  if (app::AddServiceCode(view_.workspace(), dialog.code()) != app::Outcome::Failed) view_.FocusTree();
}

void StoreCommands::DeleteServiceCode() {
  if (app::DeleteServiceCode(view_.workspace(), app::Consent::Ask) == app::Outcome::Done) view_.FocusTree();
}

}  // namespace lumvex::ui
