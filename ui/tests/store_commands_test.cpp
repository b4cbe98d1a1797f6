// The commands that change the store, driven through the real window: Add
// and Delete Service Code, Delete, Copy, Properties and Import, with their
// dialogs, their checks, their steps on disk and their messages.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "report/testing/data_file_generator.h"
#include "ui/file_dialog.h"
#include "ui/store_commands.h"
#include "ui/store_dialogs.h"
#include "ui_test_support.h"

namespace lumvex::ui {
namespace {

namespace fs = std::filesystem;
namespace gen = lumvex::report::testing;
using testing::ListedNames;
using testing::SelectNode;
using testing::SelectRow;
using testing::StartWindow;
using testing::TestStore;
using testing::WhenModal;

const QString kAppTitle = QStringLiteral("ORQ Download Bill Payment  Version 1.05 :  Y2K Ready");

// Types `text` into the Add Service Code dialog and presses OK.
void AnswerAddServiceCode(const QString& text, QString* shown = nullptr) {
  WhenModal<CAddServiceCodeDlg>([text, shown](CAddServiceCodeDlg* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>("newServiceCodeEdit");
    QTest::keyClicks(edit, text);
    if (shown != nullptr) *shown = edit->text();
    dialog->findChild<QPushButton*>("okButton")->click();
  });
}

std::string DataFile(const char* code, const char* billDate = "05012000") {
  gen::DataFileOptions options;
  options.serviceCode = code;
  options.billDate = billDate;
  options.companies = 1;
  options.itemsPerCompany = 3;
  return gen::GenerateDataFile(options);
}

}  // namespace

class StoreCommandsTest : public QObject {
  Q_OBJECT

 private:
  FixedClock clock_{LocalTime{2001, 1, 6, 9, 30, 0}};
  std::unique_ptr<TestStore> store_;
  std::unique_ptr<MessageBoxes::TestHook> boxes_;

  std::unique_ptr<CMainFrame> StartWithS1() {
    store_->WriteCatalogue({"s1", "s2"}, {{"kordex.001", "s1"}, {"kordex.002", "s1"}, {"kordex.003", "s2"}});
    store_->Write("s1/kordex.001", DataFile("s1"));
    store_->Write("s1/kordex$$.001", "received");
    store_->Write("s1/kordex.002", DataFile("s1"));
    auto frame = StartWindow(clock_);
    boxes_->Clear();
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

  void addServiceCodeMakesItsDirectoryNodeAndCatalogueLine() {
    auto frame = StartWindow(clock_);
    boxes_->Clear();
    QString shown;
    AnswerAddServiceCode("AB12xyz9Q", &shown);
    QVERIFY(frame->commands().Trigger(CommandId::AddServiceCode));
    QCOMPARE(shown, QStringLiteral("ab12xyz9"));  // lower case as typed, the ninth refused
    QVERIFY(boxes_->shown().empty());
    QVERIFY(fs::is_directory(store_->path() / "ab12xyz9"));
    QCOMPARE(store_->Read("download.log"), std::string("1\r\nab12xyz9\r\n0\r\n"));
    QVERIFY(!fs::exists(store_->path() / "download.old"));
    const QTreeWidgetItem* root = frame->view()->tree()->topLevelItem(0);
    QCOMPARE(root->childCount(), 1);
    QCOMPARE(root->child(0)->text(0), QStringLiteral("ab12xyz9"));
    QCOMPARE(root->child(0)->data(0, Qt::UserRole).toInt(), 0);
  }

  void addServiceCodeRefusals_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("directoryBefore");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("directory exists") << "stray" << true << "This Service Code is already exist" << "Error";
    QTest::newRow("already listed") << "s2" << false << "This Service Code is already exist" << "Error";
    QTest::newRow("white space") << "a b" << false
                                 << "'a b' cannot be a Service Code: use 1 to 8 characters without spaces, commas, "
                                    "apostrophes, \"/\" or \"\\\", other than \".\", \"..\" and \"deleted\"."
                                 << "Error";
    QTest::newRow("parent") << ".." << false << "'..' cannot be a Service Code" << "Error";
    QTest::newRow("separator") << "a/b" << false << "'a/b' cannot be a Service Code" << "Error";
    QTest::newRow("comma") << "a,b" << false << "'a,b' cannot be a Service Code" << "Error";
  }
  void addServiceCodeRefusals() {
    QFETCH(QString, typed);
    QFETCH(bool, directoryBefore);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    auto frame = StartWithS1();
    fs::remove(store_->path() / "s2");  // listed, but its directory is gone
    if (directoryBefore) fs::create_directory(store_->path() / typed.toStdString());
    const std::string before = store_->Read("download.log");
    AnswerAddServiceCode(typed);
    frame->commands().Trigger(CommandId::AddServiceCode);
    QCOMPARE(boxes_->shown().size(), 1u);
    QVERIFY2(boxes_->texts()[0].startsWith(message), qPrintable(boxes_->texts()[0]));
    QCOMPARE(boxes_->shown()[0].caption, caption);
    QCOMPARE(boxes_->shown()[0].icon, BoxIcon::Exclamation);
    QCOMPARE(store_->Read("download.log"), before);
    QCOMPARE(frame->view()->tree()->topLevelItem(0)->childCount(), 2);
    if (typed != "..") QCOMPARE(fs::exists(store_->path() / typed.toStdString()), directoryBefore);
  }

