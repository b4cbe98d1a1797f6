#include "ui/file_dialog.h"

#include <QFileDialog>

namespace lumvex::ui {
namespace {

FileDialogs::TestHook* g_hook = nullptr;

}  // namespace

FileDialogs::TestHook::TestHook() { g_hook = this; }
FileDialogs::TestHook::~TestHook() { g_hook = nullptr; }

QString FileDialogs::GetOpenFileName(QWidget* parent, const QString& caption, const QString& filter) {
  if (g_hook != nullptr) {
    ++g_hook->calls_;
    g_hook->lastFilter_ = filter;
    if (g_hook->names_.empty()) return {};
    QString name = g_hook->names_.front();
    g_hook->names_.pop_front();
    return name;
  }
  // No read-only check box, as in the original; Qt's own dialog never offers one.
  return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

}  // namespace lumvex::ui
