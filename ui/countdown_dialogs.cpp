#include "ui/countdown_dialogs.h"

#include <QApplication>
#include <QPushButton>

#include "ui/countdown.h"
#include "ui/dialog_template.h"
#include "ui/icons.h"
#include "ui_confirm_dlg.h"
#include "ui_error_dlg.h"

namespace lumvex::ui {
namespace {

CountdownDialogs::TestHook*& ActiveHook() {
  static CountdownDialogs::TestHook* hook = nullptr;
  return hook;
}

// Without a parent of its own, the active window owns the dialog.
QWidget* OwnerOr(QWidget* parent) { return parent != nullptr ? parent : QApplication::activeWindow(); }

// Blank in the first second, then the time left, then ends with 1.
void Count(QDialog* dialog, Countdown* countdown, QLabel* timeLeft) {
  timeLeft->clear();
  QObject::disconnect(countdown, nullptr, dialog, nullptr);
  QObject::connect(countdown, &Countdown::ticked, dialog, [timeLeft](int left) { timeLeft->setText(TimeLeftText(left)); });
  QObject::connect(countdown, &Countdown::expired, dialog, [dialog] { dialog->done(kCountdownGoAhead); });
  countdown->Start(kCountdownSeconds);
}

}  // namespace

CErrorDlg::CErrorDlg(QWidget* parent)
    : QDialog(OwnerOr(parent)), ui_(new Ui::CErrorDlg), countdown_(new Countdown(this)) {
  ui_->setupUi(this);
  ui_->warningIcon->setPixmap(LoadIcon("warning").pixmap(32, 32));
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
  FitTemplateLabels(this);  // while the time-left label holds its widest text
}

CErrorDlg::~CErrorDlg() = default;

int CErrorDlg::exec() {
  ui_->messageLabel->setText(message_);
  FitTemplateLabels(this);
  setWindowTitle(informationMode_ ? QStringLiteral("ORQ Download Version 1.04") : QStringLiteral("Error"));
  ui_->warningIcon->setVisible(!informationMode_);
  Count(this, countdown_, ui_->timeLeftLabel);
  ui_->okButton->setFocus();
  const int result = QDialog::exec();
  countdown_->Stop();
  return result == QDialog::Rejected ? kCountdownCancelled : kCountdownGoAhead;
}

CConfirmDlg::CConfirmDlg(QWidget* parent)
    : QDialog(OwnerOr(parent)), ui_(new Ui::CConfirmDlg), countdown_(new Countdown(this)) {
  ui_->setupUi(this);
  ui_->confirmIcon->setPixmap(LoadIcon("confirm").pixmap(20, 20));
  ui_->cancelIcon->setPixmap(LoadIcon("cancel").pixmap(20, 20));
  connect(ui_->confirmButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  FitTemplateLabels(this);
}

CConfirmDlg::~CConfirmDlg() = default;

int CConfirmDlg::exec() {
  Count(this, countdown_, ui_->timeLeftLabel);
  ui_->confirmButton->setFocus();
  const int result = QDialog::exec();
  countdown_->Stop();
  // Escape and the close box reject: both count as Cancel.
  return result == QDialog::Rejected ? kCountdownCancelled : kCountdownGoAhead;
}

int CountdownDialogs::ShowMessage(QWidget* parent, const QString& text, bool informationMode) {
  if (TestHook* hook = ActiveHook()) {
    hook->shown_.push_back({false, text, informationMode});
    return kCountdownGoAhead;
  }
  CErrorDlg dialog(parent);
  dialog.SetMessage(text);
  dialog.SetInformationMode(informationMode);
  return dialog.exec();
}

bool CountdownDialogs::Confirm(QWidget* parent) {
  if (TestHook* hook = ActiveHook()) {
    hook->shown_.push_back({true, QString(), false});
    if (hook->answers_.empty()) return true;
    const bool answer = hook->answers_.front();
    hook->answers_.pop_front();
    return answer;
  }
  CConfirmDlg dialog(parent);
  return dialog.exec() != kCountdownCancelled;
}

CountdownDialogs::TestHook::TestHook() { ActiveHook() = this; }
CountdownDialogs::TestHook::~TestHook() { ActiveHook() = nullptr; }

QStringList CountdownDialogs::TestHook::texts() const {
  QStringList texts;
  for (const CountdownRecord& r : shown_) texts << (r.confirm ? QStringLiteral("Are you sure ?") : r.text);
  return texts;
}

}  // namespace lumvex::ui
