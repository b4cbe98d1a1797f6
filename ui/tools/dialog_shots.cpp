// Draws the link dialogs offscreen into PNGs for the documentation:
//   lumvex_dialog_shots <out-dir>
// in a scratch store with one Service Code, the fields filled as a person
// would fill them.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/workspace.h"
#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "link/link_control.h"
#include "ui/change_password_dialog.h"
#include "ui/countdown_dialogs.h"
#include "ui/download_dialog.h"
#include "ui/set_device_dialog.h"
#include "ui/uncompress_dialog.h"

namespace {

using namespace lumvex;

QString outDir;

void Save(QWidget* dialog, const char* name) {
  const QString path = QDir(outDir).filePath(QString::fromLatin1(name) + ".png");
  if (!dialog->grab().save(path)) std::fprintf(stderr, "lumvex_dialog_shots: cannot write %s\n", qPrintable(path));
}

// Shows the dialog modally, lets `fill` set it up, draws it, then closes it.
void Shoot(QDialog* dialog, const char* name, const std::function<void()>& fill, const std::function<int()>& run) {
  QTimer::singleShot(50, dialog, [=] {
    if (fill) fill();
    Save(dialog, name);
    dialog->done(0);
  });
  run();
}

void Fill(QObject* dialog, const char* field, const char* text) {
  dialog->findChild<QLineEdit*>(QString::fromLatin1(field))->setText(QString::fromLatin1(text));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumvex_dialog_shots OUT-DIR\n");
    return 2;
  }
  QApplication app(argc, argv);
  outDir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(outDir);

  lumvex::testing::TempDir store;
  lumvex::testing::WriteFile(store / "download.log", "2\r\nabc01\r\nxyz02\r\n0\r\n");
  lumvex::testing::WriteFile(store / "config.dat", "2050123456 1 2 ATDT   021234567           x\n");
  RecordingMessagePort messages;
  app::Workspace workspace(store.path(), messages, SystemClock::Instance());
  workspace.catalogue().LoadCatalogue();
  workspace.SelectByName("abc01");

  {
    ui::CDownloadDlg dialog(workspace);
    Shoot(&dialog, "download-dialog", [&] {
      Fill(&dialog, "staffIdEdit", "123456");
      Fill(&dialog, "passwordEdit", "654321");
      Fill(&dialog, "dateEdit", "05012026");
    }, [&] { return dialog.Run(); });
    link::ProcessLinkState().linkUp = 1;
    Shoot(&dialog, "download-dialog-link-up", nullptr, [&] { return dialog.Run(); });
    link::ProcessLinkState().linkUp = 0;
  }
  {
    ui::CChangePasswordDlg dialog(workspace);
    Shoot(&dialog, "change-password-dialog", [&] {
      Fill(&dialog, "staffIdEdit", "123456");
      Fill(&dialog, "passwordEdit", "654321");
      Fill(&dialog, "newPasswordEdit", "135790");
      Fill(&dialog, "renewPasswordEdit", "135790");
    }, [&] { return dialog.Run(); });
  }
  {
    ui::CSetDeviceDlg dialog(workspace);
    Shoot(&dialog, "set-device-dialog", nullptr, [&] { return dialog.exec(); });
  }
  {
    ui::CErrorDlg dialog;
    dialog.SetMessage("Receive data loss");
    Shoot(&dialog, "error-dialog", nullptr, [&] { return dialog.exec(); });
    dialog.SetMessage("Download Completed ...");
    dialog.SetInformationMode(true);
    Shoot(&dialog, "error-dialog-information", nullptr, [&] { return dialog.exec(); });
  }
  {
    ui::CConfirmDlg dialog;
    Shoot(&dialog, "confirm-dialog", nullptr, [&] { return dialog.exec(); });
  }
  {
    ui::CUncompressDlg dialog(5);
    for (int i = 0; i < 25; ++i) dialog.Step();
    Shoot(&dialog, "uncompress-dialog", nullptr, [&] { return dialog.exec(); });
  }
  return 0;
}
