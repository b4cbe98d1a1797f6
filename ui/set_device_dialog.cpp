#include "ui/set_device_dialog.h"

#include <QPushButton>
#include <QRadioButton>

#include "ui/dialog_template.h"
#include "print/thai_text.h"
#include "ui_set_device_dlg.h"

namespace lumvex::ui {

CSetDeviceDlg::CSetDeviceDlg(app::Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace), ui_(new Ui::CSetDeviceDlg) {
  ui_->setupUi(this);
  FitTemplateLabels(this);
  ui_->phoneEdit->setMaxLength(static_cast<int>(link::kMaxPhoneNumberLength));
  // Without config.dat (after its message) nothing is checked and the number is empty.
  read_ = app::ReadDeviceSettings(workspace_).value_or(link::DeviceChoices{});
  choice_ = app::ChoiceOf(read_);
  QRadioButton* ports[] = {ui_->com1Button, ui_->com2Button, ui_->com3Button, ui_->com4Button};
  QRadioButton* speeds[] = {ui_->speed9600Button, ui_->speed14400Button};
  for (int i = 0; i < 4; ++i) {
    ports[i]->setChecked(choice_.port == i + 1);
    connect(ports[i], &QRadioButton::clicked, this, [this, i] { choice_.port = i + 1; });
  }
  for (int i = 0; i < 2; ++i) {
    speeds[i]->setChecked(choice_.speed == i + 1);
    connect(speeds[i], &QRadioButton::clicked, this, [this, i] { choice_.speed = i + 1; });
  }
  ui_->phoneEdit->setText(QString::fromLatin1(read_.phoneNumber.c_str()));
  connect(ui_->okButton, &QPushButton::clicked, this, &CSetDeviceDlg::accept);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CSetDeviceDlg::~CSetDeviceDlg() = default;

void CSetDeviceDlg::accept() {
  choice_.phoneNumber = ui_->phoneEdit->text().toLatin1().toStdString();
  if (app::ApplyDeviceSettings(workspace_, read_, choice_) == app::Outcome::Done) QDialog::accept();
}

}  // namespace lumvex::ui
