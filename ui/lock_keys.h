#pragma once

#include <QObject>

class QLabel;

namespace lumvex::ui {

// Keeps the Caps Lock and Num Lock panes of the status bar: "CAP" and "NUM"
// while the lock is on. The state is read from the X server; on a platform
// without one the panes stay blank.
class LockKeyIndicators : public QObject {
  Q_OBJECT

 public:
  LockKeyIndicators(QLabel* capsPane, QLabel* numPane, QObject* parent);
  void Update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* caps_;
  QLabel* num_;
};

}  // namespace lumvex::ui
