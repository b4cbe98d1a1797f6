#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "app/device_command.h"

namespace Ui {
class CSetDeviceDlg;
}

namespace lumvex::ui {

// "Set device": the port, the modem speed and the telephone number of
// config.dat. OK rewrites only what changed and stays open when the file
// cannot be written.
class CSetDeviceDlg : public QDialog {
  Q_OBJECT

 public:
  CSetDeviceDlg(app::Workspace& workspace, QWidget* parent = nullptr);
  ~CSetDeviceDlg() override;
  void accept() override;

 private:
  app::Workspace& workspace_;
  std::unique_ptr<Ui::CSetDeviceDlg> ui_;
  link::DeviceChoices read_;  // as config.dat held them when the dialog opened
  app::DeviceChoice choice_;
};

}  // namespace lumvex::ui
