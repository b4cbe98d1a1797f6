#include "ui/download_dialog.h"

#include <QPushButton>

#include "app/workspace.h"
#include "ui/dialog_template.h"
#include "store/file_names.h"
#include "ui/change_password_dialog.h"
#include "ui/countdown.h"
#include "ui/link_dialog_support.h"
#include "print/thai_text.h"
#include "ui_download_dlg.h"

namespace lumvex::ui {

CDownloadDlg::CDownloadDlg(app::Workspace& workspace, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      ui_(new Ui::CDownloadDlg),
      messages_(this, [this](const QString& text) { SetStatus(text); }),
      link_(link::LinkCopy::Download, WindowPad(), messages_, pacer_, workspace.PathOf(store::kConfigFile)),
      uncompress_(workspace.storeRoot(), this),
      download_(link_, messages_, pacer_, workspace.clock(), uncompress_, workspace.storeRoot()),
      idle_(new Countdown(this)) {
  ui_->setupUi(this);
  FitTemplateLabels(this);
  // "Give the year of the Christian era"
  ui_->christianYearLabel->setText(QString::fromUtf8("\xE0\xB8\xA3\xE0\xB8\xB0\xE0\xB8\x9A\xE0\xB8\xB8\xE0\xB8\x9B"
                                                     "\xE0\xB8\xB5 \xE0\xB8\x84.\xE0\xB8\xA8."));
  AcceptDigitsOnly(ui_->staffIdEdit, 6);
  AcceptDigitsOnly(ui_->passwordEdit, 6);
  AcceptDigitsOnly(ui_->dateEdit, 8);
  connect(ui_->dialButton, &QPushButton::clicked, this, &CDownloadDlg::OnDial);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &CDownloadDlg::OnCancel);
  connect(ui_->changePasswordButton, &QPushButton::clicked, this, &CDownloadDlg::OnChangePassword);
  connect(ui_->serviceCodeList, &QComboBox::currentIndexChanged, this,
          [this] { workspace_.selection().currentServiceCode = ListText(ui_->serviceCodeList); });
  connect(idle_, &Countdown::ticked, this, [this](int left) { SetStatus(TimeLeftText(left)); });
  connect(idle_, &Countdown::expired, this, &CDownloadDlg::OnIdleExpired);
}

CDownloadDlg::~CDownloadDlg() = default;

int CDownloadDlg::Run() {
  Open();
  return exec();
}

void CDownloadDlg::Open() {
  statusHistory_.clear();
  ++showings_;
  {
    const QSignalBlocker quiet(ui_->serviceCodeList);
    FillServiceCodeList(ui_->serviceCodeList, workspace_);
  }
  SetStatus(QStringLiteral("   "));
  workspace_.selection().currentServiceCode = ListText(ui_->serviceCodeList);
  const bool linkUp = link_.state().linkUp == 1;
  ui_->dialButton->setText(linkUp ? QStringLiteral("Download Again") : QStringLiteral("Dial"));
  ui_->cancelButton->setText(linkUp ? QStringLiteral("Disconnect") : QStringLiteral("Cancel"));
  ui_->dialButton->setEnabled(true);
  ui_->cancelButton->setEnabled(true);
  ui_->changePasswordButton->setEnabled(linkUp);
  if (linkUp) {
    armed_ = true;
    StartIdleCountdown(kDownloadIdleSeconds);
  } else {
    download_.ResetForLinkDown();
    FromDownload() = 0;
  }
  ui_->serviceCodeList->setFocus();
}

void CDownloadDlg::OnDial() {
  armed_ = false;
  const link::DownloadEntries entries = Entries();
  const link::DownloadCheck check = download_.Validate(entries);
  if (!check.go) {
    FocusOn(check.focus);
    return;
  }
  for (QPushButton* b : {ui_->cancelButton, ui_->dialButton, ui_->changePasswordButton}) b->setEnabled(false);
  if (link_.state().linkUp == 1) idle_->Stop();
  link::DownloadOutcome outcome = link::DownloadOutcome::Failed;
  busy_ = true;
  RunLinkWork([&] { outcome = download_.Start(entries); });
  busy_ = false;
  switch (outcome) {
    case link::DownloadOutcome::ConnectFailed:
      ui_->cancelButton->setEnabled(true);
      ui_->dialButton->setEnabled(true);
      ui_->dialButton->setFocus();
      return;
    case link::DownloadOutcome::Completed:
      done(kDownloadStored);
      return;
    case link::DownloadOutcome::Failed:
      done(kDownloadFailed);
      return;
  }
}

void CDownloadDlg::OnChangePassword() {
  workspace_.selection().currentServiceCode = ListText(ui_->serviceCodeList);
  FromDownload() = 1;
  idle_->Stop();
  SetStatus(QStringLiteral("   "));
  {
    CChangePasswordDlg change(workspace_, this);
    change.Run();
  }
  StartIdleCountdown(kDownloadIdleSeconds);
}

void CDownloadDlg::OnCancel() {
  armed_ = false;
  busy_ = true;
  RunLinkWork([this] { link_.LinkDisconnect(); });
  busy_ = false;
  FromDownload() = 0;
  done(kDownloadEnded);
}

void CDownloadDlg::reject() {
  if (!busy_ && ui_->cancelButton->isEnabled()) OnCancel();
}

void CDownloadDlg::done(int result) {
  idle_->Stop();
  QDialog::done(result);
}

void CDownloadDlg::OnIdleExpired() {
  // A message still on screen puts the disconnect off, as often as it happens.
  if (download_.messageUp() == 1) {
    StartIdleCountdown(kMessageUpPostponement);
    return;
  }
  if (armed_) {
    OnCancel();
  } else {
    idle_->Stop();  // disarmed: the count stays where it is
  }
}

void CDownloadDlg::StartIdleCountdown(int seconds) { idle_->Start(seconds); }

void CDownloadDlg::SetStatus(const QString& text) {
  ui_->statusLabel->setText(text);
  statusHistory_ << text;
}

link::DownloadEntries CDownloadDlg::Entries() const {
  return {ListText(ui_->serviceCodeList), FieldText(ui_->staffIdEdit), FieldText(ui_->passwordEdit),
          FieldText(ui_->dateEdit)};
}

void CDownloadDlg::FocusOn(link::DownloadField field) {
  switch (field) {
    case link::DownloadField::ServiceCode:
      ui_->serviceCodeList->setFocus();
      break;
    case link::DownloadField::StaffId:
      ui_->staffIdEdit->setFocus();
      break;
    case link::DownloadField::Password:
      ui_->passwordEdit->setFocus();
      break;
    case link::DownloadField::Date:
      ui_->dateEdit->setFocus();
      break;
    case link::DownloadField::None:
      ui_->dialButton->setFocus();
      break;
  }
}

}  // namespace lumvex::ui
