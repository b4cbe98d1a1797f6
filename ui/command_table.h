#pragma once

#include <span>
#include <string_view>

// Every command of the window as data: the menu bar, the toolbar, the list's
// pop-up menu, the keys, the prompts, the tool tips and the enabling rules are
// all built from these tables.
namespace lumvex::ui {

enum class CommandId : int {
  Download = 32783,
  Delete = 32785,
  Copy = 32786,
  DeleteServiceCode = 32837,
  AddServiceCode = 32794,
  Import = 32838,
  Properties = 32774,
  Exit = 57665,
  ViewToolbar = 59392,
  ViewStatusBar = 59393,
  LargeIconView = 32775,
  SmallIconView = 32776,
  ListView = 32777,
  DetailsView = 32778,
  SortByName = 32832,
  SortByDatePrepare = 32833,
  SortByDateRetrieve = 32836,
  SortBySize = 32834,
  Print = 32790,
  PrintPreview = 32828,
  PrintSetup = 57606,
  SetDevice = 32787,
  ChangePassword = 32788,
  SetProgram = 32789,
  About = 57664,
  ReportView = 32791,
};

enum class EnableRule {
  Always,
  RowSelected,          // a list row is selected
  ServiceCodeSelected,  // a Service Code node is selected in the tree
};

enum class CheckRule {
  None,
  BarShown,  // check mark while its bar is shown
  ViewMode,  // radio mark while the list is in this mode
};

struct CommandSpec {
  CommandId id;
  std::string_view name;      // what the command does, for object names ("download")
  std::string_view menuText;  // menu bar and pop-up text; empty: in no menu
  int button;                 // toolbar position 1-15; 0: no button
  std::string_view icon;      // picture of the button, in the resources
  std::string_view key;       // shortcut, as QKeySequence reads it
  std::string_view strings;   // "prompt\ntool tip"; the prompt goes to status pane 0
  EnableRule enable;
  CheckRule check;
};

std::span<const CommandSpec> CommandTable();
const CommandSpec& FindCommand(CommandId id);
std::string_view PromptOf(const CommandSpec& spec);
std::string_view ToolTipOf(const CommandSpec& spec);
// The toolbar's buttons in order, with a separator after the listed positions.
std::span<const int> ToolbarSeparatorsAfter();

// A menu written as a flat list: Open starts a submenu (title), Close ends it.
struct MenuEntry {
  enum Kind { Item, Separator, Open, Close };
  Kind kind;
  CommandId id = CommandId::Exit;
  std::string_view title = {};  // Open: the submenu's title; Item: a text other than the menu bar's
};

std::span<const MenuEntry> MenuBarLayout();
// "HousePopupMenu": the list's pop-up menu (the contents of its one submenu).
std::span<const MenuEntry> HousePopupMenuLayout();

}  // namespace lumvex::ui
