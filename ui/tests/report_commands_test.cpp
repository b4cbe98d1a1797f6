// View Report, Print Preview and the View Report dialog on the real window.
#include "ui/report_commands.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "report/report_generator.h"
#include "report/testing/data_file_generator.h"
#include "ui_test_support.h"

namespace lumvex::ui {

namespace gen = lumvex::report::testing;
using testing::SelectRow;
using testing::StartWindow;
using testing::TestStore;
using testing::WhenModal;

// The text of `pdf`, laid out as on the page.
QString PdfText(const std::filesystem::path &pdf) {
  const QString tool = QStringLiteral("pdftotext");
  QProcess process;
  process.start(tool, {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const std::filesystem::path &pdf) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
  if (!process.waitForFinished(30000)) return -1;
  const QString info = QString::fromUtf8(process.readAllStandardOutput());
  const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Accepts the print dialog with its output going to `pdf`.
void PrintToPdfWhenAsked(const std::filesystem::path &pdf) {
  WhenModal<QPrintDialog>([pdf](QPrintDialog *dialog) {
    auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
    QVERIFY(fileName != nullptr);
    fileName->setText(QString::fromStdString(pdf.string()));
    dialog->accept();
  });
}

QAction *ActionOf(QPrintPreviewDialog *preview, const QString &text) {
  for (QAction *action : preview->findChildren<QAction *>()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

// The page description after pressing the preview's tool button `action`.
QString DescriptionAfter(QPrintPreviewDialog *preview, const QString &action) {
  auto *description = preview->findChild<QLabel *>("pageDescription");
  if (description == nullptr || ActionOf(preview, action) == nullptr) return QStringLiteral("no %1").arg(action);
  ActionOf(preview, action)->trigger();
  QCoreApplication::processEvents();
  return description->text();
}

class ReportCommandsTest : public QObject {
  Q_OBJECT

 private:
  FixedClock clock_{LocalTime{2001, 1, 6, 9, 30, 0}};
  std::unique_ptr<TestStore> store_;
  std::unique_ptr<MessageBoxes::TestHook> boxes_;

  // s1 holds one file of three companies: three pages.
  std::unique_ptr<CMainFrame> StartWithReport() {
    store_->WriteCatalogue({"s1"}, {{"kordex.001", "s1"}});
    gen::DataFileOptions options;
    options.serviceCode = "s1";
    options.companies = 3;
    options.itemsPerCompany = 5;
    store_->Write("s1/kordex.001", gen::GenerateDataFile(options));
    auto frame = StartWindow(clock_);
    SelectRow(frame->view(), 0);
    return frame;
  }

 private slots:
  void init() {
    store_ = std::make_unique<TestStore>();
    boxes_ = std::make_unique<MessageBoxes::TestHook>();
  }
  void cleanup() {
    boxes_.reset();
    store_.reset();
  }

  void viewReportShowsTheReportEachTimeButton1IsPressed() {
    auto frame = StartWithReport();
    QString caption;
    QString once;
    QString twice;
    WhenModal<CViewReportDlg>([&](CViewReportDlg *d) {
      caption = d->windowTitle();
      auto *edit = d->findChild<QPlainTextEdit *>("reportEdit");
      QVERIFY(edit->isReadOnly());
      QVERIFY(edit->toPlainText().isEmpty());
      d->findChild<QPushButton *>("loadButton")->click();
      once = edit->toPlainText();
      d->findChild<QPushButton *>("loadButton")->click();
      twice = edit->toPlainText();
      d->findChild<QPushButton *>("exitButton")->click();
    });
    QVERIFY(frame->commands().Trigger(CommandId::ReportView));
    QCOMPARE(caption, QStringLiteral("View Report kordex.001"));
    QVERIFY(once.contains("BILL PAYMENT BY COMPANY REPORT"));
    QCOMPARE(twice, once + once);
    QVERIFY(boxes_->shown().empty());
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 's1' : 1 files"));
  }

  void theDialogSaysWhenReportTxtCannotBeRead() {
    CViewReportDlg dialog("kordex.001", store_->path() / "report.txt");
    QCOMPARE(boxes_->texts(), QStringList{"Can't open file report.txt."});
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("Error"));
    dialog.findChild<QPushButton *>("loadButton")->click();
    QCOMPARE(boxes_->texts().back(), QStringLiteral("Can't open file report.txt"));
  }

  void previewShowsEveryPageAndTheFileNameStatus() {
    auto frame = StartWithReport();
    int pages = 0;
    QString status;
    QStringList descriptions;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
      auto *widget = preview->findChild<QPrintPreviewWidget *>();
      QTRY_VERIFY(widget->pageCount() > 0);
      pages = widget->pageCount();
      status = frame->statusPane(1)->text();
      auto *description = preview->findChild<QLabel *>("pageDescription");
      QVERIFY(description != nullptr);
      descriptions << description->text();
      descriptions << DescriptionAfter(preview, "Last page");
      descriptions << DescriptionAfter(preview, "Show facing pages");
      descriptions << DescriptionAfter(preview, "Show overview of all pages");
      preview->reject();
    });
    QVERIFY(frame->commands().Trigger(CommandId::PrintPreview));
    QCOMPARE(pages, report::LastPageNumber());
    QCOMPARE(pages, 3);
    QCOMPARE(status, QStringLiteral("File Name 'kordex.001'"));
    QCOMPARE(descriptions, (QStringList{"Page 1 of 3", "Page 3 of 3", "Pages 2-3 of 3", "Pages 1-3 of 3"}));
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 's1' : 1 files"));
  }

  void viewReportEndCode30OpensThePreviewOfTheSameRun() {
    auto frame = StartWithReport();
    WhenModal<CViewReportDlg>([](CViewReportDlg *d) { d->findChild<QPushButton *>("printPreviewButton")->click(); });
    int pages = 0;
    // Queued once the View Report dialog has gone.
    QTimer::singleShot(200, [&] {
      WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
        auto *widget = preview->findChild<QPrintPreviewWidget *>();
        QTRY_VERIFY(widget->pageCount() > 0);
        pages = widget->pageCount();
        preview->reject();
      });
    });
    QVERIFY(frame->commands().Trigger(CommandId::ReportView));
    QCOMPARE(pages, 3);
  }

