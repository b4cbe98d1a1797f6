#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace lumvex::ui {
namespace {

MessageBoxes::TestHook* g_hook = nullptr;

QMessageBox::Icon ToQt(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Exclamation:
      return QMessageBox::Warning;
    case BoxIcon::Information:
      return QMessageBox::Information;
    case BoxIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageBoxes::TestHook::TestHook() { g_hook = this; }
MessageBoxes::TestHook::~TestHook() { g_hook = nullptr; }

QStringList MessageBoxes::TestHook::texts() const {
  QStringList list;
  for (const auto& box : shown_) list << box.text;
  return list;
}

void MessageBoxes::TestHook::Clear() {
  shown_.clear();
  answers_.clear();
  beeps_ = 0;
}

void MessageBoxes::Show(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon) {
  Run(parent, {caption, text, icon, false});
}

bool MessageBoxes::Ask(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon) {
  return Run(parent, {caption, text, icon, true});
}

void MessageBoxes::Beep() {
  if (g_hook != nullptr) {
    ++g_hook->beeps_;
    return;
  }
  QApplication::beep();
}

bool MessageBoxes::Run(QWidget* parent, const BoxRecord& box) {
  if (g_hook != nullptr) {
    g_hook->shown_.push_back(box);
    if (!box.okCancel || g_hook->answers_.empty()) return true;
    const bool answer = g_hook->answers_.front();
    g_hook->answers_.pop_front();
    return answer;
  }
  QMessageBox dialog(ToQt(box.icon), box.caption, box.text,
                     box.okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
  dialog.setDefaultButton(QMessageBox::Ok);
  return dialog.exec() == QMessageBox::Ok;
}

}  // namespace lumvex::ui
