#include "ui/command_table.h"

#include <algorithm>
#include <cstdlib>

namespace lumvex::ui {
namespace {

using C = CommandId;
using E = EnableRule;
using K = CheckRule;

constexpr CommandSpec kCommands[] = {
    {C::Download, "download", "&Download...", 1, "download", "", "Download\nDownload", E::Always, K::None},
    {C::Delete, "delete", "D&elete...", 2, "delete", "Del", "Delete\nDelete", E::RowSelected, K::None},
    {C::Copy, "copy", "&Copy...", 3, "copy", "", "Copy\nCopy", E::RowSelected, K::None},
    {C::DeleteServiceCode, "deleteServiceCode", "De&lete Service...", 5, "delete_service", "",
     "Delete Service Code\nDelete Service Code", E::ServiceCodeSelected, K::None},
    {C::AddServiceCode, "addServiceCode", "&Add Service...", 4, "add_service", "", "Add Service Code\nAdd Service Code", E::Always,
     K::None},
    {C::Import, "import", "&Import...", 0, "", "", "Import file kordem\nImport file kordem", E::Always, K::None},
    {C::Properties, "properties", "&Properties...", 6, "properties", "", "Displays the properties\nProperties", E::RowSelected,
     K::None},
    {C::Exit, "exit", "E&xit", 0, "", "", "Quit the application", E::Always, K::None},
    {C::ViewToolbar, "viewToolbar", "&Toolbar", 0, "", "", "Show or hide the toolbar\nToggle ToolBar", E::Always, K::BarShown},
    {C::ViewStatusBar, "viewStatusBar", "&Status Bar", 0, "", "", "Show or hide the status bar\nToggle StatusBar", E::Always,
     K::BarShown},
    {C::LargeIconView, "largeIconView", "&Large Icon View", 12, "large_icons", "",
     "Displays the listing in large icon view\nLarge Icon", E::Always, K::ViewMode},
    {C::SmallIconView, "smallIconView", "&Small Icon View", 13, "small_icons", "",
     "Displays the listing in small icon view\nSmall Icon", E::Always, K::ViewMode},
    {C::ListView, "listView", "List &View", 14, "list", "", "Displays the listing in list view\nList", E::Always, K::ViewMode},
    {C::DetailsView, "detailsView", "&Details View", 15, "details", "", "Displays the listing in details view\nDetails", E::Always,
     K::ViewMode},
    {C::SortByName, "sortByName", "by Name", 0, "", "", "Sort items by name.", E::Always, K::None},
    {C::SortByDatePrepare, "sortByDatePrepare", "by Date Prepare", 0, "", "", "Sorts items by date prepare.", E::Always, K::None},
    // Its string carries another identifier, so this one has no prompt.
    {C::SortByDateRetrieve, "sortByDateRetrieve", "By Date Retrieve", 0, "", "", "", E::Always, K::None},
    {C::SortBySize, "sortBySize", "by Size", 0, "", "", "Sorts items by size.", E::Always, K::None},
    {C::Print, "print", "&Print...", 7, "print", "", "Print\nPrint", E::RowSelected, K::None},
    {C::PrintPreview, "printPreview", "Print Pre&view...", 8, "print_preview", "", "Print Preview\nPrint Preview", E::RowSelected,
     K::None},
    {C::PrintSetup, "printSetup", "&P&rint Setup...", 0, "", "", "Print Setup", E::Always, K::None},
    {C::SetDevice, "setDevice", "&Set Device...", 9, "set_device", "", "Set Device\nSet Device", E::Always, K::None},
    {C::ChangePassword, "changePassword", "&Change Password...", 10, "change_password", "", "Change Password\nChange Password",
     E::Always, K::None},
    {C::SetProgram, "setProgram", "Set &Program...", 11, "set_program", "", "Set Program\nSet Program", E::RowSelected, K::None},
    {C::About, "about", "&About Download...", 0, "", "", "About Download", E::Always, K::None},
    {C::ReportView, "reportView", "", 0, "", "", "Report View\nReport View", E::RowSelected, K::None},
};

constexpr int kSeparatorsAfter[] = {3, 5, 6, 8, 9, 10, 11};

using M = MenuEntry;
constexpr M Item(CommandId id, std::string_view text = {}) { return {M::Item, id, text}; }
constexpr M Open(std::string_view title) { return {M::Open, C::Exit, title}; }
constexpr M kSep{M::Separator};
constexpr M kClose{M::Close};

constexpr M kMenuBar[] = {
    Open("&File"),
    Item(C::Download), Item(C::Delete), Item(C::Copy), kSep,
    Item(C::DeleteServiceCode), Item(C::AddServiceCode), kSep,
    Item(C::Import), kSep,
    Item(C::Properties), kSep,
    Item(C::Exit),
    kClose,
    Open("&View"),
    Item(C::ViewToolbar), Item(C::ViewStatusBar), kSep,
    Item(C::LargeIconView), Item(C::SmallIconView), Item(C::ListView), Item(C::DetailsView), kSep,
    Open("Arrange Icons"),
    Item(C::SortByName), Item(C::SortByDatePrepare), Item(C::SortByDateRetrieve), Item(C::SortBySize),
    kClose,
    kClose,
    Open("&Print"),
    Item(C::Print), Item(C::PrintPreview), Item(C::PrintSetup),
    kClose,
    Open("&Setup"),
    Item(C::SetDevice), Item(C::ChangePassword), Item(C::SetProgram),
    kClose,
    Open("&Help"),
    Item(C::About),
    kClose,
};

constexpr M kHousePopup[] = {
    Open("View"),
    Item(C::LargeIconView), Item(C::SmallIconView), Item(C::ListView), Item(C::DetailsView),
    kClose,
    kSep,
    Open("Arrange Icons"),
    Item(C::SortByName), Item(C::SortByDatePrepare), Item(C::SortByDateRetrieve), Item(C::SortBySize),
    kClose,
    kSep,
    Item(C::Delete, "Delete"), Item(C::Copy, "Copy"),
    kSep,
    Item(C::PrintPreview, "Print Preview"), Item(C::Print, "Print"),
    kSep,
    Item(C::Properties, "Properties"),
};

}  // namespace

std::span<const CommandSpec> CommandTable() { return kCommands; }

const CommandSpec& FindCommand(CommandId id) {
  const auto* it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const auto& c) { return c.id == id; });
  if (it == std::end(kCommands)) std::abort();  // every identifier of CommandId has a row
  return *it;
}

std::string_view PromptOf(const CommandSpec& spec) { return spec.strings.substr(0, spec.strings.find('\n')); }

std::string_view ToolTipOf(const CommandSpec& spec) {
  const auto newline = spec.strings.find('\n');
  return newline == std::string_view::npos ? std::string_view{} : spec.strings.substr(newline + 1);
}

std::span<const int> ToolbarSeparatorsAfter() { return kSeparatorsAfter; }
std::span<const MenuEntry> MenuBarLayout() { return kMenuBar; }
std::span<const MenuEntry> HousePopupMenuLayout() { return kHousePopup; }

}  // namespace lumvex::ui
