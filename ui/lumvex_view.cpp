#include "ui/lumvex_view.h"

#include <QHeaderView>
#include <algorithm>
#include <QItemSelectionModel>
#include <QListView>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTreeView>
#include <QTreeWidget>

#include "core/text_format.h"
#include "ui/file_list_model.h"
#include "ui/icons.h"
#include "print/thai_text.h"

namespace lumvex::ui {
namespace {

constexpr int kColumnWidths[kFileListColumns] = {89, 105, 155, 100, 103, 85};

QString ModeLabel(ViewMode mode) {
  switch (mode) {
    case ViewMode::LargeIcon:
      return QStringLiteral("Large Icon");
    case ViewMode::SmallIcon:
      return QStringLiteral("Small Icon");
    case ViewMode::List:
      return QStringLiteral("List View");
    case ViewMode::Report:
      break;
  }
  return QStringLiteral("Report View");
}

}  // namespace

CLumvexView::CLumvexView(app::Workspace& workspace, QWidget* parent) : QWidget(parent), workspace_(workspace) {
  setObjectName(QStringLiteral("explorerView"));
}

CLumvexView::~CLumvexView() { catalogue().SetObserver(nullptr); }

void CLumvexView::Create() {
  fileIcon_ = LoadIcon("lumvex");
  rootIcon_ = LoadIcon("computer");
  serviceCodeIcon_ = LoadIcon("lumvex", "service_code_selected");
  CreateList();
  modeLabel_ = ModeLabel(ViewMode::Report);
  CreateTree();
  catalogue().SetObserver(this);
  catalogue().LoadCatalogue();
}

void CLumvexView::CreateList() {
  model_ = new FileListModel(catalogue(), fileIcon_, this);
  listArea_ = new QStackedWidget(this);
  listArea_->setObjectName(QStringLiteral("fileList"));

  details_ = new QTreeView(listArea_);
  details_->setObjectName(QStringLiteral("detailsList"));
  details_->setRootIsDecorated(false);
  details_->setUniformRowHeights(true);
  details_->setAllColumnsShowFocus(true);
  details_->setItemsExpandable(false);
  details_->setSelectionMode(QAbstractItemView::SingleSelection);
  details_->setSelectionBehavior(QAbstractItemView::SelectRows);
  details_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  details_->setModel(model_);
  details_->header()->setStretchLastSection(false);
  details_->header()->setSectionsClickable(true);
  details_->header()->setSectionsMovable(false);
  // The widths were set for an 8-point font; a larger one must not cut a File Name short.
  const QFontMetrics metrics = details_->fontMetrics();
  const int nameWidth = metrics.horizontalAdvance(QStringLiteral("kordex.000")) + 20 + 20;
  for (int c = 0; c < kFileListColumns; ++c) {
    const int title = metrics.horizontalAdvance(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 16;
    details_->header()->resizeSection(c, std::max({kColumnWidths[c], title, c == 0 ? nameWidth : 0}));
  }
  connect(details_->header(), &QHeaderView::sectionClicked, this, &CLumvexView::SortBy);

  icons_ = new QListView(listArea_);
  icons_->setObjectName(QStringLiteral("iconList"));
  icons_->setModel(model_);
  icons_->setSelectionModel(details_->selectionModel());
  icons_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Whole rows in every mode, so that one selection serves all four.
  icons_->setSelectionBehavior(QAbstractItemView::SelectRows);
  icons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  icons_->setMovement(QListView::Static);
  icons_->setResizeMode(QListView::Adjust);
  icons_->setUniformItemSizes(true);
  icons_->setLayoutMode(QListView::Batched);

  listArea_->addWidget(details_);
  listArea_->addWidget(icons_);
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& pos) { OnListContextMenu(view, pos); });
  }
  connect(details_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CLumvexView::ReadListSelection);
  connect(model_, &QAbstractItemModel::modelReset, this, &CLumvexView::ReadListSelection);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &CLumvexView::ReadListSelection);
  connect(model_, &QAbstractItemModel::layoutChanged, this, &CLumvexView::ReadListSelection);
}

void CLumvexView::CreateTree() {
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("serviceCodeTree"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setRootIsDecorated(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setMouseTracking(true);  // hot tracking of the item under the pointer
  tree_->setIconSize(QSize(20, 20));
  root_ = new QTreeWidgetItem(tree_, QStringList(QStringLiteral("For Service Code")));
  root_->setIcon(0, rootIcon_);
  root_->setData(0, Qt::UserRole, -1);
  root_->setExpanded(true);
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnTreeSelectionChanged(current); });
}

void CLumvexView::OnInitialUpdate() {
  if (root_ != nullptr && root_->childCount() > 0) {
    SelectServiceCode(root_->child(0)->data(0, Qt::UserRole).toInt());
  }
}

int CLumvexView::selectedFileIndex() const { return model_->FileIndexAt(selection().selectedRow); }

QAbstractItemView* CLumvexView::list() const {
  return listArea_->currentWidget() == details_ ? static_cast<QAbstractItemView*>(details_) : icons_;
}

QWidget* CLumvexView::listArea() const { return listArea_; }

QTreeWidgetItem* CLumvexView::NodeOf(int serviceCodeIndex) const {
  for (int i = 0; i < root_->childCount(); ++i) {
    if (root_->child(i)->data(0, Qt::UserRole).toInt() == serviceCodeIndex) return root_->child(i);
  }
  return nullptr;
}

void CLumvexView::SelectServiceCode(int serviceCodeIndex) {
  QTreeWidgetItem* node = NodeOf(serviceCodeIndex);
  if (node == nullptr) return;
  if (tree_->currentItem() == node) {
    OnTreeSelectionChanged(node);
  } else {
    tree_->setCurrentItem(node);
  }
}