  void printGoesThroughThePrintDialogIntoAPdf() {
    auto frame = StartWithReport();
    const auto pdf = store_->path() / "printed.pdf";
    PrintToPdfWhenAsked(pdf);
    QVERIFY(frame->commands().Trigger(CommandId::Print));
    QCOMPARE(PdfPages(pdf), 3);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains("BILL PAYMENT BY COMPANY REPORT"));
    QVERIFY(text.contains(QRegularExpression("File Name is kordex.001 +Page 3 of 3")));
  }

  // The preview's Print draws the prnrep.txt of its own run: with the data
  // file gone, a new report run could not give these pages.
  void thePreviewsPrintUsesTheReportOfItsRun() {
    auto frame = StartWithReport();
    const auto pdf = store_->path() / "from-preview.pdf";
    std::string printFile;
    bool printed = false;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
      QTRY_VERIFY(preview->findChild<QPrintPreviewWidget *>()->pageCount() == 3);
      printFile = store_->Read("prnrep.txt");
      std::filesystem::remove(store_->path() / "s1" / "kordex.001");
      QAction *print = ActionOf(preview, "Print");
      QVERIFY(print != nullptr);
      PrintToPdfWhenAsked(pdf);
      print->trigger();
      printed = !preview->isVisible();
    });
    QVERIFY(frame->commands().Trigger(CommandId::PrintPreview));
    QVERIFY(printed);
    QCOMPARE(PdfPages(pdf), 3);
    QCOMPARE(store_->Read("prnrep.txt"), printFile);
    QVERIFY(PdfText(pdf).contains("Page 2 of 3"));
    QVERIFY(boxes_->shown().empty());
  }
};

}  // namespace lumvex::ui

QTEST_MAIN(lumvex::ui::ReportCommandsTest)
#include "report_commands_test.moc"
