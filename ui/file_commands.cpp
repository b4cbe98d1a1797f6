#include <QFile>
#include <filesystem>
#include <system_error>

#include "report/data_file_import.h"
#include "report/fixed_record_copy.h"
#include "store/file_names.h"
#include "ui/file_dialog.h"
#include "ui/lumvex_view.h"
#include "ui/store_commands.h"
#include "ui/store_dialogs.h"

namespace lumvex::ui {

namespace fs = std::filesystem;

void StoreCommands::DeleteFile() {
  const int file = view_.selectedFileIndex();
  if (file < 0) {
    messages_.Show(MessageStyle::Plain, "Please Select Data for Deleted");
    return;
  }
  store::Catalogue& catalogue = view_.catalogue();
  {
    CDeleteDlg dialog(catalogue.file(file), parent_);
    if (dialog.exec() != QDialog::Accepted) {
      view_.FocusList();
      return;
    }
  }
  const std::string code = view_.currentServiceCode();
  const std::string name = view_.currentFile();
  std::error_code ignored;  // a file already gone or in use does not stop the delete
  fs::remove(view_.storeRoot() / store::StoredFilePath(code, name), ignored);
  fs::remove(view_.storeRoot() / store::ReceivedFileOfName(code, name), ignored);
  const int selected = view_.selectedServiceCode();
  catalogue.MarkFileDeleted(selected, name);
  view_.FillList(selected);
  view_.UpdateStatus(selected);
  catalogue.SaveCatalogue();
  messages_.Show(MessageStyle::Plain, "Delete Completed ...");
  view_.FocusList();
}

void StoreCommands::CopyFile() {
  const int file = view_.selectedFileIndex();
  if (file < 0) {
    messages_.Show(MessageStyle::Plain, "Please Select Data for Copy");
    return;
  }
  const store::FileEntry& entry = view_.catalogue().file(file);
  CCopyDlg dialog(entry, parent_);
  if (dialog.exec() != QDialog::Accepted) {
    view_.FocusList();
    return;
  }
  // Paths relative to the store root, so messages name them as the user knows them.
  const fs::path source = store::StoredFilePath(view_.currentServiceCode(), entry.fileName);
  if (report::CopyFixedRecords(source, dialog.destination(), messages_)) {
    messages_.Show(MessageStyle::Plain, "Copy File Completed ...");
  }
  view_.FocusList();
}

void StoreCommands::Properties() {
  const int file = view_.selectedFileIndex();
  if (view_.selectedServiceCode() < 0 || file < 0) {
    messages_.Show(MessageStyle::Plain, "Please Select Data for display Properties");
    return;
  }
  CPropertiesSheet sheet(view_.catalogue().file(file), parent_);
  sheet.exec();
  view_.FocusList();
}

void StoreCommands::Import() {
  store::Catalogue& catalogue = view_.catalogue();
  const int selected = view_.selectedServiceCode();
  if (!catalogue.IsLive(selected)) {
    // Refused before the file dialog: the import core shows why.
    report::ImportDataFile(catalogue, -1, {}, messages_, clock_);
    return;
  }
  const QString chosen = FileDialogs::GetOpenFileName(parent_, QStringLiteral("Open"),
                                                      QStringLiteral("Kordex Data File (kordex.*)"));
  std::error_code ignored;
  fs::current_path(view_.storeRoot(), ignored);
  if (chosen.isEmpty()) return;
  report::ImportDataFile(catalogue, selected, fs::path(QFile::encodeName(chosen).toStdString()), messages_, clock_);
  fs::current_path(view_.storeRoot(), ignored);
}

}  // namespace lumvex::ui
