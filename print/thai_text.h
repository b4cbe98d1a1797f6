#pragma once

#include <QString>
#include <string_view>

namespace lumvex::ui {

// File data is 8-bit TIS-620 (code page 874) from end to end; this is the one
// place it becomes Unicode, wherever the window shows it. Bytes that code page
// 874 leaves unassigned show as U+FFFD.
QString FromTis620(std::string_view bytes);

}  // namespace lumvex::ui
