#include "app/file_commands.h"

#include <unistd.h>

#include "report/fixed_record_copy.h"
#include "store/file_names.h"

namespace lumvex::app {
namespace {

// The entry of the selected row, or -1 after `refusal` was shown.
int SelectedEntry(Workspace& workspace, std::string_view refusal, bool needsServiceCode = false) {
  const Selection& selection = workspace.selection();
  const int file = workspace.CurrentFileIndex();
  if (selection.selectedRow < 0 || file < 0 || (needsServiceCode && selection.selectedServiceCode < 0)) {
    workspace.messages().Show(MessageStyle::Plain, refusal);
    return -1;
  }
  return file;
}

}  // namespace

Outcome DeleteFile(Workspace& workspace, const ConfirmDelete& confirm) {
  const int file = SelectedEntry(workspace, "Please Select Data for Deleted");
  if (file < 0) return Outcome::NoSelection;
  store::Catalogue& catalogue = workspace.catalogue();
  if (!confirm(catalogue.file(file))) return Outcome::Cancelled;

  const std::string code = workspace.selection().currentServiceCode;
  const std::string name = workspace.selection().currentFile;
  const int owner = workspace.CurrentServiceCodeIndex();
  catalogue.MarkFileDeleted(owner, name);
  catalogue.ShowServiceCode(owner);  // the list rebuilt, the status anew
  // The catalogue first: a crash in between leaves a file that no entry
  // names, never an entry whose file is gone.
  if (!catalogue.SaveCatalogue()) return Outcome::Failed;
  // unlink removes files only; a file already gone or in use does not stop the delete.
  ::unlink(workspace.PathOf(store::StoredFilePath(code, name)).c_str());
  ::unlink(workspace.PathOf(store::ReceivedFileOfName(code, name)).c_str());
  workspace.messages().Show(MessageStyle::Plain, "Delete Completed ...");
  return Outcome::Done;
}

Outcome CopyFile(Workspace& workspace, const AskDestination& askDestination) {
  const int file = SelectedEntry(workspace, "Please Select Data for Copy");
  if (file < 0) return Outcome::NoSelection;
  const store::FileEntry& entry = workspace.catalogue().file(file);
  const std::optional<std::string> destination = askDestination(entry);
  if (!destination) return Outcome::Cancelled;
  // Named relative to the store root, so messages name them as the user knows them.
  const std::string source = store::StoredFilePath(workspace.selection().currentServiceCode, entry.fileName);
  if (!report::CopyFixedRecords(source, *destination, workspace.messages(), workspace.storeRoot())) {
    return Outcome::Failed;
  }
  workspace.messages().Show(MessageStyle::Plain, "Copy File Completed ...");
  return Outcome::Done;
}

Outcome ShowProperties(Workspace& workspace, const ShowEntry& show) {
  const int file = SelectedEntry(workspace, "Please Select Data for display Properties", true);
  if (file < 0) return Outcome::NoSelection;
  show(workspace.catalogue().file(file));
  return Outcome::Done;
}

}  // namespace lumvex::app
