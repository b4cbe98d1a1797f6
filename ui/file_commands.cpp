#include "app/file_commands.h"

#include <QFile>

#include "app/import_command.h"
#include "ui/file_dialog.h"
#include "ui/lumvex_view.h"
#include "ui/store_commands.h"
#include "ui/store_dialogs.h"

namespace lumvex::ui {

void StoreCommands::DeleteFile() {
  const app::Outcome outcome = app::DeleteFile(view_.workspace(), [this](const store::FileEntry& entry) {
    CDeleteDlg dialog(entry, parent_);
    return dialog.exec() == QDialog::Accepted;
  });
  if (outcome != app::Outcome::NoSelection) view_.FocusList();
}

void StoreCommands::CopyFile() {
  const app::Outcome outcome =
      app::CopyFile(view_.workspace(), [this](const store::FileEntry& entry) -> std::optional<std::string> {
        CCopyDlg dialog(entry, parent_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.destination();
      });
  if (outcome != app::Outcome::NoSelection) view_.FocusList();
}

void StoreCommands::Properties() {
  const app::Outcome outcome = app::ShowProperties(view_.workspace(), [this](const store::FileEntry& entry) {
    CPropertiesSheet sheet(entry, parent_);
    sheet.exec();
  });
  if (outcome != app::Outcome::NoSelection) view_.FocusList();
}

void StoreCommands::Import() {
  app::ImportFile(view_.workspace(), [this]() -> std::optional<std::filesystem::path> {
    const QString chosen = FileDialogs::GetOpenFileName(parent_, QStringLiteral("Open"),
                                                        QStringLiteral("Kordex Data File (kordex.*)"));
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(QFile::encodeName(chosen).toStdString());
  });
}

}  // namespace lumvex::ui
