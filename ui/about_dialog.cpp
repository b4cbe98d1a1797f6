#include "ui/about_dialog.h"

#include <QPushButton>

#include "ui_about_dlg.h"

namespace lumvex::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CAboutDlg) {
  ui_->setupUi(this);
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

}  // namespace lumvex::ui
