#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "store/catalogue.h"

namespace lumvex::ui {

inline constexpr int kFileListColumns = 6;

// Orders two file entries by a list column: texts ordinally, the dates by
// year, month and day, the size as a number. Negative, zero or positive.
int CompareFileEntries(const store::FileEntry& a, const store::FileEntry& b, int column);

// The rows of the file list. A row holds only its file entry's index; every
// text comes from the catalogue when the view asks for it.
class FileListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  FileListModel(const store::Catalogue& catalogue, QIcon fileIcon, QObject* parent = nullptr);

  void Fill(std::vector<int> fileIndexes);
  void Clear() { Fill({}); }
  void Append(int fileIndex);
  // Drops the rows whose entries no longer belong to a live Service Code.
  void RemoveDeadRows(std::string_view serviceCode);
  // Ascending; rows that compare equal keep their order.
  void Sort(int column);

  // The file entry of a row; -1 outside the rows.
  int FileIndexAt(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const store::Catalogue& catalogue_;
  QIcon fileIcon_;
  std::vector<int> rows_;
};

}  // namespace lumvex::ui
