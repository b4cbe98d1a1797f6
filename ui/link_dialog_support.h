#pragma once

#include <QString>
#include <string>

#include "link/pad_port.h"

class QComboBox;
class QLineEdit;

namespace lumvex::app {
class Workspace;
}

// What the Download and Change Password dialogs share.
namespace lumvex::ui {

// 1 while the Change Password dialog runs on behalf of the Download dialog.
int& FromDownload();

// The PAD library the window dials with, for the whole run; a benchmark may
// put a counting one in its place.
link::PadPort& WindowPad();
void SetWindowPad(link::PadPort* pad);

// Fills the Service Code list from download.log's first part and selects
// the current Service Code; when it is not there, the entry selected
// before stays (the first one for a new list).
void FillServiceCodeList(QComboBox* list, const app::Workspace& workspace);

// At most `count` digits.
void AcceptDigitsOnly(QLineEdit* edit, int count);

// The field's text as the 8-bit bytes the link sends.
std::string FieldText(const QLineEdit* edit);
std::string ListText(const QComboBox* list);

// The countdowns of the link dialogs, in seconds.
inline constexpr int kDownloadIdleSeconds = 210;
inline constexpr int kChangePasswordIdleSeconds = 60;
inline constexpr int kMessageUpPostponement = 30;

}  // namespace lumvex::ui
