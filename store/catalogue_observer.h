#pragma once

namespace lumvex::store {

// How the catalogue tells the explorer view what to show. Every call comes
// after the catalogue's tables already hold the new state.
class CatalogueObserver {
 public:
  virtual ~CatalogueObserver() = default;

  // Every tree node and list row is gone; the tree holds its root only.
  virtual void CatalogueCleared() {}
  // A Service Code entry was appended: its node goes last under the root.
  virtual void ServiceCodeAdded(int /*serviceCodeIndex*/) {}
  // A Service Code entry was marked deleted: its node goes.
  virtual void ServiceCodeRemoved(int /*serviceCodeIndex*/) {}
  // Show this Service Code: select its node, fill its list, update the status.
  virtual void ServiceCodeShown(int /*serviceCodeIndex*/) {}
  // A live file entry of the Service Code was appended as list row `row`.
  virtual void FileRowAdded(int /*serviceCodeIndex*/, int /*row*/, int /*fileIndex*/) {}
  // Row `row` of the Service Code's list no longer has a live entry.
  virtual void FileRowRemoved(int /*serviceCodeIndex*/, int /*row*/) {}
  // The Service Code's file count changed.
  virtual void StatusChanged(int /*serviceCodeIndex*/) {}
};

}  // namespace lumvex::store
