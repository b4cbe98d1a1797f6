#pragma once

// Texts of the main window that more than one class shows.
namespace lumvex::ui {

// Caption of every message box that names no caption of its own.
inline constexpr char kAppTitle[] = "ORQ Download Bill Payment  Version 1.05 :  Y2K Ready";
// The main window's title; its spacing differs from kAppTitle on purpose.
inline constexpr char kWindowTitle[] = "ORQ Download Bill Payment  Version 1.05 : Y2K Ready  ";
inline constexpr char kIdleText[] = "Ready";
inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kWarningCaption[] = "Warning";
inline constexpr char kConfirmDeleteCaption[] = "Confirm to Delete";

}  // namespace lumvex::ui
