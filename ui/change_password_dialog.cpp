#include "ui/change_password_dialog.h"

#include <QPushButton>

#include "app/workspace.h"
#include "ui/dialog_template.h"
#include "store/file_names.h"
#include "ui/countdown.h"
#include "ui/link_dialog_support.h"
#include "ui_change_password_dlg.h"

namespace lumvex::ui {

CChangePasswordDlg::CChangePasswordDlg(app::Workspace& workspace, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      ui_(new Ui::CChangePasswordDlg),
      messages_(this, [this](const QString& text) { SetStatus(text); }),
      link_(link::LinkCopy::ChangePassword, WindowPad(), messages_, pacer_, workspace.PathOf(store::kConfigFile)),
      change_(link_, messages_, pacer_, workspace.clock()),
      idle_(new Countdown(this)) {
  ui_->setupUi(this);
  FitTemplateLabels(this);
  for (QLineEdit* edit : {ui_->staffIdEdit, ui_->passwordEdit, ui_->newPasswordEdit, ui_->renewPasswordEdit}) {
    AcceptDigitsOnly(edit, 6);
  }
  connect(ui_->firstButton, &QPushButton::clicked, this, &CChangePasswordDlg::OnFirstButton);
  connect(ui_->cancelButton, &QPushButton::clicked, this, [this] { QDialog::reject(); });
  connect(ui_->disconnectButton, &QPushButton::clicked, this, &CChangePasswordDlg::OnDisconnect);
  connect(idle_, &Countdown::ticked, this, [this](int left) { SetStatus(TimeLeftText(left)); });
  connect(idle_, &Countdown::expired, this, &CChangePasswordDlg::OnIdleExpired);
}

CChangePasswordDlg::~CChangePasswordDlg() = default;

int CChangePasswordDlg::Run() {
  Open();
  return exec();
}

void CChangePasswordDlg::Open() {
  statusHistory_.clear();
  ++showings_;
  FillServiceCodeList(ui_->serviceCodeList, workspace_);
  SetStatus(QStringLiteral("   "));
  workspace_.selection().currentServiceCode = ListText(ui_->serviceCodeList);
  change_.ResetOnOpen();
  if (link_.state().linkUp == 1) {
    ui_->firstButton->setText(QStringLiteral("Confirm"));
    armed_ = true;
    idle_->Start(kChangePasswordIdleSeconds);
  } else {
    ui_->firstButton->setText(QStringLiteral("Dial"));
  }
  ui_->cancelButton->show();
  ui_->disconnectButton->hide();
  ui_->serviceCodeList->setFocus();
}

void CChangePasswordDlg::OnFirstButton() {
  const link::ChangePasswordEntries entries = Entries();
  const link::ChangePasswordCheck check = change_.Validate(entries);
  if (!check.go) {
    FocusOn(check.focus);
    return;
  }
  const bool countdownRunning = idle_->running();
  idle_->Stop();
  ui_->cancelButton->setEnabled(false);
  ui_->firstButton->setEnabled(false);
  link::ChangePasswordOutcome outcome = link::ChangePasswordOutcome::Failed;
  busy_ = true;
  RunLinkWork([&] { outcome = change_.Start(entries, countdownRunning); });
  busy_ = false;
  ui_->cancelButton->setEnabled(true);
  ui_->firstButton->setEnabled(true);
  if (outcome == link::ChangePasswordOutcome::ConnectFailed) return;
  armed_ = true;
  idle_->Start(kChangePasswordIdleSeconds);
  ui_->firstButton->setText(QStringLiteral("Again"));
  if (FromDownload() == 0) {
    ui_->cancelButton->hide();
    ui_->disconnectButton->show();
  }
}

void CChangePasswordDlg::OnDisconnect() {
  SetStatus(QStringLiteral("  Begin DisConnect..."));
  armed_ = false;
  int down = 0;
  busy_ = true;
  RunLinkWork([&] { down = link_.LinkDisconnect(); });
  busy_ = false;
  if (down == 1) QDialog::reject();
}

void CChangePasswordDlg::reject() {
  if (busy_) return;
  if (ui_->cancelButton->isHidden()) {
    OnDisconnect();
  } else {
    QDialog::reject();
  }
}

void CChangePasswordDlg::done(int result) {
  idle_->Stop();
  QDialog::done(result);
}

void CChangePasswordDlg::OnIdleExpired() {
  if (change_.messageUp() == 1) {
    idle_->Start(kMessageUpPostponement);
    return;
  }
  if (!armed_) {
    idle_->Stop();
    return;
  }
  // From the Download dialog the link stays with that dialog.
  if (FromDownload() == 0) {
    OnDisconnect();
  } else {
    QDialog::reject();
  }
}

void CChangePasswordDlg::SetStatus(const QString& text) {
  ui_->statusLabel->setText(text);
  statusHistory_ << text;
}

link::ChangePasswordEntries CChangePasswordDlg::Entries() const {
  return {ListText(ui_->serviceCodeList), FieldText(ui_->staffIdEdit), FieldText(ui_->passwordEdit),
          FieldText(ui_->newPasswordEdit), FieldText(ui_->renewPasswordEdit)};
}

void CChangePasswordDlg::FocusOn(link::ChangePasswordField field) {
  using F = link::ChangePasswordField;
  switch (field) {
    case F::ServiceCode:
      ui_->serviceCodeList->setFocus();
      break;
    case F::StaffId:
      ui_->staffIdEdit->setFocus();
      break;
    case F::Password:
      ui_->passwordEdit->setFocus();
      break;
    case F::NewPassword:
      ui_->newPasswordEdit->setFocus();
      break;
    case F::RenewPassword:
      ui_->renewPasswordEdit->setFocus();
      break;
    case F::None:
      ui_->firstButton->setFocus();
      break;
  }
}

}  // namespace lumvex::ui
