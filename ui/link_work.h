#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/message_port.h"

class QWidget;

namespace lumvex::ui {

// Runs link work (the PAD calls block for up to a minute) on a thread of its
// own while the user-interface thread waits in an event loop that takes no
// user input: the window repaints and shows each status text, and nothing
// can be clicked until the work is done.
void RunLinkWork(const std::function<void()>& work);

// Runs `step` on the thread of `target` (the user-interface thread) and
// waits for it; at once when called there.
void RunOnThreadOf(QObject* target, const std::function<void()>& step);

// The message port of a link dialog and of the link work under it: messages
// in CErrorDlg (information mode for a completed transaction), questions in
// CConfirmDlg, status texts in the dialog's status line. Called from the
// link work, each is shown on the user-interface thread and the work waits
// for its answer.
class CountdownMessagePort : public QObject, public MessagePort {
  Q_OBJECT

 public:
  CountdownMessagePort(QWidget* dialog, std::function<void(const QString&)> statusSink);

  void Show(MessageStyle style, std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void SetStatus(std::string_view text) override;

 private:
  QWidget* dialog_;
  std::function<void(const QString&)> statusSink_;
};

}  // namespace lumvex::ui
