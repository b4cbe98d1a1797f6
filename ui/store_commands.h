#pragma once

#include "core/clock.h"
#include "core/message_port.h"

class QWidget;

namespace lumvex::ui {

class CLumvexView;

// The commands that change the store or show what it holds: Add and Delete
// Service Code, and Delete, Copy, Properties and Import of a file. Each works
// on the view's selection and catalogue and reports through the message port.
class StoreCommands {
 public:
  StoreCommands(CLumvexView& view, MessagePort& messages, const Clock& clock, QWidget* dialogParent)
      : view_(view), messages_(messages), clock_(clock), parent_(dialogParent) {}

  void AddServiceCode();
  void DeleteServiceCode();
  void DeleteFile();
  void CopyFile();
  void Properties();
  void Import();

 private:
  CLumvexView& view_;
  MessagePort& messages_;
  const Clock& clock_;
  QWidget* parent_;
};

}  // namespace lumvex::ui