void CLumvexView::OnTreeSelectionChanged(QTreeWidgetItem* item) {
  const int selected = item != nullptr ? item->data(0, Qt::UserRole).toInt() : -1;
  workspace_.selection().selectedServiceCode = selected;
  FillList(selected);
  UpdateStatus(selected);
  emit selectionChanged();
}

void CLumvexView::FillList(int serviceCodeIndex) {
  model_->Clear();
  if (selection().selectedServiceCode == -1) return;
  model_->Fill(catalogue().FilesOf(serviceCodeIndex));
}

void CLumvexView::UpdateStatus(int k) {
  app::Selection& s = workspace_.selection();
  std::string text;
  if (k == kFileStatus) {
    text = Format("File Name '%s'", s.currentFile.c_str());
  } else if (k < 0 || !catalogue().IsLive(k)) {
    s.currentServiceCode = app::kNoServiceCode;
    text = Format("Service Code '%s' : %d files", s.currentServiceCode.c_str(), 0);
  } else {
    s.currentServiceCode = catalogue().serviceCode(k).name;
    text = Format("Service Code '%s' : %d files", s.currentServiceCode.c_str(), catalogue().FileCountOf(k));
  }
  statusText_ = FromTis620(text);
  emit statusTextChanged(statusText_);
}

void CLumvexView::RemoveServiceCodeNode(int serviceCodeIndex) {
  QTreeWidgetItem* node = NodeOf(serviceCodeIndex);
  if (node == nullptr) return;
  const int at = root_->indexOfChild(node);
  QTreeWidgetItem* next = at + 1 < root_->childCount() ? root_->child(at + 1) : at > 0 ? root_->child(at - 1) : root_;
  if (tree_->currentItem() == node) tree_->setCurrentItem(next);
  delete node;
}

void CLumvexView::ReadListSelection() {
  // Any selected cell stands for its row: the icon modes select one column only.
  const QModelIndexList cells = details_->selectionModel()->selectedIndexes();
  app::Selection& s = workspace_.selection();
  s.selectedRow = cells.isEmpty() ? -1 : cells.front().row();
  const int file = model_->FileIndexAt(s.selectedRow);
  s.currentFile = file >= 0 ? catalogue().file(file).fileName : std::string();
  emit selectionChanged();
}

void CLumvexView::OnListContextMenu(QAbstractItemView* view, const QPoint& pos) {
  const QModelIndex at = view->indexAt(pos);
  if (at.isValid()) {
    view->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    view->selectionModel()->clearSelection();
  }
  ReadListSelection();
  emit popupMenuRequested(view->viewport()->mapToGlobal(pos));
}

void CLumvexView::SetViewMode(ViewMode mode) {
  modeLabel_ = ModeLabel(mode);
  if (mode == ViewMode::Report) {
    listArea_->setCurrentWidget(details_);
    details_->setFocus();
  } else {
    const bool large = mode == ViewMode::LargeIcon;
    icons_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    icons_->setIconSize(large ? QSize(32, 32) : QSize(20, 20));
    icons_->setFlow(mode == ViewMode::List ? QListView::TopToBottom : QListView::LeftToRight);
    icons_->setWrapping(true);
    icons_->setWordWrap(large);
    icons_->setGridSize(large ? QSize(96, 72) : mode == ViewMode::SmallIcon ? QSize(140, 24) : QSize());
    icons_->setMovement(QListView::Static);
    listArea_->setCurrentWidget(icons_);
  }
  emit selectionChanged();
}

void CLumvexView::SortBy(int column) { model_->Sort(column); }

void CLumvexView::FocusList() { list()->setFocus(); }
void CLumvexView::FocusTree() { tree_->setFocus(); }

void CLumvexView::resizeEvent(QResizeEvent* event) {
  const int cx = event->size().width();
  const int cy = event->size().height();
  if (tree_ != nullptr) tree_->setGeometry(-1, 0, cx / 5 + 1, cy);
  if (listArea_ != nullptr) listArea_->setGeometry(cx / 5, 0, 4 * cx / 5 + 2, cy);
}

void CLumvexView::CatalogueCleared() {
  workspace_.selection().selectedServiceCode = -1;
  if (root_ != nullptr) qDeleteAll(root_->takeChildren());
  model_->Clear();
}

void CLumvexView::ServiceCodeAdded(int serviceCodeIndex) {
  auto* node = new QTreeWidgetItem(root_, QStringList(FromTis620(catalogue().serviceCode(serviceCodeIndex).name)));
  node->setIcon(0, serviceCodeIcon_);
  node->setData(0, Qt::UserRole, serviceCodeIndex);
  root_->setExpanded(true);
}

void CLumvexView::ServiceCodeRemoved(int serviceCodeIndex) { RemoveServiceCodeNode(serviceCodeIndex); }

void CLumvexView::ServiceCodeShown(int serviceCodeIndex) { SelectServiceCode(serviceCodeIndex); }

void CLumvexView::FileRowAdded(int serviceCodeIndex, int /*row*/, int fileIndex) {
  // A new entry is the last of its Service Code in table order, so it goes last.
  if (serviceCodeIndex == selection().selectedServiceCode) model_->Append(fileIndex);
}

void CLumvexView::FileRowRemoved(int serviceCodeIndex, int /*row*/) {
  if (serviceCodeIndex == selection().selectedServiceCode) {
    model_->RemoveDeadRows(catalogue().serviceCode(serviceCodeIndex).name);
  }
}

void CLumvexView::StatusChanged(int serviceCodeIndex) {
  // With the root selected the status line speaks of no Service Code ("None").
  const int selected = selection().selectedServiceCode;
  if (serviceCodeIndex == selected || selected < 0) UpdateStatus(selected);
}

}  // namespace lumvex::ui
