#include "ui/report_commands.h"

#include <QFont>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <fstream>

#include "app/report_command.h"
#include "print/report_printer.h"
#include "print/thai_text.h"
#include "report/report_generator.h"
#include "ui/app_strings.h"
#include "ui/lumvex_view.h"
#include "ui/message_box.h"
#include "ui_view_report_dlg.h"

namespace lumvex::ui {
namespace {

void ShowError(QWidget* parent, const char* text) {
  MessageBoxes::Show(parent, kErrorCaption, QString::fromLatin1(text), BoxIcon::Exclamation);
}

}  // namespace

CViewReportDlg::CViewReportDlg(const QString& fileName, std::filesystem::path reportFile, QWidget* parent)
    : QDialog(parent), ui_(new Ui::CViewReportDlg), reportFile_(std::move(reportFile)) {
  ui_->setupUi(this);
  setWindowTitle(QStringLiteral("View Report ") + fileName);
  // "Courier" stands for a monospace font that shows Thai.
  QFont font(QStringLiteral("Tlwg Typo"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(16);
  ui_->reportEdit->setFont(font);
  connect(ui_->exitButton, &QPushButton::clicked, this, [this] { done(kViewReportExit); });
  connect(ui_->printButton, &QPushButton::clicked, this, [this] { done(kViewReportPrint); });
  connect(ui_->printPreviewButton, &QPushButton::clicked, this, [this] { done(kViewReportPreview); });
  connect(ui_->loadButton, &QPushButton::clicked, this, &CViewReportDlg::AppendReport);
  CheckReportFile();
}

CViewReportDlg::~CViewReportDlg() = default;

void CViewReportDlg::CheckReportFile() {
  std::ifstream in(reportFile_, std::ios::binary | std::ios::ate);
  if (!in) return ShowError(this, "Can't open file report.txt.");
  const std::streamoff size = in.tellg();
  if (size < 0) return ShowError(this, "GetFileSize failed!");
  if (size == 0) ShowError(this, "Zero bytes read.");
}

void CViewReportDlg::AppendReport() {
  std::ifstream in(reportFile_, std::ios::binary);
  if (!in) return ShowError(this, "Can't open file report.txt");
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  QString text = FromTis620(bytes);
  text.remove(QLatin1Char('\r'));
  ui_->reportEdit->textCursor().insertText(text);
}

void ReportCommands::ViewReport() {
  app::Workspace& workspace = view_.workspace();
  if (app::PrepareReport(workspace, app::ReportCommand::View) != app::Outcome::Done) return;
  view_.UpdateStatus(view_.selectedServiceCode());
  int result = kViewReportExit;
  {
    CViewReportDlg dialog(FromTis620(workspace.selection().currentFile), app::ViewReportFile(workspace), parent_);
    result = dialog.exec();
  }
  if (result == kViewReportPreview) StartPreview();
  if (result == kViewReportPrint) StartPrint();
  view_.FocusList();
}

void ReportCommands::Print() {
  if (app::PrepareReport(view_.workspace(), app::ReportCommand::Print) == app::Outcome::Done) {
    view_.UpdateStatus(view_.selectedServiceCode());
    StartPrint();
  }
  view_.FocusList();
}

void ReportCommands::PrintPreview() {
  if (app::PrepareReport(view_.workspace(), app::ReportCommand::Preview) == app::Outcome::Done) {
    view_.UpdateStatus(CLumvexView::kFileStatus);
    StartPreview();
    view_.UpdateStatus(view_.selectedServiceCode());
  }
  view_.FocusList();
}

void ReportCommands::PrintSetup() {
  print::PrepareReportPrinter(printer_);
  QPageSetupDialog dialog(&printer_, parent_);
  dialog.setObjectName(QStringLiteral("printSetupDialog"));
  dialog.exec();
}

void ReportCommands::StartPrint() {
  app::Workspace& workspace = view_.workspace();
  print::PrepareReportPrinter(printer_);
  const int lastPage = report::LastPageNumber();
  QPrintDialog dialog(&printer_, parent_);
  dialog.setObjectName(QStringLiteral("printDialog"));
  dialog.setMinMax(1, std::max(lastPage, 1));
  if (dialog.exec() != QDialog::Accepted) return;
  print::PrintReport(printer_, app::PrintReportFile(workspace), lastPage, workspace.selection().currentFile,
                     workspace.messages());
}

void ReportCommands::StartPreview() {
  app::Workspace& workspace = view_.workspace();
  print::PrepareReportPrinter(printer_);
  const int lastPage = report::LastPageNumber();
  // The preview's own Print draws the same prnrep.txt: no new report run.
  QPrintPreviewDialog preview(&printer_, parent_);
  preview.setObjectName(QStringLiteral("printPreviewDialog"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* printer) {
    print::PrintReport(*printer, app::PrintReportFile(workspace), lastPage, workspace.selection().currentFile,
                       workspace.messages());
  });
  preview.exec();
}

}  // namespace lumvex::ui
