#pragma once

#include <QMainWindow>
#include <memory>

#include "app/workspace.h"
#include "core/clock.h"
#include "ui/command_set.h"
#include "ui/qt_message_port.h"

class QLabel;
class QPrinter;
class QToolBar;

namespace lumvex::ui {

class CLumvexView;
class LinkCommands;
class ReportCommands;
class StoreCommands;

// The main window: menu bar, toolbar and status bar around the explorer view.
// Every command lives in commands(); later parts of the program add their
// handlers there with CommandSet::SetHandler.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(const Clock& clock = SystemClock::Instance(), QWidget* parent = nullptr);
  ~CMainFrame() override;

  CLumvexView* view() const { return view_; }
  app::Workspace& workspace() { return workspace_; }
  CommandSet& commands() { return *commands_; }
  QtMessagePort& messages() { return messages_; }
  const Clock& clock() const { return clock_; }
  StoreCommands& storeCommands() { return *storeCommands_; }
  QToolBar* toolBar() const { return toolBar_; }
  // Pane 0: idle text and prompts; 1: the view's status; 2, 3: Caps Lock, Num Lock.
  QLabel* statusPane(int index) const;
  // The printer Print Setup chooses and the print commands use.
  QPrinter& printer();
  // "HousePopupMenu" for the list, owned by the caller.
  QMenu* CreateHousePopupMenu();

 protected:
  bool event(QEvent* event) override;

 private:
  void OnCreate();
  void CreateView();
  void RegisterHandlers();
  void ShowPopupMenu(const QPoint& globalPos);
  CommandState CurrentState() const;

  const Clock& clock_;
  QtMessagePort messages_;
  app::Workspace workspace_;
  CommandSet* commands_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* panes_[4] = {};
  CLumvexView* view_ = nullptr;
  std::unique_ptr<StoreCommands> storeCommands_;
  std::unique_ptr<LinkCommands> linkCommands_;
  std::unique_ptr<ReportCommands> reportCommands_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace lumvex::ui