  void addServiceCodeCancelledOrEmptyChangesNothing() {
    auto frame = StartWithS1();
    WhenModal<CAddServiceCodeDlg>([](CAddServiceCodeDlg* dialog) {
      QTest::keyClicks(dialog->findChild<QLineEdit*>("newServiceCodeEdit"), "abc");
      dialog->reject();
    });
    frame->commands().Trigger(CommandId::AddServiceCode);
    AnswerAddServiceCode("");
    frame->commands().Trigger(CommandId::AddServiceCode);
    QVERIFY(boxes_->shown().empty());
    QVERIFY(!fs::exists(store_->path() / "abc"));
    QCOMPARE(frame->view()->tree()->topLevelItem(0)->childCount(), 2);
  }

  void theEleventhServiceCodeIsRefusedEvenAfterADeleteUntilRestart() {
    std::vector<std::string> codes;
    for (int i = 0; i < 10; ++i) codes.push_back("c" + std::to_string(i));
    store_->WriteCatalogue(codes, {});
    auto frame = StartWindow(clock_);
    const std::string full = store_->Read("download.log");
    AnswerAddServiceCode("extra");
    frame->commands().Trigger(CommandId::AddServiceCode);
    QCOMPARE(boxes_->texts(), QStringList{"Number of service code must be between 1 and 10"});
    QCOMPARE(boxes_->shown()[0].caption, kAppTitle);
    QVERIFY(fs::is_directory(store_->path() / "extra"));  // made before the limit is checked
    QCOMPARE(store_->Read("download.log"), full);

    SelectNode(frame->view(), 3);
    frame->commands().Trigger(CommandId::DeleteServiceCode);
    boxes_->Clear();
    AnswerAddServiceCode("later");
    frame->commands().Trigger(CommandId::AddServiceCode);
    QCOMPARE(boxes_->texts(), QStringList{"Number of service code must be between 1 and 10"});

    frame.reset();
    frame = StartWindow(clock_);
    boxes_->Clear();
    AnswerAddServiceCode("after");
    frame->commands().Trigger(CommandId::AddServiceCode);
    QVERIFY(boxes_->shown().empty());
    QCOMPARE(frame->view()->tree()->topLevelItem(0)->childCount(), 10);
  }

