#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/message_port.h"
#include "store/catalogue.h"

namespace lumvex::app {

inline constexpr std::string_view kNoServiceCode = "None";

// What every command acts on. The explorer view keeps these up to date as
// the user clicks; a script sets them by name.
struct Selection {
  int selectedServiceCode = -1;    // table index of the tree's selected node; -1 for the root or none
  int selectedRow = -1;            // the list's selected row; -1 for none
  std::string currentServiceCode;  // the name commands work in; "None" with the root selected
  std::string currentFile;         // File Name of the selected row; empty without one
};

// One store for the whole run: its root (the working directory at start,
// recorded once), its catalogue and the selection. Commands name files
// under the root and never ask for the working directory again.
class Workspace {
 public:
  // `storeRoot` is absolute; empty when the working directory could not be had.
  Workspace(std::filesystem::path storeRoot, MessagePort& messages, const Clock& clock);
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const std::filesystem::path& storeRoot() const { return storeRoot_; }
  // A name relative to the store root, made absolute.
  std::filesystem::path PathOf(std::string_view relative) const { return storeRoot_ / relative; }
  store::Catalogue& catalogue() { return catalogue_; }
  const store::Catalogue& catalogue() const { return catalogue_; }
  Selection& selection() { return selection_; }
  const Selection& selection() const { return selection_; }
  MessagePort& messages() { return messages_; }
  const Clock& clock() const { return clock_; }

  // The table index of the current Service Code, or -1 when it names none.
  int CurrentServiceCodeIndex() const;
  // The entry of the selected row (the current file of the current Service
  // Code), or -1.
  int CurrentFileIndex() const;

  // The Service Codes the link dialogs offer: download.log's first part, in
  // file order (it lacks the ones deleted in this run).
  std::vector<std::string> DialogServiceCodes() const;

  // For scripts: selects the Service Code and, when given, its file, as a
  // click on the node and on the row would. False when either is not there.
  bool SelectByName(std::string_view serviceCode, std::string_view fileName = {});

 private:
  std::filesystem::path storeRoot_;
  MessagePort& messages_;
  const Clock& clock_;
  store::Catalogue catalogue_;
  Selection selection_;
};

// The working directory as an absolute path, read once at start; empty when
// it cannot be had.
std::filesystem::path RecordStoreRoot();

}  // namespace lumvex::app
