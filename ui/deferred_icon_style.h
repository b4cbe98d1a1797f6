#pragma once

// Start-up help: the style's standard icons are built when they are first
// drawn. The menu bar and the toolbar each ask for one as they are made (for
// the overflow button most windows never show), and building it loads every
// image-format plugin Qt has.
namespace lumvex::ui {

// Puts the application's style behind a proxy that defers its standard
// icons. Looks the same; does nothing when already in place.
void InstallDeferredIconStyle();

}  // namespace lumvex::ui
