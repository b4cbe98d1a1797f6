#pragma once

class QWidget;

namespace lumvex::ui {

class CLumvexView;

// The window's side of the store commands: Add and Delete Service Code, and
// Delete, Copy, Properties and Import of a file. Each shows its dialogs,
// runs the command in app/ on the view's workspace and gives the focus back.
class StoreCommands {
 public:
  StoreCommands(CLumvexView& view, QWidget* dialogParent) : view_(view), parent_(dialogParent) {}

  void AddServiceCode();
  void DeleteServiceCode();
  void DeleteFile();
  void CopyFile();
  void Properties();
  void Import();

 private:
  CLumvexView& view_;
  QWidget* parent_;
};

}  // namespace lumvex::ui