  void deleteServiceCodeAsksFirstThenRefusesOneWithFiles() {
    auto frame = StartWithS1();
    boxes_->SetNextAnswer(true);
    QVERIFY(frame->commands().Trigger(CommandId::DeleteServiceCode));  // s1 is selected
    QCOMPARE(boxes_->beeps(), 1);
    QCOMPARE(boxes_->texts(), (QStringList{"Are you sure to delete Service Code 's1' ?", "This service code is not empty"}));
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("Confirm to Delete"));
    QVERIFY(boxes_->shown()[0].okCancel);
    QCOMPARE(boxes_->shown()[0].icon, BoxIcon::Exclamation);
    QCOMPARE(boxes_->shown()[1].caption, QStringLiteral("Warning"));
    QCOMPARE(boxes_->shown()[1].icon, BoxIcon::Exclamation);
    QCOMPARE(frame->view()->tree()->topLevelItem(0)->childCount(), 2);
  }

  void deleteServiceCodeNotConfirmedChangesNothing() {
    store_->WriteCatalogue({"e1"}, {});
    auto frame = StartWindow(clock_);
    boxes_->SetNextAnswer(false);
    frame->commands().Trigger(CommandId::DeleteServiceCode);
    QCOMPARE(boxes_->shown().size(), 1u);
    QVERIFY(fs::is_directory(store_->path() / "e1"));
    QCOMPARE(frame->view()->tree()->topLevelItem(0)->childCount(), 1);
  }

  void deletingAnEmptyServiceCodeKeepsAStrayDirectoryButDropsTheEntry() {
    store_->WriteCatalogue({"e1", "e2", "e3"}, {});
    store_->Write("e2/stray.txt", "x");
    auto frame = StartWindow(clock_);
    SelectNode(frame->view(), 1);
    frame->commands().Trigger(CommandId::DeleteServiceCode);
    QCOMPARE(boxes_->texts(), QStringList{"Are you sure to delete Service Code 'e2' ?"});
    QCOMPARE(store_->Read("download.log"), std::string("2\r\ne1\r\ne3\r\n0\r\n"));
    QVERIFY(fs::exists(store_->path() / "e2" / "stray.txt"));
    QCOMPARE(frame->view()->selectedServiceCode(), 2);  // the next node takes the selection
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 'e3' : 0 files"));

    frame->commands().Trigger(CommandId::DeleteServiceCode);  // e3, the last: its neighbour above
    QVERIFY(!fs::exists(store_->path() / "e3"));
    QCOMPARE(frame->view()->selectedServiceCode(), 0);
    frame->commands().Trigger(CommandId::DeleteServiceCode);  // e1, the only one: the root
    QCOMPARE(frame->view()->selectedServiceCode(), -1);
    QVERIFY(!frame->commands().action(CommandId::DeleteServiceCode)->isEnabled());
    QCOMPARE(store_->Read("download.log"), std::string("0\r\n0\r\n"));
  }

  void deleteRemovesTheFileItsReceivedFileAndItsEntry() {
    auto frame = StartWithS1();
    SelectRow(frame->view(), 0);
    QString label;
    WhenModal<CDeleteDlg>([&](CDeleteDlg* dialog) {
      label = dialog->findChild<QLabel*>("deleteQuestionLabel")->text();
      dialog->accept();
    });
    QVERIFY(frame->commands().Trigger(CommandId::Delete));
    QCOMPARE(label, QStringLiteral("Are you sure to delete file 'kordex.001' in Service Code 's1' ?"));
    QCOMPARE(boxes_->beeps(), 1);
    QCOMPARE(boxes_->texts(), QStringList{"Delete Completed ..."});
    QCOMPARE(boxes_->shown()[0].caption, kAppTitle);
    QVERIFY(!fs::exists(store_->path() / "s1" / "kordex.001"));
    QVERIFY(!fs::exists(store_->path() / "s1" / "kordex$$.001"));
    QVERIFY(fs::exists(store_->path() / "s1" / "kordex.002"));
    QVERIFY(store_->Read("download.log").find("kordex.001") == std::string::npos);
    QCOMPARE(ListedNames(frame->view()), QStringList{"kordex.002"});
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 's1' : 1 files"));

    // No received file: the delete goes on all the same.
    boxes_->Clear();
    SelectRow(frame->view(), 0);
    WhenModal<CDeleteDlg>([](CDeleteDlg* dialog) { dialog->accept(); });
    frame->commands().Trigger(CommandId::Delete);
    QCOMPARE(boxes_->texts(), QStringList{"Delete Completed ..."});
    QCOMPARE(frame->view()->model()->rowCount(), 0);
  }

