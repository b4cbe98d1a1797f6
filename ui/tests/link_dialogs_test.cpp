// The window's host link over the real PAD library against hostsim on a
// pseudo-terminal: the Download command, the Change Password dialog, Set
// Device, the Uncompress dialog and the countdown dialogs.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "link/link_control.h"
#include "link/tests/host_fixture.h"
#include "ui/change_password_dialog.h"
#include "ui/countdown.h"
#include "ui/countdown_dialogs.h"
#include "ui/download_dialog.h"
#include "ui/link_dialog_support.h"
#include "ui/set_device_dialog.h"
#include "ui/uncompress_dialog.h"
#include "ui_test_support.h"

namespace lumvex::ui {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::WriteFile;
using testing::ListedNames;
using testing::StartWindow;

template <typename W>
W* Child(QObject* dialog, const char* name) {
  W* widget = dialog->findChild<W*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no child %s", name);
  return widget;
}

void Type(QObject* dialog, const char* field, const QString& text) {
  auto* edit = Child<QLineEdit>(dialog, field);
  edit->clear();
  QTest::keyClicks(edit, text);
}

void Press(QObject* dialog, const char* button) { Child<QPushButton>(dialog, button)->click(); }

QString Text(QObject* dialog, const char* name) {
  if (auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name))) return button->text();
  return Child<QLabel>(dialog, name)->text();
}

// Calls `step` with the active modal dialog of type D on every poll, until the
// deadline; the step keeps count of what it has done (the dialogs number
// their showings).
template <typename D>
QTimer* DriveModals(std::function<void(D*)> step) {
  auto* timer = new QTimer;
  const QDeadlineTimer deadline(120000);
  QObject::connect(timer, &QTimer::timeout, [timer, deadline, step] {
    if (deadline.hasExpired()) {
      timer->deleteLater();
      return;
    }
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) step(dialog);
  });
  timer->start(10);
  return timer;
}

}  // namespace

class LinkDialogsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<link::testing::HostFixture> host_;
  std::unique_ptr<hostsim::testing::HostsimProcess> sim_;
  std::unique_ptr<MessageBoxes::TestHook> boxes_;
  std::unique_ptr<CountdownDialogs::TestHook> countdowns_;
  std::filesystem::path previous_;
  std::string data_;
  QTimer* driver_ = nullptr;

  const std::filesystem::path& store() const { return host_->store.path(); }
  QString Date() const { return QString::fromStdString(host_->Date()); }

  // The store (with abc01) is the working directory; hostsim serves a file
  // of several blocks for 5 January.
  std::unique_ptr<CMainFrame> Start(std::vector<std::string> options = {}) {
    data_ = link::testing::BillData(400);
    host_->Serve(data_);
    sim_ = host_->Start(std::move(options));
    if (!sim_->started()) qFatal("hostsim: %s", sim_->error().c_str());
    return StartWindow(SystemClock::Instance());
  }
  void Drive(std::function<void(CDownloadDlg*)> step) { driver_ = DriveModals<CDownloadDlg>(std::move(step)); }

  // Fills the Download dialog and presses Dial on its `showing`-th showing.
  static std::function<void(CDownloadDlg*)> DialOn(int showing, QString date, std::function<void(CDownloadDlg*)> then) {
    auto done = std::make_shared<int>(0);
    return [=](CDownloadDlg* d) {
      if (d->showings() == *done) return;
      *done = d->showings();
      if (d->showings() == showing) {
        Type(d, "staffIdEdit", "123456");
        Type(d, "passwordEdit", "654321");
        Type(d, "dateEdit", date);
        Press(d, "dialButton");
      } else if (then) {
        then(d);
      }
    };
  }

 private slots:
  void init() {
    previous_ = std::filesystem::current_path();
    host_ = std::make_unique<link::testing::HostFixture>();
    std::filesystem::current_path(store());
    WriteFile(store() / "download.log", "1\r\nabc01\r\n0\r\n");
    boxes_ = std::make_unique<MessageBoxes::TestHook>();
    countdowns_ = std::make_unique<CountdownDialogs::TestHook>();
    Countdown::SetSecond(std::chrono::milliseconds(1000));
  }
  void cleanup() {
    delete std::exchange(driver_, nullptr);
    link::ProcessLinkState().linkUp = 0;
    FromDownload() = 0;
    countdowns_.reset();
    boxes_.reset();
    sim_.reset();
    std::filesystem::current_path(previous_);
    host_.reset();
    Countdown::SetSecond(std::chrono::milliseconds(1000));
  }

  void downloadStoresListsAndRecordsThenDownloadsAgainOnTheSameLink() {
    auto frame = Start();
    WriteFile(host_->hostDir / "abc01" / ("0401" + host_->year + ".dat"), link::testing::BillData(50, 7));
    QStringList secondStatuses;
    bool againOffered = false;
    Drive(DialOn(1, Date(), [&](CDownloadDlg* d) {
      if (d->showings() == 2) {
        againOffered = Text(d, "dialButton") == "Download Again" && Text(d, "cancelButton") == "Disconnect";
        Type(d, "dateEdit", "0401" + QString::fromStdString(host_->year));
        Press(d, "dialButton");
        secondStatuses = d->statusHistory();
      } else {
        Press(d, "cancelButton");  // Disconnect
      }
    }));
    QVERIFY(frame->commands().Trigger(CommandId::Download));
    QVERIFY(againOffered);
    QCOMPARE(countdowns_->texts(), (QStringList{"Are you sure ?", "Download Completed ...", "Are you sure ?",
                                                "Download Completed ..."}));
    QVERIFY(countdowns_->shown()[1].information);
    // The second showing dialled nothing: the link was up.
    QVERIFY(!secondStatuses.contains("  Connected OK"));
    QVERIFY(secondStatuses.contains("  Begin Download File ..."));
    QCOMPARE(ReadFile(store() / "abc01/kordex.005"), data_);
    QCOMPARE(ListedNames(frame->view()), (QStringList{"kordex.005", "kordex.004"}));
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 'abc01' : 2 files"));
    QVERIFY(ReadFile(store() / "download.log").find("kordex.005,abc01,Download Bill Payment,05/01/") != std::string::npos);
    QCOMPARE(link::ProcessLinkState().linkUp, 0);
    QCOMPARE(CUncompressDlg::LastFinalValue(), 500);
  }

  void aDroppedCallIsResumedAfterTheNextDial() {
    auto frame = Start({"--hangup-after", "2"});
    Drive(DialOn(1, Date(), [](CDownloadDlg* d) { Press(d, "cancelButton"); }));
    QVERIFY(frame->commands().Trigger(CommandId::Download));
    QVERIFY(countdowns_->texts().contains("Read PadX25 failed."));
    QCOMPARE(std::filesystem::file_size(store() / "abc01/kordex$$.005"), 1024u);
    QVERIFY(ListedNames(frame->view()).isEmpty());

    // Each new call brings two more blocks, until the file is whole.
    for (int call = 0; call < 20 && !std::filesystem::exists(store() / "abc01/kordex.005"); ++call) {
      delete std::exchange(driver_, nullptr);
      Drive(DialOn(1, Date(), [](CDownloadDlg* d) { Press(d, "cancelButton"); }));
      QVERIFY(frame->commands().Trigger(CommandId::Download));
    }
    QCOMPARE(ReadFile(store() / "abc01/kordex.005"), data_);
    QCOMPARE(ListedNames(frame->view()), QStringList{"kordex.005"});
  }

  void failuresAreShownInTheErrorDialog_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("connected");
    QTest::newRow("busy line") << QStringList{"--dial-result", "BUSY"} << "654321" << "BUSY" << false;
    QTest::newRow("refused password") << QStringList{} << "111111" << "Invalid password" << true;
    QTest::newRow("size mismatch") << QStringList{"--wrong-size"} << "654321" << "Receive data loss" << true;
  }
  void failuresAreShownInTheErrorDialog() {
    QFETCH(QStringList, options);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(bool, connected);
    std::vector<std::string> args;
    for (const QString& o : options) args.push_back(o.toStdString());
    auto frame = Start(args);
    bool stayedOpenLinkDown = false;
    auto done = std::make_shared<int>(0);
    Drive([&, done](CDownloadDlg* d) {
      if (*done == 2) return;
      if (*done == 0) {
        *done = 1;
        Type(d, "staffIdEdit", "123456");
        Type(d, "passwordEdit", password);
        Type(d, "dateEdit", Date());
        Press(d, "dialButton");
        // A failed connect leaves the dialog open with the link down.
        stayedOpenLinkDown = d->isVisible() && d->showings() == 1 && Text(d, "dialButton") == "Dial";
      }
      if (d->isVisible()) {
        *done = 2;
        Press(d, "cancelButton");
      }
    });
    QVERIFY(frame->commands().Trigger(CommandId::Download));
    bool shown = false;
    for (const QString& text : countdowns_->texts()) shown = shown || text.contains(message);
    QVERIFY2(shown, qPrintable(countdowns_->texts().join(" | ")));
    QCOMPARE(stayedOpenLinkDown, !connected);
    QVERIFY(ListedNames(frame->view()).isEmpty());
    QCOMPARE(link::ProcessLinkState().linkUp, 0);
  }

  void theIdleCountdownDisconnectsAndAMessageOnScreenPutsItOff() {
    Countdown::SetSecond(std::chrono::milliseconds(4));  // 210 s pass in under a second
    auto frame = Start();
    QStringList idleStatuses;
    int showingsSeen = 0;
    Drive(DialOn(1, Date(), [&](CDownloadDlg* d) {
      showingsSeen = d->showings();
      idleStatuses = d->statusHistory();
    }));
    QVERIFY(frame->commands().Trigger(CommandId::Download));  // returns once the countdown hung up
    QCOMPARE(showingsSeen, 2);
    QCOMPARE(link::ProcessLinkState().linkUp, 0);
    QVERIFY(!ListedNames(frame->view()).isEmpty());

    // With the confirmation cancelled the message-up flag stays: the link stays up.
    delete std::exchange(driver_, nullptr);
    countdowns_->SetNextAnswer(true);
    countdowns_->SetNextAnswer(false);
    QDeadlineTimer waited;
    bool stillUpLater = false;
    auto dial = DialOn(1, Date(), nullptr);
    Drive([&, dial, asked = std::make_shared<bool>(false)](CDownloadDlg* d) {
      if (d->showings() == 1) return dial(d);
      if (!*asked) {
        *asked = true;
        Press(d, "dialButton");  // Download Again, then Cancel in the confirmation
        waited = QDeadlineTimer(3000);  // far beyond 210 "seconds"
        return;
      }
      if (waited.hasExpired() && !stillUpLater) {
        stillUpLater = link::ProcessLinkState().linkUp == 1;
        Press(d, "cancelButton");
      }
    });
    QVERIFY(frame->commands().Trigger(CommandId::Download));
    QVERIFY(stillUpLater);
    QCOMPARE(link::ProcessLinkState().linkUp, 0);
  }

  void changePasswordFromTheMenuDialsThenOffersAgainAndDisconnect() {
    auto frame = Start();
    bool offered = false;
    auto* timer = DriveModals<CChangePasswordDlg>([&, step = std::make_shared<int>(0)](CChangePasswordDlg* d) {
      if (*step == 0) {
        *step = 1;
        QCOMPARE(Text(d, "firstButton"), QStringLiteral("Dial"));
        Type(d, "staffIdEdit", "123456");
        Type(d, "passwordEdit", "654321");
        Type(d, "newPasswordEdit", "135790");
        Type(d, "renewPasswordEdit", "135790");
        Press(d, "firstButton");
        offered = Text(d, "firstButton") == "Again" && Child<QPushButton>(d, "cancelButton")->isHidden() &&
                  !Child<QPushButton>(d, "disconnectButton")->isHidden();
        QTest::keyClick(d, Qt::Key_Escape);  // Cancel is hidden: Escape disconnects
      }
    });
    QVERIFY(frame->commands().Trigger(CommandId::ChangePassword));
    delete timer;
    QVERIFY(offered);
    QCOMPARE(countdowns_->texts(), (QStringList{"Are you sure ?", "Change Password Completed ... "}));
    QCOMPARE(ReadFile(host_->hostDir / "accounts"), std::string("abc01 123456 135790\n"));
    QCOMPARE(link::ProcessLinkState().linkUp, 0);
  }

  void changePasswordFromTheDownloadDialogUsesItsLinkAndKeepsCancel() {
    auto frame = Start();
    bool cancelKept = false;
    QStringList changeStatuses;
    auto* change = DriveModals<CChangePasswordDlg>([&, step = std::make_shared<int>(0)](CChangePasswordDlg* d) {
      if (*step != 0) return;
      *step = 1;
      Type(d, "staffIdEdit", "123456");
      Type(d, "passwordEdit", "654321");
      Type(d, "newPasswordEdit", "246802");
      Type(d, "renewPasswordEdit", "246802");
      Press(d, "firstButton");
      changeStatuses = d->statusHistory();
      cancelKept = !Child<QPushButton>(d, "cancelButton")->isHidden() && Text(d, "firstButton") == "Again";
      Press(d, "cancelButton");
    });
    Drive(DialOn(1, Date(), [&](CDownloadDlg* d) {
      if (d->showings() == 2) Press(d, "changePasswordButton");
      if (d->isVisible()) Press(d, "cancelButton");
    }));
    QVERIFY(frame->commands().Trigger(CommandId::Download));
    delete change;
    QVERIFY(cancelKept);
    QVERIFY(!changeStatuses.contains("  Connected OK"));  // no dialling of its own
    QVERIFY(countdowns_->texts().contains("Change Password Completed ... "));
    QCOMPARE(ReadFile(host_->hostDir / "accounts"), std::string("abc01 123456 246802\n"));
    QCOMPARE(FromDownload(), 0);
  }

  void setDeviceRewritesOnlyWhatChanged() {
    auto frame = StartWindow(SystemClock::Instance());
    const std::string before = ReadFile(store() / "config.dat");
    testing::WhenModal<CSetDeviceDlg>([](CSetDeviceDlg* d) {
      QVERIFY(Child<QRadioButton>(d, "com1Button")->isChecked());
      QVERIFY(Child<QRadioButton>(d, "speed14400Button")->isChecked());
      QCOMPARE(Child<QLineEdit>(d, "phoneEdit")->text(), QStringLiteral("021234567"));
      Child<QRadioButton>(d, "speed9600Button")->click();
      Press(d, "okButton");
    });
    QVERIFY(frame->commands().Trigger(CommandId::SetDevice));
    std::string expected = before;
    expected[13] = '1';
    QCOMPARE(ReadFile(store() / "config.dat"), expected);
    QCOMPARE(boxes_->texts(), QStringList{"Set Device Complete ..."});

    boxes_->Clear();
    std::filesystem::remove(store() / "config.dat");
    testing::WhenModal<CSetDeviceDlg>([](CSetDeviceDlg* d) {
      QVERIFY(!Child<QRadioButton>(d, "com1Button")->isChecked());
      Child<QRadioButton>(d, "com2Button")->click();
      Press(d, "okButton");  // cannot write: the dialog stays open until Cancel
      QVERIFY(d->isVisible());
    });
    QVERIFY(frame->commands().Trigger(CommandId::SetDevice));
    QCOMPARE(boxes_->texts(), (QStringList{"Can't open file config.dat", "Can't open file config.dat"}));
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("Error"));
    QVERIFY(!std::filesystem::exists(store() / "config.dat"));
  }

  void theKeyboardWalksTheDownloadDialogInOrder() {
    auto frame = StartWindow(SystemClock::Instance());
    QStringList order;
    testing::WhenModal<CDownloadDlg>([&](CDownloadDlg* d) {
      order << QApplication::focusWidget()->objectName();
      // Enter presses Dial; an empty field on its first turn only takes the focus.
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTest::keyClicks(QApplication::focusWidget(), "123456");
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      order << QApplication::focusWidget()->objectName();
      Child<QComboBox>(d, "serviceCodeList")->setFocus();
      for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
      }
    });
    QVERIFY(frame->commands().Trigger(CommandId::Download));
    QCOMPARE(order, (QStringList{"serviceCodeList", "passwordEdit", "staffIdEdit", "passwordEdit", "dateEdit",
                                 "dialButton", "cancelButton", "serviceCodeList"}));
    QVERIFY(countdowns_->shown().empty());
  }
};

