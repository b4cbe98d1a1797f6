// The main window as the program starts it: start-up, menus and toolbar from
// the command table, enabling rules, status panes, view modes, sorting, layout.
#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "ui/command_set.h"
#include "print/thai_text.h"
#include "ui_test_support.h"

namespace lumvex::ui {
namespace {

using testing::Entry;
using testing::ListedNames;
using testing::SelectNode;
using testing::SelectRow;
using testing::StartWindow;
using testing::TestStore;

constexpr CommandId kRowCommands[] = {CommandId::Delete, CommandId::Copy,      CommandId::Properties,
                                      CommandId::Print,  CommandId::PrintPreview, CommandId::SetProgram,
                                      CommandId::ReportView};

QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions()) {
    texts << (a->isSeparator() ? QStringLiteral("-") : a->menu() != nullptr ? a->text() + ">" : a->text());
  }
  return texts;
}

QMenu* MenuNamed(QMenuBar* bar, const QString& title) {
  for (QAction* a : bar->actions()) {
    if (a->text() == title) return a->menu();
  }
  return nullptr;
}

QAction* PopupAction(QMenu* popup, const QString& text) {
  for (QAction* a : popup->findChildren<QAction*>()) {
    if (a->text() == text) return a;
  }
  return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  FixedClock clock_{LocalTime{2001, 1, 6, 9, 30, 0}};
  std::unique_ptr<TestStore> store_;
  std::unique_ptr<MessageBoxes::TestHook> boxes_;

  // abc01 with three files whose sizes and dates sort differently from table order.
  std::unique_ptr<CMainFrame> StartWithFiles() {
    store_->WriteCatalogue({"abc01", "xyz02"}, {
                                                   {"kordex.010", "abc01", "01/01/2000", "06/01/2001", "10"},
                                                   {"kordex.002", "xyz02"},
                                                   {"kordex.365", "abc01", "31/12/1999", "05/01/2001", "9"},
                                                   {"kordex.001", "abc01", "02/01/2000", "07/12/2000", "100"},
                                               });
    return StartWindow(clock_);
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

  void firstRunShowsItsMessageAndOnlyTheRoot() {
    auto frame = StartWindow(clock_);
    QCOMPARE(boxes_->texts(), QStringList{"The First Times!. Please Add Service Code before Download"});
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("ORQ Download Bill Payment  Version 1.05 :  Y2K Ready"));
    QCOMPARE(boxes_->shown()[0].icon, BoxIcon::None);
    CLumvexView* view = frame->view();
    QCOMPARE(view->tree()->topLevelItemCount(), 1);
    QCOMPARE(view->tree()->topLevelItem(0)->text(0), QStringLiteral("For Service Code"));
    QCOMPARE(view->tree()->topLevelItem(0)->childCount(), 0);
    QCOMPARE(view->tree()->currentItem(), nullptr);
    QCOMPARE(frame->statusPane(1)->text(), QString());
    QCOMPARE(view->currentServiceCode(), std::string());
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORQ Download Bill Payment  Version 1.05 : Y2K Ready  "));
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
  }

  void startUpSelectsTheFirstServiceCodeAndListsItsFilesInCatalogueOrder() {
    auto frame = StartWithFiles();
    QVERIFY(boxes_->shown().empty());
    CLumvexView* view = frame->view();
    QCOMPARE(view->selectedServiceCode(), 0);
    QCOMPARE(view->tree()->currentItem()->text(0), QStringLiteral("abc01"));
    QCOMPARE(ListedNames(view), (QStringList{"kordex.010", "kordex.365", "kordex.001"}));
    QCOMPARE(frame->statusPane(0)->text(), QStringLiteral("Ready"));
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 'abc01' : 3 files"));
    QCOMPARE(view->currentServiceCode(), std::string("abc01"));
    QCOMPARE(view->selectedRow(), -1);
    // The title stays whatever is selected.
    SelectNode(view, 1);
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORQ Download Bill Payment  Version 1.05 : Y2K Ready  "));
    QCOMPARE(ListedNames(view), QStringList{"kordex.002"});
  }

  void menusAndToolbarFollowTheCommandTable() {
    auto frame = StartWithFiles();
    QMenuBar* bar = frame->menuBar();
    QStringList titles;
    for (QAction* a : bar->actions()) titles << a->text();
    QCOMPARE(titles, (QStringList{"&File", "&View", "&Print", "&Setup", "&Help"}));
    QCOMPARE(MenuTexts(MenuNamed(bar, "&File")),
             (QStringList{"&Download...", "D&elete...", "&Copy...", "-", "De&lete Service...", "&Add Service...", "-",
                          "&Import...", "-", "&Properties...", "-", "E&xit"}));
    QCOMPARE(MenuTexts(MenuNamed(bar, "&View")),
             (QStringList{"&Toolbar", "&Status Bar", "-", "&Large Icon View", "&Small Icon View", "List &View",
                          "&Details View", "-", "Arrange Icons>"}));
    QCOMPARE(MenuTexts(MenuNamed(bar, "&Print")), (QStringList{"&Print...", "Print Pre&view...", "&P&rint Setup..."}));
    QCOMPARE(MenuTexts(MenuNamed(bar, "&Setup")),
             (QStringList{"&Set Device...", "&Change Password...", "Set &Program..."}));
    QCOMPARE(MenuTexts(MenuNamed(bar, "&Help")), QStringList{"&About Download..."});

    QStringList toolbar;
    for (QAction* a : frame->toolBar()->actions()) toolbar << (a->isSeparator() ? "-" : a->toolTip());
    QCOMPARE(toolbar, (QStringList{"Download", "Delete", "Copy", "-", "Add Service Code", "Delete Service Code", "-",
                                   "Properties", "-", "Print", "Print Preview", "-", "Set Device", "-",
                                   "Change Password", "-", "Set Program", "-", "Large Icon", "Small Icon", "List",
                                   "Details"}));
    QAction* properties = frame->commands().action(CommandId::Properties);
    QCOMPARE(properties->statusTip(), QStringLiteral("Displays the properties"));
    QCOMPARE(frame->commands().action(CommandId::SortByDateRetrieve)->statusTip(), QString());
    QCOMPARE(frame->commands().action(CommandId::Delete)->shortcut(), QKeySequence(Qt::Key_Delete));

    std::unique_ptr<QMenu> popup(frame->CreateHousePopupMenu());
    QCOMPARE(popup->objectName(), QStringLiteral("HousePopupMenu"));
    QCOMPARE(MenuTexts(popup.get()), (QStringList{"View>", "-", "Arrange Icons>", "-", "Delete", "Copy", "-",
                                                  "Print Preview", "Print", "-", "Properties"}));
  }

  void promptsGoToPaneZeroAndReadyComesBack() {
    auto frame = StartWithFiles();
    frame->commands().action(CommandId::Copy)->showStatusText(frame.get());
    QCOMPARE(frame->statusPane(0)->text(), QStringLiteral("Copy"));
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 'abc01' : 3 files"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame.get(), &leave);
    QCOMPARE(frame->statusPane(0)->text(), QStringLiteral("Ready"));
  }

  void fileCommandsAreEnabledAlikeEverywhereOnlyWithARowSelected() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    auto check = [&](bool enabled) {
      std::unique_ptr<QMenu> popup(frame->CreateHousePopupMenu());
      for (CommandId id : kRowCommands) {
        const auto name = QByteArray::number(static_cast<int>(id));
        QCOMPARE_EQ(frame->commands().action(id)->isEnabled(), enabled);
        if (QWidget* button = frame->toolBar()->widgetForAction(frame->commands().action(id)))
          QVERIFY2(button->isEnabled() == enabled, name);
        const QString popupText = QString::fromLatin1(FindCommand(id).menuText).remove('&').remove("...");
        QAction* item = popupText.isEmpty() ? nullptr : PopupAction(popup.get(), popupText);
        if (item != nullptr) QVERIFY2(item->isEnabled() == enabled, name);
      }
    };
    check(false);
    SelectRow(view, 1);
    QCOMPARE(view->currentFile(), std::string("kordex.365"));
    check(true);
    QVERIFY(frame->commands().action(CommandId::DeleteServiceCode)->isEnabled());

    SelectNode(view, -1);  // the root
    QCOMPARE(view->model()->rowCount(), 0);
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 'None' : 0 files"));
    QCOMPARE(view->currentServiceCode(), std::string("None"));
    check(false);
    QVERIFY(!frame->commands().action(CommandId::DeleteServiceCode)->isEnabled());
    QVERIFY(!frame->toolBar()->widgetForAction(frame->commands().action(CommandId::DeleteServiceCode))->isEnabled());
  }

  void delKeyRunsDeleteOnlyWithARowSelected() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    frame->activateWindow();
    view->FocusList();
    bool asked = false;
    QTest::keyClick(view->list(), Qt::Key_Delete);
    QVERIFY(boxes_->shown().empty());  // the disabled command did not even check the selection

    SelectRow(view, 0);
    QTest::keyClick(view->list(), Qt::Key_Down);  // arrow keys move the selection
    QCOMPARE(view->currentFile(), std::string("kordex.365"));
    testing::WhenModal<QDialog>([&](QDialog* dialog) {
      asked = dialog->findChild<QLabel*>("deleteQuestionLabel")->text().contains("kordex.365");
    });
    QTest::keyClick(view->list(), Qt::Key_Delete);
    QVERIFY(asked);
  }

  void rightClickOnEmptyListClearsTheSelectionAndShowsThePopup() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    SelectRow(view, 0);
    QAbstractItemView* list = view->list();
    const QPoint empty(list->viewport()->width() / 2, list->viewport()->height() - 5);
    QVERIFY(!list->indexAt(empty).isValid());
    emit list->customContextMenuRequested(empty);
    QCOMPARE(view->selectedRow(), -1);
    QCOMPARE(view->currentFile(), std::string());
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(popup != nullptr);
    QCOMPARE(popup->objectName(), QStringLiteral("HousePopupMenu"));
    QVERIFY(!PopupAction(popup, "Delete")->isEnabled());
    QVERIFY(PopupAction(popup, "&Details View")->isChecked());
    popup->close();

    const QPoint onRow = list->visualRect(list->model()->index(2, 0)).center();
    emit list->customContextMenuRequested(onRow);
    QCOMPARE(view->currentFile(), std::string("kordex.001"));
    popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(popup != nullptr);
    QVERIFY(PopupAction(popup, "Delete")->isEnabled());
    popup->close();
  }

  void viewModesSwitchTheListAndCarryTheRadioMark() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    SelectRow(view, 2);
    struct Case {
      CommandId id;
      const char* label;
      bool details;
      QListView::ViewMode mode;
      QListView::Flow flow;
    };
    const Case cases[] = {
        {CommandId::LargeIconView, "Large Icon", false, QListView::IconMode, QListView::LeftToRight},
        {CommandId::SmallIconView, "Small Icon", false, QListView::ListMode, QListView::LeftToRight},
        {CommandId::ListView, "List View", false, QListView::ListMode, QListView::TopToBottom},
        {CommandId::DetailsView, "Report View", true, QListView::ListMode, QListView::TopToBottom},
    };
    for (const Case& c : cases) {
      QVERIFY(frame->commands().Trigger(c.id));
      QCOMPARE(view->modeLabel(), QString::fromLatin1(c.label));
      QCOMPARE(view->list() == view->detailsList(), c.details);
      if (!c.details) {
        QCOMPARE(view->iconList()->viewMode(), c.mode);
        QCOMPARE(view->iconList()->flow(), c.flow);
      }
      for (const Case& other : cases)
        QCOMPARE(frame->commands().action(other.id)->isChecked(), other.id == c.id);
      QCOMPARE(view->currentFile(), std::string("kordex.001"));  // one selection for every mode
    }
  }

  void clickAndArrowKeysSelectAFileInEveryMode() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    struct Case {
      CommandId id;
      Qt::Key next;  // the arrow that moves to the following file
    };
    const Case cases[] = {{CommandId::LargeIconView, Qt::Key_Right},
                          {CommandId::SmallIconView, Qt::Key_Right},
                          {CommandId::ListView, Qt::Key_Down},
                          {CommandId::DetailsView, Qt::Key_Down}};
    for (const Case& c : cases) {
      frame->activateWindow();  // back from the last Delete dialog
      QVERIFY(QTest::qWaitForWindowActive(frame.get()));
      QVERIFY(frame->commands().Trigger(c.id));
      QAbstractItemView* list = view->list();
      list->selectionModel()->clearSelection();
      QCOMPARE(view->selectedRow(), -1);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
      QCOMPARE(view->selectedRow(), 1);
      QCOMPARE(view->currentFile(), std::string("kordex.365"));
      QVERIFY(frame->commands().action(CommandId::Delete)->isEnabled());

      list->setFocus();
      QTest::keyClick(list, c.next);
      QCOMPARE(view->currentFile(), std::string("kordex.001"));
      bool asked = false;
      testing::WhenModal<QDialog>([&](QDialog* dialog) {
        asked = dialog->findChild<QLabel*>("deleteQuestionLabel")->text().contains("kordex.001");
      });
      QTest::keyClick(list, Qt::Key_Delete);
      QVERIFY2(asked, qPrintable(view->modeLabel()));
    }
  }

  void viewModeItemsAreOneExclusiveGroupInEveryMenu() {
    auto frame = StartWithFiles();
    std::unique_ptr<QMenu> popup(frame->CreateHousePopupMenu());
    const CommandId modes[] = {CommandId::LargeIconView, CommandId::SmallIconView, CommandId::ListView,
                               CommandId::DetailsView};
    for (CommandId id : modes) {
      const std::vector<QAction*> actions = frame->commands().actions(id);
      QCOMPARE(actions.size(), std::size_t{2});  // the menu bar's (with the toolbar) and the pop-up's
      for (QAction* a : actions) {
        QVERIFY(a->actionGroup() != nullptr);
        QVERIFY(a->actionGroup()->isExclusive());
        QCOMPARE(a->actionGroup()->actions().size(), qsizetype{4});
      }
      QVERIFY(actions[0]->actionGroup() != actions[1]->actionGroup());
    }
  }

  void sortingOrdersNumbersAndDatesAndLeavesTheCatalogueAlone() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    frame->commands().Trigger(CommandId::SortBySize);
    QCOMPARE(testing::ColumnOf(view, 5), (QStringList{"9", "10", "100"}));
    frame->commands().Trigger(CommandId::SortByDatePrepare);
    QCOMPARE(testing::ColumnOf(view, 3), (QStringList{"31/12/1999", "01/01/2000", "02/01/2000"}));
    frame->commands().Trigger(CommandId::SortByDateRetrieve);
    QCOMPARE(testing::ColumnOf(view, 4), (QStringList{"07/12/2000", "05/01/2001", "06/01/2001"}));

    SelectRow(view, 0);  // the selection follows its file through a sort
    QCOMPARE(view->currentFile(), std::string("kordex.001"));
    view->detailsList()->header()->sectionClicked(0);
    const QStringList once = ListedNames(view);
    QCOMPARE(once, (QStringList{"kordex.001", "kordex.010", "kordex.365"}));
    view->detailsList()->header()->sectionClicked(0);
    QCOMPARE(ListedNames(view), once);
    QCOMPARE(view->currentFile(), std::string("kordex.001"));
    QCOMPARE(view->selectedRow(), 0);

    QCOMPARE(view->catalogue().file(0).fileName, std::string("kordex.010"));  // the table keeps its order
    view->FillList(0);
    QCOMPARE(ListedNames(view), (QStringList{"kordex.010", "kordex.365", "kordex.001"}));
  }

  void compareOrdersEveryColumnAsItsKindDemands() {
    auto entry = [](std::string name, std::string date, std::string size) {
      return store::FileEntry{std::move(name), "abc01", "Download Bill Payment", date, date, std::move(size), 0};
    };
    struct Case {
      store::FileEntry a, b;
      int column;
      int expected;
    };
    const Case cases[] = {
        {entry("kordex.009", "", "9"), entry("kordex.010", "", "10"), 5, -1},
        {entry("a", "", "10"), entry("b", "", "9"), 5, 1},
        {entry("a", "", "12abc"), entry("b", "", "12"), 5, 0},  // leading digits only
        {entry("a", "31/12/1999", ""), entry("b", "01/01/2000", ""), 3, -1},
        {entry("a", "01/02/2000", ""), entry("b", "02/01/2000", ""), 4, 1},
        {entry("a", "05/01/2000", ""), entry("b", "05/01/2000", ""), 3, 0},
        {entry("B", "", ""), entry("a", "", ""), 0, -1},  // ordinal, case-sensitive
        {entry("\xA1", "", ""), entry("z", "", ""), 0, 1},  // TIS-620 bytes after ASCII
        {entry("a", "", ""), entry("b", "", ""), 9, 0},
    };
    for (const Case& c : cases) QCOMPARE(CompareFileEntries(c.a, c.b, c.column), c.expected);
  }

  void layoutSplitsTheViewOneFifthToTheTree() {
    auto frame = StartWithFiles();
    CLumvexView* view = frame->view();
    view->resize(500, 300);
    QCOMPARE(view->tree()->geometry(), QRect(-1, 0, 101, 300));
    QCOMPARE(view->listArea()->geometry(), QRect(100, 0, 402, 300));
  }

  void barsHideAndShowAndPaneOneKeepsItsText() {
    auto frame = StartWithFiles();
    QVERIFY(frame->commands().action(CommandId::ViewStatusBar)->isChecked());
    frame->commands().Trigger(CommandId::ViewStatusBar);
    QVERIFY(frame->statusBar()->isHidden());
    QVERIFY(!frame->commands().action(CommandId::ViewStatusBar)->isChecked());
    frame->commands().Trigger(CommandId::ViewStatusBar);
    QVERIFY(!frame->statusBar()->isHidden());
    QCOMPARE(frame->statusPane(1)->text(), QStringLiteral("Service Code 'abc01' : 3 files"));
    frame->commands().Trigger(CommandId::ViewToolbar);
    QVERIFY(frame->toolBar()->isHidden());
    QVERIFY(!frame->commands().action(CommandId::ViewToolbar)->isChecked());
  }

  void setProgramSaysWhereNewVersionsComeFrom() {
    auto frame = StartWithFiles();
    SelectRow(frame->view(), 0);
    QVERIFY(frame->commands().Trigger(CommandId::SetProgram));
    QCOMPARE(boxes_->texts(), QStringList{"Please Contact ORQ for New Version Download"});
    QCOMPARE(boxes_->shown()[0].caption, QStringLiteral("ORQ Download Bill Payment  Version 1.05 :  Y2K Ready"));
    QCOMPARE(boxes_->shown()[0].icon, BoxIcon::None);
  }

  void aboutShowsTitleAndVersion() {
    auto frame = StartWithFiles();
    QString text;
    testing::WhenModal<QDialog>([&](QDialog* dialog) {
      text = dialog->windowTitle() + "|" + dialog->findChild<QLabel*>("titleLabel")->text();
      dialog->accept();
    });
    frame->commands().Trigger(CommandId::About);
    QCOMPARE(text, QStringLiteral("About Download|ORQ Download Bill Payment  Version 1.05 : Y2K Ready"));
  }

  void thaiBytesAreShownAsThaiLetters() {
    QCOMPARE(FromTis620("a\xA1\xDA\xDF\xFB"), QString::fromUtf8("a\u0E01\u0E3A\u0E3F\u0E5B"));
    QCOMPARE(FromTis620("\x80\x85\x97\xA0"), QString::fromUtf8("\u20AC\u2026\u2014\u00A0"));
    QCOMPARE(FromTis620("\xDB\xFC\x81"), QString(3, QChar(0xFFFD)));
    QCOMPARE(FromTis620(std::string_view("a\0b", 3)).size(), 3);

    store_->WriteCatalogue({"abc01"}, {{"\xA1\xA2.001", "abc01"}});
    auto frame = StartWindow(clock_);
    QCOMPARE(ListedNames(frame->view()), QStringList{QString::fromUtf8("\u0E01\u0E02.001")});
  }
};

}  // namespace lumvex::ui

QTEST_MAIN(lumvex::ui::MainWindowTest)
#include "main_window_test.moc"
