#pragma once

// Helpers for the window's tests: a scratch store that is the working
// directory, the real main window started in it, and modal dialogs driven
// from a timer.
#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "ui/file_list_model.h"
#include "ui/lumvex_app.h"
#include "ui/lumvex_view.h"
#include "ui/main_frame.h"
#include "ui/message_box.h"

namespace lumvex::ui::testing {

struct Entry {
  std::string fileName;
  std::string serviceCode;
  std::string datePrepare = "05/01/2000";
  std::string dateRetrieve = "06/01/2000";
  std::string fileSize = "640";
};

// A temporary store root that is the working directory while it exists.
class TestStore {
 public:
  TestStore() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(dir_.path()); }
  ~TestStore() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  TestStore(const TestStore&) = delete;
  TestStore& operator=(const TestStore&) = delete;

  const std::filesystem::path& path() const { return dir_.path(); }
  std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }

  // download.log with these Service Codes and entries; each code gets its directory.
  void WriteCatalogue(const std::vector<std::string>& codes, const std::vector<Entry>& entries) const {
    std::string text = Format("%zu\r\n", codes.size());
    for (const auto& c : codes) {
      text += c + "\r\n";
      std::filesystem::create_directories(dir_ / c);
    }
    text += Format("%zu\r\n", entries.size());
    for (const auto& e : entries) {
      text += e.fileName + "," + e.serviceCode + ",Download Bill Payment," + e.datePrepare + "," + e.dateRetrieve +
              "," + e.fileSize + "\r\n";
    }
    lumvex::testing::WriteFile(dir_ / "download.log", text);
  }
  std::string Read(std::string_view name) const { return lumvex::testing::ReadFile(dir_ / name); }
  void Write(std::string_view name, std::string_view bytes) const { lumvex::testing::WriteFile(dir_ / name, bytes); }

 private:
  std::filesystem::path previous_;
  lumvex::testing::TempDir dir_;
};

// The window as the program starts it, on a fixed date.
inline std::unique_ptr<CMainFrame> StartWindow(const Clock& clock) { return CLumvexApp::InitInstance(clock); }

// Runs `act` on the next modal dialog of type D once it is open, then closes
// the dialog with Cancel if `act` left it open. Call before the command.
template <typename D>
void WhenModal(std::function<void(D*)> act) {
  auto* timer = new QTimer;
  const QDeadlineTimer deadline(15000);
  QObject::connect(timer, &QTimer::timeout, [timer, deadline, act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (deadline.hasExpired()) timer->deleteLater();
      return;
    }
    timer->stop();
    timer->deleteLater();
    act(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  timer->start(10);
}

// Selects a row of the file list as a click would.
inline void SelectRow(CLumvexView* view, int row) {
  QAbstractItemView* list = view->list();
  list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Selects the tree's node for a Service Code index, or the root for -1.
inline void SelectNode(CLumvexView* view, int serviceCodeIndex) {
  QTreeWidgetItem* root = view->tree()->topLevelItem(0);
  if (serviceCodeIndex < 0) {
    view->tree()->setCurrentItem(root);
    return;
  }
  for (int i = 0; i < root->childCount(); ++i) {
    if (root->child(i)->data(0, Qt::UserRole).toInt() == serviceCodeIndex) view->tree()->setCurrentItem(root->child(i));
  }
}

// The File Name column of the list, top to bottom.
inline QStringList ListedNames(CLumvexView* view) {
  QStringList names;
  const auto* model = view->model();
  for (int r = 0; r < model->rowCount(); ++r) names << model->index(r, 0).data().toString();
  return names;
}

inline QStringList ColumnOf(CLumvexView* view, int column) {
  QStringList texts;
  const auto* model = view->model();
  for (int r = 0; r < model->rowCount(); ++r) texts << model->index(r, column).data().toString();
  return texts;
}

}  // namespace lumvex::ui::testing
