#include <QTreeWidget>
#include <filesystem>
#include <system_error>

#include "core/text_format.h"
#include "store/file_names.h"
#include "ui/app_strings.h"
#include "ui/lumvex_view.h"
#include "ui/message_box.h"
#include "ui/store_commands.h"
#include "ui/store_dialogs.h"
#include "ui/thai_text.h"

namespace lumvex::ui {

namespace fs = std::filesystem;

void StoreCommands::AddServiceCode() {
  CAddServiceCodeDlg dialog(parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.code().empty()) {
    view_.FocusTree();
    return;
  }
  const std::string name = dialog.code();
  // Refused before its directory is made, so a bad name leaves nothing behind.
  if (!store::IsStorableServiceCodeName(name)) {
    messages_.Show(MessageStyle::Failure, store::ServiceCodeNameRefusal(name));
    view_.FocusTree();
    return;
  }
  store::Catalogue& catalogue = view_.catalogue();
  // A name already listed would give a second node for the same directory.
  if (catalogue.FindServiceCode(name) >= 0) {
    messages_.Show(MessageStyle::Failure, "This Service Code is already exist");
    return;
  }
  std::error_code error;
  const fs::path cwd = fs::current_path(error);
  if (error) {
    messages_.Show(MessageStyle::Failure, "Can't get current working directory.");
    return;
  }
  if (!fs::create_directory(cwd / name, error) || error) {
    messages_.Show(MessageStyle::Failure, "This Service Code is already exist");
    return;
  }
  catalogue.AddServiceCode(name);  // at the limit it shows why and adds nothing
  catalogue.SaveCatalogue();
  view_.FocusTree();
}

void StoreCommands::DeleteServiceCode() {
  const QTreeWidgetItem* node = view_.tree()->currentItem();
  store::Catalogue& catalogue = view_.catalogue();
  const int index = node != nullptr ? node->data(0, Qt::UserRole).toInt() : -1;
  if (!catalogue.IsLive(index)) return;
  const std::string& name = catalogue.serviceCode(index).name;
  if (!messages_.Confirm(Format("Are you sure to delete Service Code '%s' ?", name.c_str()))) return;
  if (catalogue.FileCountOf(index) != 0) {
    MessageBoxes::Show(parent_, kWarningCaption, QStringLiteral("This service code is not empty"),
                       BoxIcon::Exclamation);
    return;
  }
  std::error_code ignored;  // a directory that still holds files stays; the Service Code goes all the same
  fs::remove(view_.storeRoot() / name, ignored);
  catalogue.MarkServiceCodeDeleted(index);
  view_.RemoveServiceCodeNode(index);
  catalogue.SaveCatalogue();
  view_.FocusTree();
}

}  // namespace lumvex::ui
