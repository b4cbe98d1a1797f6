#include "ui/link_dialog_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/workspace.h"
#include "link/padx25_port.h"
#include "print/thai_text.h"

namespace lumvex::ui {

int& FromDownload() {
  static int fromDownload = 0;
  return fromDownload;
}

namespace {

link::PadPort*& PadInUse() {
  static link::PadX25Library library;
  static link::PadPort* pad = &library;
  return pad;
}

}  // namespace

link::PadPort& WindowPad() { return *PadInUse(); }

void SetWindowPad(link::PadPort* pad) {
  static link::PadPort* const library = PadInUse();
  PadInUse() = pad != nullptr ? pad : library;
}

void FillServiceCodeList(QComboBox* list, const app::Workspace& workspace) {
  const int before = list->currentIndex();
  list->clear();
  // The item keeps the name's bytes; its text is only what shows.
  for (const std::string& name : workspace.DialogServiceCodes()) {
    list->addItem(FromTis620(name), QByteArray::fromStdString(name));
  }
  const int current = list->findData(QByteArray::fromStdString(workspace.selection().currentServiceCode));
  if (current >= 0) {
    list->setCurrentIndex(current);
  } else if (list->count() > 0) {
    list->setCurrentIndex(before >= 0 && before < list->count() ? before : 0);
  }
}

void AcceptDigitsOnly(QLineEdit* edit, int count) {
  edit->setMaxLength(count);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

std::string FieldText(const QLineEdit* edit) { return edit->text().toLatin1().toStdString(); }

std::string ListText(const QComboBox* list) { return list->currentData().toByteArray().toStdString(); }

}  // namespace lumvex::ui