  void deleteCancelledOrWithoutARowChangesNothing() {
    auto frame = StartWithS1();
    const std::string before = store_->Read("download.log");
    frame->storeCommands().DeleteFile();
    frame->storeCommands().CopyFile();
    frame->storeCommands().Properties();
    QCOMPARE(boxes_->texts(), (QStringList{"Please Select Data for Deleted", "Please Select Data for Copy",
                                           "Please Select Data for display Properties"}));
    for (const auto& box : boxes_->shown()) QCOMPARE(box.caption, kAppTitle);
    SelectRow(frame->view(), 0);
    WhenModal<CDeleteDlg>([](CDeleteDlg* dialog) { dialog->reject(); });
    frame->commands().Trigger(CommandId::Delete);
    QCOMPARE(store_->Read("download.log"), before);
    QVERIFY(fs::exists(store_->path() / "s1" / "kordex.001"));
  }

  void copyAsksForANameThenWritesFixedRecords() {
    auto frame = StartWithS1();
    SelectRow(frame->view(), 0);
    QString label;
    bool stayedOpen = false;
    WhenModal<CCopyDlg>([&](CCopyDlg* dialog) {
      label = dialog->findChild<QLabel*>("copyQuestionLabel")->text();
      dialog->findChild<QPushButton*>("okButton")->click();  // nothing typed yet
      stayedOpen = dialog->isVisible();
      QTest::keyClicks(dialog->findChild<QLineEdit*>("destinationEdit"), "out.dat");
      dialog->findChild<QPushButton*>("okButton")->click();
    });
    QVERIFY(frame->commands().Trigger(CommandId::Copy));
    QCOMPARE(label, QStringLiteral("Copy  :   File 'kordex.001' in Service Code 's1'"));
    QVERIFY(stayedOpen);
    QCOMPARE(boxes_->beeps(), 1);
    QCOMPARE(boxes_->texts(), (QStringList{"Please input file name to copy.", "Copy File Completed ..."}));
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("Error"));
    QCOMPARE(boxes_->shown()[1].caption, kAppTitle);
    const std::string out = store_->Read("out.dat");
    const std::string source = store_->Read("s1/kordex.001");
    QVERIFY(!out.empty());
    QCOMPARE(out.size() % 258, 0u);
    QCOMPARE(out.substr(0, 256), source.substr(19, 256));
    QCOMPARE(out.substr(256, 2), std::string("\r\n"));
  }

  void copyOfAMissingFileSaysWhichOne() {
    auto frame = StartWithS1();
    fs::remove(store_->path() / "s1" / "kordex.001");
    SelectRow(frame->view(), 0);
    WhenModal<CCopyDlg>([](CCopyDlg* dialog) {
      QTest::keyClicks(dialog->findChild<QLineEdit*>("destinationEdit"), "out.dat");
      dialog->accept();
    });
    frame->commands().Trigger(CommandId::Copy);
    QCOMPARE(boxes_->texts(), QStringList{"Can't open file s1/kordex.001"});
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("Error"));
    QVERIFY(!fs::exists(store_->path() / "out.dat"));
  }

  void propertiesShowsTheEntryOnTwoReadOnlyPages() {
    store_->WriteCatalogue({"s1"}, {{"kordex.001", "s1", "05/01/2000", "06/01/2001", "1234"}});
    auto frame = StartWindow(clock_);
    SelectRow(frame->view(), 0);
    QStringList fields;
    QStringList tabs;
    bool readOnly = true;
    WhenModal<CPropertiesSheet>([&](CPropertiesSheet* sheet) {
      tabs << sheet->windowTitle();
      for (int i = 0; i < sheet->tabs()->count(); ++i) tabs << sheet->tabs()->tabText(i);
      for (const char* name : {"fileNameEdit", "serviceCodeEdit", "descriptionEdit", "datePrepareEdit", "dateRetrieveEdit", "fileSizeEdit"}) {
        auto* edit = sheet->findChild<QLineEdit*>(name);
        fields << edit->text();
        readOnly = readOnly && edit->isReadOnly();
      }
    });
    frame->commands().Trigger(CommandId::Properties);
    QCOMPARE(tabs, (QStringList{"Data Properties", "Properties Service code", "Properties File name"}));
    QCOMPARE(fields, (QStringList{"kordex.001", "s1", "Download Bill Payment", "05/01/2000", "06/01/2001", "1234"}));
    QVERIFY(readOnly);
  }

  void importStoresTheFileInLowerCaseAndListsIt() {
    auto frame = StartWithS1();
    const std::string data = DataFile("s1", "31122000");
    store_->Write("KORDEX.005", data);
    FileDialogs::TestHook files;
    files.SetNextFileName(QString::fromStdString((store_->path() / "KORDEX.005").string()));
    QVERIFY(frame->commands().Trigger(CommandId::Import));
    QCOMPARE(files.lastFilter(), QStringLiteral("Kordex Data File (kordex.*)"));
    QVERIFY2(boxes_->shown().empty(), qPrintable(boxes_->texts().join("; ")));
    QCOMPARE(store_->Read("s1/kordex.005"), data);
    QCOMPARE(ListedNames(frame->view()), (QStringList{"kordex.001", "kordex.002", "kordex.005"}));
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 's1' : 3 files"));
    QVERIFY(store_->Read("download.log").find(
                "kordex.005,s1,Download Bill Payment,31/12/2000,06/01/2001," + std::to_string(data.size()) + "\r\n") !=
            std::string::npos);
    QCOMPARE(fs::current_path(), store_->path());

    files.SetNextFileName(QString::fromStdString((store_->path() / "KORDEX.005").string()));
    frame->commands().Trigger(CommandId::Import);
    QCOMPARE(boxes_->texts(), QStringList{"This file are already in s1"});
  }

  void importRefusesAnotherServiceCodesFileAndNoSelection() {
    auto frame = StartWithS1();
    store_->Write("kordex.007", DataFile("s2"));
    FileDialogs::TestHook files;
    files.SetNextFileName(QString::fromStdString((store_->path() / "kordex.007").string()));
    frame->commands().Trigger(CommandId::Import);
    QCOMPARE(boxes_->texts(), QStringList{"Service code in file kordex.007 is not equal s1"});
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("Error"));
    QVERIFY(!fs::exists(store_->path() / "s1" / "kordex.007"));
    QCOMPARE(frame->view()->model()->rowCount(), 2);

    boxes_->Clear();
    frame->commands().Trigger(CommandId::Import);  // cancelled: no name queued
    QVERIFY(boxes_->shown().empty());
    QCOMPARE(fs::current_path(), store_->path());

    SelectNode(frame->view(), -1);
    const int dialogs = files.calls();
    frame->commands().Trigger(CommandId::Import);
    QCOMPARE(files.calls(), dialogs);  // refused before the file dialog
    QCOMPARE(boxes_->texts(), QStringList{"Please Select Service Code for Import"});
    QVERIFY(!fs::exists(store_->path() / "None"));
  }
};

}  // namespace lumvex::ui

QTEST_MAIN(lumvex::ui::StoreCommandsTest)
#include "store_commands_test.moc"
