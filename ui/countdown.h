#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace lumvex::ui {

// The window timers of the self-closing dialogs and the link dialogs' idle
// countdowns: timer 1 fires once the whole count has passed, timer 2 every
// second in between. The length of a second can be shortened for tests.
class Countdown : public QObject {
  Q_OBJECT

 public:
  explicit Countdown(QObject* parent = nullptr);

  // Counts `seconds` down from now: timer 1 after all of them, timer 2 each second.
  void Start(int seconds);
  void Stop();
  bool running() const { return expiry_.isActive(); }
  int remaining() const { return remaining_; }

  static std::chrono::milliseconds Second();
  static void SetSecond(std::chrono::milliseconds second);

 signals:
  // Timer 2, after the count went down by one.
  void ticked(int remaining);
  // Timer 1.
  void expired();

 private:
  QTimer expiry_;
  QTimer tick_;
  int remaining_ = 0;
};

// "  Time Left   :   MM:SS", never below 00:00.
QString TimeLeftText(int seconds);

}  // namespace lumvex::ui
