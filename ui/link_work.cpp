#include "ui/link_work.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QWidget>
#include <thread>

#include "ui/countdown_dialogs.h"
#include "print/thai_text.h"

namespace lumvex::ui {

void RunLinkWork(const std::function<void()>& work) {
  QEventLoop loop;
  std::thread worker([&] {
    work();
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
}

CountdownMessagePort::CountdownMessagePort(QWidget* dialog, std::function<void(const QString&)> statusSink)
    : dialog_(dialog), statusSink_(std::move(statusSink)) {}

void RunOnThreadOf(QObject* target, const std::function<void()>& step) {
  if (QThread::currentThread() == target->thread()) {
    step();
  } else {
    QMetaObject::invokeMethod(target, step, Qt::BlockingQueuedConnection);
  }
}

void CountdownMessagePort::Show(MessageStyle style, std::string_view text) {
  const QString shown = FromTis620(text);
  RunOnThreadOf(this, [&] { CountdownDialogs::ShowMessage(dialog_, shown, style == MessageStyle::Done); });
}

bool CountdownMessagePort::Confirm(std::string_view /*text*/) {
  bool goAhead = false;
  RunOnThreadOf(this, [&] { goAhead = CountdownDialogs::Confirm(dialog_); });
  return goAhead;
}

void CountdownMessagePort::SetStatus(std::string_view text) {
  const QString shown = FromTis620(text);
  RunOnThreadOf(this, [&] {
    if (statusSink_) statusSink_(shown);
  });
}

}  // namespace lumvex::ui
