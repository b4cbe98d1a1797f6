#include "app/import_command.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>

#include "core/text_format.h"
#include "report/data_file_import.h"
#include "store/file_names.h"

namespace lumvex::app {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The file dialog may have moved the working directory; the store root is
// where relative names must keep pointing.
void RestoreWorkingDirectory(const Workspace& workspace) {
  std::error_code ignored;
  if (!workspace.storeRoot().empty()) std::filesystem::current_path(workspace.storeRoot(), ignored);
}

store::FileEntry EntryOf(std::string name, std::string code, const report::ImportedFile& imported,
                         const Clock& clock) {
  store::FileEntry entry;
  entry.fileName = std::move(name);
  entry.serviceCode = std::move(code);
  entry.description = store::kDownloadDescription;
  entry.datePrepare = imported.datePrepare;
  entry.dateRetrieve = store::DateRetrieve(clock.Now().value_or(LocalTime{}));
  entry.fileSize = Format("%llu", static_cast<unsigned long long>(imported.byteCount));
  entry.image = store::kFileImage;
  return entry;
}

}  // namespace

std::string ImportedFileName(std::string_view chosenPath) {
  const std::size_t slash = chosenPath.find_last_of('/');
  std::string name(slash == std::string_view::npos ? chosenPath : chosenPath.substr(slash + 1));
  std::transform(name.begin(), name.end(), name.begin(), AsciiLower);
  return name;
}

Outcome ImportFile(Workspace& workspace, const ChooseImportFile& choose) {
  MessagePort& messages = workspace.messages();
  store::Catalogue& catalogue = workspace.catalogue();
  const int index = workspace.CurrentServiceCodeIndex();
  if (!catalogue.IsLive(index)) {
    messages.Show(MessageStyle::Plain, "Please Select Service Code for Import");
    return Outcome::NoSelection;
  }
  const std::optional<std::filesystem::path> chosen = choose();
  RestoreWorkingDirectory(workspace);
  if (!chosen) return Outcome::Cancelled;

  const std::string code = catalogue.serviceCode(index).name;
  const std::string name = ImportedFileName(chosen->string());
  if (!store::IsStorableFileName(name)) {
    messages.Show(MessageStyle::Failure, Format("File name %s can't be kept in the catalogue", name.c_str()));
    return Outcome::Refused;
  }
  if (catalogue.FindFile(index, name) >= 0) {
    messages.Show(MessageStyle::Failure, Format("This file are already in %s", code.c_str()));
    return Outcome::Refused;
  }
  if (catalogue.fileCount() >= store::MAX_FILES) {
    messages.Show(MessageStyle::Plain, store::FileTableFullText());
    return Outcome::Refused;
  }
  const std::filesystem::path destination = workspace.PathOf(store::StoredFilePath(code, name));
  const auto imported = report::CopyImportedFile(*chosen, destination, code, name, messages);
  if (!imported) return Outcome::Failed;
  catalogue.AppendFile(index, EntryOf(name, code, *imported, workspace.clock()));
  const bool saved = catalogue.SaveCatalogue();
  RestoreWorkingDirectory(workspace);
  return saved ? Outcome::Done : Outcome::Failed;
}

}  // namespace lumvex::app
