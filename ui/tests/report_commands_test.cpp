// View Report, Print Preview and the View Report dialog on the real window.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>

#include "report/report_generator.h"
#include "report/testing/data_file_generator.h"
#include "ui/report_commands.h"
#include "ui_test_support.h"

namespace lumvex::ui {

namespace gen = lumvex::report::testing;
using testing::SelectRow;
using testing::StartWindow;
using testing::TestStore;
using testing::WhenModal;

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
    WhenModal<CViewReportDlg>([&](CViewReportDlg* d) {
      caption = d->windowTitle();
      auto* edit = d->findChild<QPlainTextEdit*>("reportEdit");
      QVERIFY(edit->isReadOnly());
      QVERIFY(edit->toPlainText().isEmpty());
      d->findChild<QPushButton*>("loadButton")->click();
      once = edit->toPlainText();
      d->findChild<QPushButton*>("loadButton")->click();
      twice = edit->toPlainText();
      d->findChild<QPushButton*>("exitButton")->click();
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
    dialog.findChild<QPushButton*>("loadButton")->click();
    QCOMPARE(boxes_->texts().back(), QStringLiteral("Can't open file report.txt"));
  }

  void previewShowsEveryPageAndTheFileNameStatus() {
    auto frame = StartWithReport();
    int pages = 0;
    QString status;
    WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
      auto* widget = preview->findChild<QPrintPreviewWidget*>();
      QTRY_VERIFY(widget->pageCount() > 0);
      pages = widget->pageCount();
      status = frame->statusPane(1)->text();
      preview->reject();
    });
    QVERIFY(frame->commands().Trigger(CommandId::PrintPreview));
    QCOMPARE(pages, report::LastPageNumber());
    QCOMPARE(pages, 3);
    QCOMPARE(status, QStringLiteral("File Name 'kordex.001'"));
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 's1' : 1 files"));
  }

  void viewReportEndCode30OpensThePreviewOfTheSameRun() {
    auto frame = StartWithReport();
    WhenModal<CViewReportDlg>([](CViewReportDlg* d) { d->findChild<QPushButton*>("printPreviewButton")->click(); });
    int pages = 0;
    // Queued once the View Report dialog has gone.
    QTimer::singleShot(200, [&] {
      WhenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        QTRY_VERIFY(widget->pageCount() > 0);
        pages = widget->pageCount();
        preview->reject();
      });
    });
    QVERIFY(frame->commands().Trigger(CommandId::ReportView));
    QCOMPARE(pages, 3);
  }
};

}  // namespace lumvex::ui

QTEST_MAIN(lumvex::ui::ReportCommandsTest)
#include "report_commands_test.moc"
