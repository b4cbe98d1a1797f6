#pragma once

class QWidget;

namespace lumvex::ui {

// The dialog templates place their controls in dialog units of an 8-point
// font. Where this system's font draws a label wider than its place, the
// label grows (to the left when right-aligned) and the form with it, so that
// no text is cut.
void FitTemplateLabels(QWidget* form);

}  // namespace lumvex::ui
