#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "ui/command_table.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace lumvex::ui {

// What the enabling rules look at.
struct CommandState {
  int selectedRow = -1;
  int selectedServiceCode = -1;
  QString modeLabel;
  bool toolbarShown = true;
  bool statusBarShown = true;
};

// The window's commands at run time: one QAction per command for the menu bar,
// the toolbar and the keys, more for the pop-up menu, one handler per command.
class CommandSet : public QObject {
  Q_OBJECT

 public:
  explicit CommandSet(QWidget* window);

  // The action of the menu bar, the toolbar and the key.
  QAction* action(CommandId id) const;
  // Every action that issues the command (menu bar, toolbar, pop-up menus).
  std::vector<QAction*> actions(CommandId id) const;

  void SetHandler(CommandId id, std::function<void()> handler);
  bool HasHandler(CommandId id) const { return handlers_.count(static_cast<int>(id)) != 0; }
  // Runs the handler when the command is enabled; false when it did not run.
  bool Trigger(CommandId id);

  // Where the enabling rules get their values; asked again before a menu opens.
  void SetStateSource(std::function<CommandState()> source) { stateSource_ = std::move(source); }
  void Refresh();

  void FillMenuBar(QMenuBar* bar);
  void FillToolBar(QToolBar* bar);
  // "HousePopupMenu", built anew for each right click; the caller owns it.
  QMenu* CreateHousePopupMenu(QWidget* parent);

 private:
  QAction* NewAction(CommandId id, const QString& text, QObject* owner);
  static QActionGroup* ViewModeGroup(QObject* owner);
  void FillMenu(QMenu* menu, std::span<const MenuEntry>& entries, bool menuBar);
  void Apply(QAction* action, const CommandSpec& spec) const;

  std::map<int, std::vector<QPointer<QAction>>> actions_;
  std::map<int, std::function<void()>> handlers_;
  std::function<CommandState()> stateSource_;
  CommandState state_;
};

}  // namespace lumvex::ui
