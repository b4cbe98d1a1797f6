#include "app/service_code_commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core/text_format.h"
#include "store/file_names.h"

namespace lumvex::app {

Outcome AddServiceCode(Workspace& workspace, std::string_view name) {
  MessagePort& messages = workspace.messages();
  store::Catalogue& catalogue = workspace.catalogue();
  // Refused before its directory is made, so a bad name leaves nothing behind.
  if (!store::IsStorableServiceCodeName(name)) {
    messages.Show(MessageStyle::Failure, store::ServiceCodeNameRefusal(name));
    return Outcome::Refused;
  }
  // A name already listed would give a second node for the same directory.
  if (catalogue.FindServiceCode(name) >= 0) {
    messages.Show(MessageStyle::Failure, "This Service Code is already exist");
    return Outcome::Failed;
  }
  if (workspace.storeRoot().empty()) {
    messages.Show(MessageStyle::Failure, "Can't get current working directory.");
    return Outcome::Failed;
  }
  // mkdir fails on anything of that name, a file as much as a directory.
  if (::mkdir(workspace.PathOf(name).c_str(), 0777) != 0) {
    messages.Show(MessageStyle::Failure, "This Service Code is already exist");
    return Outcome::Failed;
  }
  const bool added = catalogue.AddServiceCode(name) >= 0;  // at the limit it shows why
  if (!catalogue.SaveCatalogue()) return Outcome::Failed;
  return added ? Outcome::Done : Outcome::Refused;
}

Outcome DeleteServiceCode(Workspace& workspace, Consent consent) {
  MessagePort& messages = workspace.messages();
  store::Catalogue& catalogue = workspace.catalogue();
  const int index = workspace.selection().selectedServiceCode;
  if (!catalogue.IsLive(index)) return Outcome::NoSelection;
  const std::string name = catalogue.serviceCode(index).name;
  if (consent == Consent::Ask &&
      !messages.Confirm(Format("Are you sure to delete Service Code '%s' ?", name.c_str()))) {
    return Outcome::Cancelled;
  }
  if (catalogue.FileCountOf(index) != 0) {
    messages.Show(MessageStyle::Warning, "This service code is not empty");
    return Outcome::Refused;
  }
  catalogue.MarkServiceCodeDeleted(index);
  // The catalogue first, as for files: a crash in between leaves a directory
  // no Service Code names, never a Service Code without its directory.
  if (!catalogue.SaveCatalogue()) return Outcome::Failed;
  // Only an empty directory goes; one that holds files stays, the Service
  // Code goes all the same.
  ::rmdir(workspace.PathOf(name).c_str());
  return Outcome::Done;
}

}  // namespace lumvex::app
