#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CAboutDlg;
}

namespace lumvex::ui {

// The program's title and version.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
  ~CAboutDlg() override;

 private:
  std::unique_ptr<Ui::CAboutDlg> ui_;
};

}  // namespace lumvex::ui
