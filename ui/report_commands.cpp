#include "ui/report_commands.h"

#include <QFont>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <algorithm>
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

void ShowError(QWidget *parent, const char *text) {
  MessageBoxes::Show(parent, kErrorCaption, QString::fromLatin1(text), BoxIcon::Exclamation);
}

// One line for one page shown, the next for a range: "Page %u of N\nPages %u-%u
// of N\n".
QString PageDescriptionFormat(int lastPage) {
  const QString last = QString::number(lastPage);
  return QStringLiteral("Page %u of ") + last + QStringLiteral("\nPages %u-%u of ") + last + QStringLiteral("\n");
}

QString DescribePages(const QString &format, int first, int last) {
  const QStringList lines = format.split(QLatin1Char('\n'));
  if (first == last) return QString(lines[0]).replace(QStringLiteral("%u"), QString::number(first));
  return QString(lines[1]).replace(QStringLiteral("%u-%u"), QStringLiteral("%1-%2").arg(first).arg(last));
}

// The pages in sight, said under the preview (where a status bar would be)
// as the page changes.
void AddPageDescription(QPrintPreviewDialog &preview, int lastPage) {
  auto *widget = preview.findChild<QPrintPreviewWidget *>();
  auto *toolBar = preview.findChild<QToolBar *>();
  if (widget == nullptr || toolBar == nullptr || preview.layout() == nullptr) return;
  auto *label = new QLabel(&preview);
  label->setObjectName(QStringLiteral("pageDescription"));
  label->setContentsMargins(6, 2, 6, 2);
  preview.layout()->addWidget(label);
  const QString format = PageDescriptionFormat(lastPage);
  const auto update = [widget, label, format, lastPage] {
    int first = std::max(widget->currentPage(), 1);
    int last = first;
    if (widget->viewMode() == QPrintPreviewWidget::AllPagesView) {
      first = 1;
      last = std::max(lastPage, 1);
    } else if (widget->viewMode() == QPrintPreviewWidget::FacingPagesView && first > 1) {
      // Facing pages show page 1 alone, then 2-3, 4-5, ...
      first -= first % 2;
      last = std::min(first + 1, std::max(lastPage, first));
    }
    label->setText(DescribePages(format, first, last));
  };
  // Scrolling and zooming say so; paging through the tool bar does not.
  QObject::connect(widget, &QPrintPreviewWidget::previewChanged, label, update);
  QObject::connect(toolBar, &QToolBar::actionTriggered, label, update, Qt::QueuedConnection);
  for (auto *pageNumber : toolBar->findChildren<QLineEdit *>()) {
    QObject::connect(pageNumber, &QLineEdit::editingFinished, label, update, Qt::QueuedConnection);
  }
  update();
}

}  // namespace

CViewReportDlg::CViewReportDlg(const QString &fileName, std::filesystem::path reportFile, QWidget *parent)
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
  app::Workspace &workspace = view_.workspace();
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
  app::Workspace &workspace = view_.workspace();
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
  app::Workspace &workspace = view_.workspace();
  print::PrepareReportPrinter(printer_);
  const int lastPage = report::LastPageNumber();
  // The preview's own Print draws the same prnrep.txt: no new report run.
  QPrintPreviewDialog preview(&printer_, parent_);
  preview.setObjectName(QStringLiteral("printPreviewDialog"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *printer) {
    print::PrintReport(*printer, app::PrintReportFile(workspace), lastPage, workspace.selection().currentFile,
                       workspace.messages());
  });
  AddPageDescription(preview, lastPage);
  preview.exec();
}

}  // namespace lumvex::ui
