#pragma once

// The window's icons. Each one is drawn from res/icons/<name>.svg into PNGs at
// build time, one for every size the window shows it at, so start-up parses no
// SVG and the pixels are the same as rendering the SVG at that size.
#include <QIcon>
#include <string_view>

namespace lumvex::ui {

// The icon `name` at every rendered size; `selected`, when given, names the
// icon shown in the Selected mode. Null when `name` has no rendered PNGs.
QIcon LoadIcon(std::string_view name, std::string_view selected = {});

}  // namespace lumvex::ui
