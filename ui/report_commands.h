#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>

class QPrinter;
class QWidget;

namespace Ui {
class CViewReportDlg;
}

namespace lumvex::ui {

class CLumvexView;

inline constexpr int kViewReportExit = 1;
inline constexpr int kViewReportPrint = 20;
inline constexpr int kViewReportPreview = 30;

// "View Report <file>": report.txt in a read-only edit; Button1 appends it
// at the caret each time; Print and Print Preview end the dialog with 20 and 30.
class CViewReportDlg : public QDialog {
  Q_OBJECT

 public:
  CViewReportDlg(const QString& fileName, std::filesystem::path reportFile, QWidget* parent = nullptr);
  ~CViewReportDlg() override;

 private:
  void CheckReportFile();
  void AppendReport();

  std::unique_ptr<Ui::CViewReportDlg> ui_;
  std::filesystem::path reportFile_;
};

// View Report, Print and Print Preview on the selected file, with the
// printer that Print Setup chose.
class ReportCommands {
 public:
  ReportCommands(CLumvexView& view, QPrinter& printer, QWidget* dialogParent)
      : view_(view), printer_(printer), parent_(dialogParent) {}

  void ViewReport();
  void Print();
  void PrintPreview();
  void PrintSetup();

 private:
  void StartPrint();
  void StartPreview();

  CLumvexView& view_;
  QPrinter& printer_;
  QWidget* parent_;
};

}  // namespace lumvex::ui
