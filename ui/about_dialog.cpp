#include "ui/about_dialog.h"

#include <QPushButton>

#include "ui/dialog_template.h"
#include "ui/icons.h"
#include "ui_about_dlg.h"

namespace lumvex::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CAboutDlg) {
  ui_->setupUi(this);
  ui_->appIcon->setPixmap(LoadIcon("lumvex").pixmap(ui_->appIcon->size()));
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
  FitTemplateLabels(this);
  // A title that grew keeps clear of the OK button.
  const int clear = ui_->titleLabel->geometry().right() + 8;
  if (ui_->okButton->x() < clear) {
    ui_->okButton->move(clear, ui_->okButton->y());
    setFixedWidth(ui_->okButton->geometry().right() + 8);
  }
}

CAboutDlg::~CAboutDlg() = default;

}  // namespace lumvex::ui
