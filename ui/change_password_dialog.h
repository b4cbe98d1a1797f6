#pragma once

#include <QDialog>
#include <memory>

#include "core/pacing.h"
#include "link/change_password_transaction.h"
#include "link/link_control.h"
#include "ui/link_work.h"

namespace Ui {
class CChangePasswordDlg;
}

namespace lumvex::app {
class Workspace;
}

namespace lumvex::ui {

class Countdown;

// The Change Password dialog, from the menu (link down: "Dial", then
// "Again" and "Disconnect" in Cancel's place) or from the Download dialog
// (link up: "Confirm", Cancel stays; the link is the Download dialog's).
class CChangePasswordDlg : public QDialog {
  Q_OBJECT

 public:
  CChangePasswordDlg(app::Workspace& workspace, QWidget* parent = nullptr);
  ~CChangePasswordDlg() override;

  int Run();
  void done(int result) override;
  // Escape and the close box: Cancel, or Disconnect while Cancel is hidden.
  void reject() override;

  // For tests: the status texts of this showing, and the showings so far.
  const QStringList& statusHistory() const { return statusHistory_; }
  int showings() const { return showings_; }


 private:
  void Open();
  void OnFirstButton();
  void OnDisconnect();
  void OnIdleExpired();
  void SetStatus(const QString& text);
  link::ChangePasswordEntries Entries() const;
  void FocusOn(link::ChangePasswordField field);

  app::Workspace& workspace_;
  std::unique_ptr<Ui::CChangePasswordDlg> ui_;
  CountdownMessagePort messages_;
  SleepingPacer pacer_;
  link::LinkControl link_;
  link::ChangePasswordTransaction change_;
  Countdown* idle_;
  bool armed_ = false;
  bool busy_ = false;
  QStringList statusHistory_;
  int showings_ = 0;
};

}  // namespace lumvex::ui
