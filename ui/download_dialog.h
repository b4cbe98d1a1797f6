#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "core/pacing.h"
#include "link/download_transaction.h"
#include "link/link_control.h"
#include "ui/link_work.h"
#include "ui/uncompress_dialog.h"

namespace Ui {
class CDownloadDlg;
}

namespace lumvex::app {
class Workspace;
}

namespace lumvex::ui {

class Countdown;

inline constexpr int kDownloadStored = 1;
inline constexpr int kDownloadFailed = 2;
inline constexpr int kDownloadEnded = 8;  // Cancel, Disconnect or the idle timeout

// The Download dialog. One object serves every showing within one run of
// the Download command, so its fields and flags carry over; while the link
// is up it offers "Download Again", "Disconnect" and Change Password and
// takes the link down after 210 idle seconds.
class CDownloadDlg : public QDialog {
  Q_OBJECT

 public:
  CDownloadDlg(app::Workspace& workspace, QWidget* parent = nullptr);
  ~CDownloadDlg() override;

  // One showing: 1 after a stored file, 2 after a failed download, 8 once
  // the link was taken down (or never came up) and the user is done.
  int Run();
  bool stored() const { return download_.success() == 1; }
  const std::string& dateText() const { return download_.dateText(); }
  const std::string& fileSizeText() const { return download_.fileSizeText(); }

  void done(int result) override;
  // Escape and the close box are Cancel (Disconnect while the link is up).
  void reject() override;

  // For tests: the status texts of this showing, and the showings so far.
  const QStringList& statusHistory() const { return statusHistory_; }
  int showings() const { return showings_; }
  const DialogUncompressStep& uncompressStep() const { return uncompress_; }


 private:
  void Open();
  void OnDial();
  void OnChangePassword();
  void OnCancel();
  void OnIdleExpired();
  void StartIdleCountdown(int seconds);
  void SetStatus(const QString& text);
  link::DownloadEntries Entries() const;
  void FocusOn(link::DownloadField field);

  app::Workspace& workspace_;
  std::unique_ptr<Ui::CDownloadDlg> ui_;
  CountdownMessagePort messages_;
  SleepingPacer pacer_;
  link::LinkControl link_;
  DialogUncompressStep uncompress_;
  link::DownloadTransaction download_;
  Countdown* idle_;
  bool armed_ = false;
  bool busy_ = false;
  QStringList statusHistory_;
  int showings_ = 0;  // link work runs: the dialog cannot end meanwhile
};

}  // namespace lumvex::ui