// The two self-closing dialogs on their own, with a short second.
class CountdownDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { Countdown::SetSecond(std::chrono::milliseconds(20)); }
  void cleanup() { Countdown::SetSecond(std::chrono::milliseconds(1000)); }

  void theErrorDialogCountsDownAndClosesByItself() {
    CErrorDlg dialog;
    dialog.SetMessage("Receive data loss");
    QStringList seen;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
      const QString t = dialog.findChild<QLabel*>("timeLeftLabel")->text();
      if (seen.isEmpty() || seen.back() != t) seen << t;
    });
    probe.start(2);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(dialog.exec(), kCountdownGoAhead);
    QVERIFY(clock.elapsed() >= 30 * 20 * 9 / 10);  // coarse timers may fire a little early
    QCOMPARE(seen.value(0), QString());  // blank in the first second
    QCOMPARE(seen.value(1), QStringLiteral("  Time Left   :   00:29"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Error"));
    QVERIFY(!dialog.findChild<QLabel*>("warningIcon")->isHidden());

    dialog.SetInformationMode(true);
    dialog.SetMessage("Download Completed ...");
    seen.clear();
    QTimer::singleShot(100, &dialog, [&] { dialog.findChild<QPushButton*>("okButton")->click(); });
    QCOMPARE(dialog.exec(), kCountdownGoAhead);
    QCOMPARE(seen.value(0), QString());  // a fresh count on every run
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ORQ Download Version 1.04"));
    QVERIFY(dialog.findChild<QLabel*>("warningIcon")->isHidden());
    QCOMPARE(dialog.findChild<QLabel*>("messageLabel")->text(), QStringLiteral("Download Completed ..."));
  }

  void theConfirmDialogGoesAheadByItselfAndEscapeCancels() {
    CConfirmDlg dialog;
    QCOMPARE(dialog.exec(), kCountdownGoAhead);
    QTimer::singleShot(50, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), kCountdownCancelled);
    QTimer::singleShot(50, &dialog, [&] { dialog.findChild<QPushButton*>("cancelButton")->click(); });
    QCOMPARE(dialog.exec(), kCountdownCancelled);
    QTimer::singleShot(50, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
    QCOMPARE(dialog.exec(), kCountdownGoAhead);
  }
};

}  // namespace lumvex::ui

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    lumvex::ui::CountdownDialogsTest countdowns;
    status |= QTest::qExec(&countdowns, argc, argv);
  }
  {
    lumvex::ui::LinkDialogsTest link;
    status |= QTest::qExec(&link, argc, argv);
  }
  return status;
}

#include "link_dialogs_test.moc"
