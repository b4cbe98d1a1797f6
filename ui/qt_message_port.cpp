#include "ui/qt_message_port.h"

#include "ui/app_strings.h"
#include "ui/message_box.h"
#include "print/thai_text.h"

namespace lumvex::ui {

void QtMessagePort::Show(MessageStyle style, std::string_view text) {
  if (style == MessageStyle::Failure) {
    MessageBoxes::Show(parent_, kErrorCaption, FromTis620(text), BoxIcon::Exclamation);
  } else if (style == MessageStyle::Warning) {
    MessageBoxes::Show(parent_, kWarningCaption, FromTis620(text), BoxIcon::Exclamation);
  } else {
    MessageBoxes::Show(parent_, kAppTitle, FromTis620(text), BoxIcon::None);
  }
}

bool QtMessagePort::Confirm(std::string_view text) {
  MessageBoxes::Beep();
  return MessageBoxes::Ask(parent_, kConfirmDeleteCaption, FromTis620(text), BoxIcon::Exclamation);
}

void QtMessagePort::SetStatus(std::string_view text) {
  if (statusSink_) statusSink_(FromTis620(text));
}

}  // namespace lumvex::ui
