#pragma once

#include <QIcon>
#include <QWidget>
#include <filesystem>
#include <string>

#include "app/workspace.h"
#include "store/catalogue.h"
#include "store/catalogue_observer.h"

class QAbstractItemView;
class QListView;
class QStackedWidget;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumvex::ui {

class FileListModel;

enum class ViewMode { LargeIcon, SmallIcon, List, Report };

// The explorer view: the tree of Service Codes beside the list of the selected
// one's files. It shows the workspace's catalogue and keeps its selection up
// to date with what the user clicks.
class CLumvexView : public QWidget, public store::CatalogueObserver {
  Q_OBJECT

 public:
  // The control identifiers the resources give the list and the tree.
  static constexpr int kListId = 1002;
  static constexpr int kTreeId = 1003;

  explicit CLumvexView(app::Workspace& workspace, QWidget* parent = nullptr);
  ~CLumvexView() override;

  // Builds the tree and the list and loads the catalogue.
  void Create();
  // Selects the first Service Code, as the window opens.
  void OnInitialUpdate();

  app::Workspace& workspace() { return workspace_; }
  store::Catalogue& catalogue() { return workspace_.catalogue(); }
  const std::filesystem::path& storeRoot() const { return workspace_.storeRoot(); }

  // The selection values other commands read.
  int selectedServiceCode() const { return selection().selectedServiceCode; }
  int selectedRow() const { return selection().selectedRow; }
  // The file entry of the selected row; -1 when no row is selected.
  int selectedFileIndex() const;
  const std::string& currentServiceCode() const { return selection().currentServiceCode; }
  // The Download dialog names the Service Code it works on.
  void SetCurrentServiceCode(std::string name) { workspace_.selection().currentServiceCode = std::move(name); }
  const std::string& currentFile() const { return selection().currentFile; }

  // Selects the Service Code's node, fills its list and shows its status,
  // also when the node was selected already.
  void SelectServiceCode(int serviceCodeIndex);
  void FillList(int serviceCodeIndex);
  // k >= 0: that Service Code; -1: none; kFileStatus: the current file.
  void UpdateStatus(int k);
  static constexpr int kFileStatus = -2;
  // Takes a Service Code's node out of the tree and selects a neighbour.
  void RemoveServiceCodeNode(int serviceCodeIndex);

  void SetViewMode(ViewMode mode);
  const QString& modeLabel() const { return modeLabel_; }
  void SortBy(int column);

  void FocusList();
  void FocusTree();

  QTreeWidget* tree() const { return tree_; }
  // The list control: the view of the current mode.
  QAbstractItemView* list() const;
  QWidget* listArea() const;
  QTreeView* detailsList() const { return details_; }
  QListView* iconList() const { return icons_; }
  FileListModel* model() const { return model_; }
  const QString& statusText() const { return statusText_; }

  // CatalogueObserver
  void CatalogueCleared() override;
  void ServiceCodeAdded(int serviceCodeIndex) override;
  void ServiceCodeRemoved(int serviceCodeIndex) override;
  void ServiceCodeShown(int serviceCodeIndex) override;
  void FileRowAdded(int serviceCodeIndex, int row, int fileIndex) override;
  void FileRowRemoved(int serviceCodeIndex, int row) override;
  void StatusChanged(int serviceCodeIndex) override;

 signals:
  void statusTextChanged(const QString& text);
  // The selected Service Code, the selected row or the view mode changed.
  void selectionChanged();
  void popupMenuRequested(const QPoint& globalPos);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  const app::Selection& selection() const { return workspace_.selection(); }
  void CreateList();
  void CreateTree();
  QTreeWidgetItem* NodeOf(int serviceCodeIndex) const;
  void OnTreeSelectionChanged(QTreeWidgetItem* item);
  void ReadListSelection();
  void OnListContextMenu(QAbstractItemView* view, const QPoint& pos);

  app::Workspace& workspace_;
  QString modeLabel_;
  QIcon fileIcon_;
  QIcon rootIcon_;
  QIcon serviceCodeIcon_;
  FileListModel* model_ = nullptr;
  QStackedWidget* listArea_ = nullptr;
  QTreeView* details_ = nullptr;
  QListView* icons_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QTreeWidgetItem* root_ = nullptr;
  QString statusText_;
};

}  // namespace lumvex::ui
