#include "app/download_command.h"

#include "core/text_format.h"
#include "store/file_names.h"

namespace lumvex::app {

bool MayDownload(Workspace& workspace) {
  if (workspace.catalogue().fileCount() < store::MAX_FILES) return true;
  workspace.messages().Show(MessageStyle::Plain, Format("Number of houses must be between 1 and %d", store::MAX_FILES));
  return false;
}

bool RecordFile(Workspace& workspace, std::string_view billDate, std::string_view sizeText) {
  store::Catalogue& catalogue = workspace.catalogue();
  const int index = workspace.CurrentServiceCodeIndex();
  if (!catalogue.IsLive(index)) return false;
  // Checked before the older entry goes, so that it stays live.
  if (catalogue.fileCount() >= store::MAX_FILES) {
    workspace.messages().Show(MessageStyle::Plain, store::FileTableFullText());
    return false;
  }
  const std::string fileName = store::DataFileEntryName(store::DayOfYear(billDate));
  bool saved = true;
  if (catalogue.MarkFileDeleted(index, fileName) >= 0) {
    catalogue.ShowServiceCode(index);
    saved = catalogue.SaveCatalogue();
  } else if (const int selected = workspace.selection().selectedServiceCode; selected != -1 && selected != index) {
    catalogue.ShowServiceCode(index);
  }
  const std::optional<LocalTime> now = workspace.clock().Now();
  store::FileEntry entry{fileName,
                         catalogue.serviceCode(index).name,
                         std::string(store::kDownloadDescription),
                         store::DatePrepare(billDate),
                         now ? store::DateRetrieve(*now) : std::string("00/00/0000"),
                         std::string(sizeText),
                         store::kFileImage};
  if (!catalogue.AppendFile(index, std::move(entry))) return false;
  return catalogue.SaveCatalogue() && saved;
}

}  // namespace lumvex::app
