#include "ui/file_list_model.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/decimal.h"
#include "print/thai_text.h"

namespace lumvex::ui {
namespace {

constexpr const char* kTitles[kFileListColumns] = {"File Name",    "Service Code",  "Description",
                                                    "Date Prepare", "Date Retrieve", "File Size"};

const std::string& Field(const store::FileEntry& e, int column) {
  switch (column) {
    case 0:
      return e.fileName;
    case 1:
      return e.serviceCode;
    case 2:
      return e.description;
    case 3:
      return e.datePrepare;
    case 4:
      return e.dateRetrieve;
    default:
      return e.fileSize;
  }
}

int CompareTexts(const std::string& a, const std::string& b) {
  // std::string compares its bytes as unsigned char, as the ordinal compare does.
  const int c = a.compare(b);
  return (c > 0) - (c < 0);
}

// DD/MM/YYYY as one number that orders by year, then month, then day.
long DateKey(const std::string& text) {
  int day = 0;
  int month = 0;
  int year = 0;
  std::sscanf(text.c_str(), "%02d/%02d/%04d", &day, &month, &year);
  return (static_cast<long>(year) * 100 + month) * 100 + day;
}

template <typename T>
int Order(T a, T b) {
  return (a > b) - (a < b);
}

}  // namespace

int CompareFileEntries(const store::FileEntry& a, const store::FileEntry& b, int column) {
  switch (column) {
    case 0:
    case 1:
    case 2:
      return CompareTexts(Field(a, column), Field(b, column));
    case 3:
    case 4:
      return Order(DateKey(Field(a, column)), DateKey(Field(b, column)));
    case 5:
      return Order(ReadLeadingDecimal(a.fileSize).value, ReadLeadingDecimal(b.fileSize).value);
    default:
      return 0;
  }
}

FileListModel::FileListModel(const store::Catalogue& catalogue, QIcon fileIcon, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue), fileIcon_(std::move(fileIcon)) {}

void FileListModel::Fill(std::vector<int> fileIndexes) {
  beginResetModel();
  rows_ = std::move(fileIndexes);
  endResetModel();
}

void FileListModel::Append(int fileIndex) {
  const int row = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), row, row);
  rows_.push_back(fileIndex);
  endInsertRows();
}

void FileListModel::RemoveDeadRows(std::string_view serviceCode) {
  for (int row = static_cast<int>(rows_.size()) - 1; row >= 0; --row) {
    if (catalogue_.file(rows_[static_cast<std::size_t>(row)]).serviceCode == serviceCode) continue;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
  }
}

void FileListModel::Sort(int column) {
  emit layoutAboutToBeChanged();
  const QModelIndexList before = persistentIndexList();
  std::vector<int> fileOf;
  for (const QModelIndex& i : before) fileOf.push_back(rows_[static_cast<std::size_t>(i.row())]);
  std::stable_sort(rows_.begin(), rows_.end(), [&](int a, int b) {
    return CompareFileEntries(catalogue_.file(a), catalogue_.file(b), column) < 0;
  });
  QModelIndexList after;
  for (std::size_t k = 0; k < fileOf.size(); ++k) {
    const auto row = std::find(rows_.begin(), rows_.end(), fileOf[k]) - rows_.begin();
    after << index(static_cast<int>(row), before[static_cast<qsizetype>(k)].column());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

int FileListModel::FileIndexAt(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)] : -1;
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kFileListColumns; }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  const int file = FileIndexAt(index.row());
  if (file < 0) return {};
  switch (role) {
    case Qt::DisplayRole:
      return FromTis620(Field(catalogue_.file(file), index.column()));
    case Qt::DecorationRole:
      return index.column() == 0 ? QVariant(fileIcon_) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() == 5 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
      return {};
  }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kFileListColumns) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kTitles[section]);
  if (role == Qt::TextAlignmentRole && section == 5) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

}  // namespace lumvex::ui
