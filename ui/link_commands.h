#pragma once

class QWidget;

namespace lumvex::ui {

class CLumvexView;

// The window's host-link commands: Download (the dialog shown again and
// again, each stored file recorded), Change Password and Set Device.
class LinkCommands {
 public:
  LinkCommands(CLumvexView& view, QWidget* dialogParent) : view_(view), parent_(dialogParent) {}

  void Download();
  void ChangePassword();
  void SetDevice();

 private:
  CLumvexView& view_;
  QWidget* parent_;
};

}  // namespace lumvex::ui
