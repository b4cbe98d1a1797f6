#include "ui/command_set.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <algorithm>

#include "ui/icons.h"

namespace lumvex::ui {
namespace {

QString Text(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

QString ModeLabelOf(CommandId id) {
  switch (id) {
    case CommandId::LargeIconView:
      return QStringLiteral("Large Icon");
    case CommandId::SmallIconView:
      return QStringLiteral("Small Icon");
    case CommandId::ListView:
      return QStringLiteral("List View");
    case CommandId::DetailsView:
      return QStringLiteral("Report View");
    default:
      return {};
  }
}

}  // namespace

CommandSet::CommandSet(QWidget* window) : QObject(window) {
  for (const CommandSpec& spec : CommandTable()) {
    QAction* action = NewAction(spec.id, Text(spec.menuText), window);
    if (!spec.key.empty()) {
      action->setShortcut(QKeySequence(Text(spec.key)));
      action->setShortcutContext(Qt::WindowShortcut);
      window->addAction(action);  // the key works with the menu bar closed
    }
    if (!spec.icon.empty()) action->setIcon(LoadIcon(spec.icon));
    action->setToolTip(Text(ToolTipOf(spec)));
  }
}

QAction* CommandSet::NewAction(CommandId id, const QString& text, QObject* owner) {
  const CommandSpec& spec = FindCommand(id);
  auto* action = new QAction(text, owner);
  action->setObjectName(Text(spec.name) + QStringLiteral("Action"));
  action->setStatusTip(Text(PromptOf(spec)));
  action->setCheckable(spec.check != CheckRule::None);
  if (spec.check == CheckRule::ViewMode) {
    ViewModeGroup(owner)->addAction(action);
    action->setIconVisibleInMenu(false);  // an icon would stand where the radio mark goes
  }
  connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
  actions_[static_cast<int>(id)].emplace_back(action);
  Apply(action, spec);
  return action;
}

// The four view modes are one exclusive group in each menu, so they carry
// radio marks.
QActionGroup* CommandSet::ViewModeGroup(QObject* owner) {
  auto* group = owner->findChild<QActionGroup*>(QStringLiteral("viewModeGroup"), Qt::FindDirectChildrenOnly);
  if (group == nullptr) {
    group = new QActionGroup(owner);
    group->setObjectName(QStringLiteral("viewModeGroup"));
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  }
  return group;
}

QAction* CommandSet::action(CommandId id) const {
  const auto it = actions_.find(static_cast<int>(id));
  return it == actions_.end() || it->second.empty() ? nullptr : it->second.front().data();
}

std::vector<QAction*> CommandSet::actions(CommandId id) const {
  std::vector<QAction*> result;
  const auto it = actions_.find(static_cast<int>(id));
  if (it == actions_.end()) return result;
  for (const auto& a : it->second) {
    if (a) result.push_back(a.data());
  }
  return result;
}

void CommandSet::SetHandler(CommandId id, std::function<void()> handler) {
  handlers_[static_cast<int>(id)] = std::move(handler);
}

bool CommandSet::Trigger(CommandId id) {
  Refresh();
  QAction* main = action(id);
  const auto handler = handlers_.find(static_cast<int>(id));
  if (main == nullptr || !main->isEnabled() || handler == handlers_.end()) {
    Refresh();  // a checkable action toggled itself: put its mark back
    return false;
  }
  handler->second();
  Refresh();
  return true;
}

void CommandSet::Refresh() {
  if (stateSource_) state_ = stateSource_();
  for (auto& [id, list] : actions_) {
    const CommandSpec& spec = FindCommand(static_cast<CommandId>(id));
    for (const auto& a : list) {
      if (a) Apply(a.data(), spec);
    }
  }
}

void CommandSet::Apply(QAction* action, const CommandSpec& spec) const {
  switch (spec.enable) {
    case EnableRule::Always:
      action->setEnabled(true);
      break;
    case EnableRule::RowSelected:
      action->setEnabled(state_.selectedRow >= 0);
      break;
    case EnableRule::ServiceCodeSelected:
      action->setEnabled(state_.selectedServiceCode >= 0);
      break;
  }
  switch (spec.check) {
    case CheckRule::None:
      break;
    case CheckRule::BarShown:
      action->setChecked(spec.id == CommandId::ViewToolbar ? state_.toolbarShown : state_.statusBarShown);
      break;
    case CheckRule::ViewMode:
      action->setChecked(state_.modeLabel == ModeLabelOf(spec.id));
      break;
  }
}

void CommandSet::FillMenu(QMenu* menu, std::span<const MenuEntry>& entries, bool menuBar) {
  while (!entries.empty()) {
    const MenuEntry entry = entries.front();
    entries = entries.subspan(1);
    switch (entry.kind) {
      case MenuEntry::Close:
        return;
      case MenuEntry::Separator:
        menu->addSeparator();
        break;
      case MenuEntry::Open: {
        QMenu* sub = menu->addMenu(Text(entry.title));
        connect(sub, &QMenu::aboutToShow, this, &CommandSet::Refresh);
        FillMenu(sub, entries, menuBar);
        break;
      }
      case MenuEntry::Item:
        if (menuBar) {
          menu->addAction(action(entry.id));
        } else {
          // The pop-up has texts of its own and no keys, so it gets actions of its own.
          const QString text = entry.title.empty() ? Text(FindCommand(entry.id).menuText) : Text(entry.title);
          menu->addAction(NewAction(entry.id, text, menu));
        }
        break;
    }
  }
}

void CommandSet::FillMenuBar(QMenuBar* bar) {
  std::span<const MenuEntry> entries = MenuBarLayout();
  while (!entries.empty()) {
    const MenuEntry entry = entries.front();
    entries = entries.subspan(1);
    if (entry.kind != MenuEntry::Open) continue;
    QMenu* menu = bar->addMenu(Text(entry.title));
    connect(menu, &QMenu::aboutToShow, this, &CommandSet::Refresh);
    FillMenu(menu, entries, true);
  }
}

void CommandSet::FillToolBar(QToolBar* bar) {
  std::vector<const CommandSpec*> buttons;
  for (const CommandSpec& spec : CommandTable()) {
    if (spec.button > 0) buttons.push_back(&spec);
  }
  std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->button < b->button; });
  const auto separators = ToolbarSeparatorsAfter();
  for (const CommandSpec* spec : buttons) {
    bar->addAction(action(spec->id));
    if (std::find(separators.begin(), separators.end(), spec->button) != separators.end()) bar->addSeparator();
  }
}

QMenu* CommandSet::CreateHousePopupMenu(QWidget* parent) {
  auto* popup = new QMenu(parent);
  popup->setObjectName(QStringLiteral("HousePopupMenu"));
  for (auto& [id, list] : actions_) std::erase_if(list, [](const QPointer<QAction>& a) { return a.isNull(); });
  std::span<const MenuEntry> entries = HousePopupMenuLayout();
  FillMenu(popup, entries, false);
  Refresh();
  return popup;
}

}  // namespace lumvex::ui
