#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/message_port.h"

namespace lumvex::ui {

// The message port of the main window: message boxes in the three styles,
// and the status text of the explorer view.
class QtMessagePort : public MessagePort {
 public:
  explicit QtMessagePort(QWidget* parent = nullptr) : parent_(parent) {}

  void SetParent(QWidget* parent) { parent_ = parent; }
  void SetStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }

  // Plain and Done: OK only, no icon, the application title. Failure: "Error"
  // and the exclamation icon.
  void Show(MessageStyle style, std::string_view text) override;
  // Exclamation beep, then "Confirm to Delete" with OK and Cancel.
  bool Confirm(std::string_view text) override;
  void SetStatus(std::string_view text) override;

 private:
  QPointer<QWidget> parent_;
  std::function<void(const QString&)> statusSink_;
};

}  // namespace lumvex::ui
