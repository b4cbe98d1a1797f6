#include "ui/countdown.h"

#include <algorithm>

namespace lumvex::ui {
namespace {

std::chrono::milliseconds& SecondLength() {
  static std::chrono::milliseconds second{1000};
  return second;
}

}  // namespace

Countdown::Countdown(QObject* parent) : QObject(parent) {
  expiry_.setSingleShot(false);
  connect(&expiry_, &QTimer::timeout, this, &Countdown::expired);
  connect(&tick_, &QTimer::timeout, this, [this] {
    --remaining_;
    emit ticked(remaining_);
  });
}

void Countdown::Start(int seconds) {
  remaining_ = seconds;
  const auto second = static_cast<int>(Second().count());
  expiry_.start(seconds * second);
  tick_.start(second);
}

void Countdown::Stop() {
  expiry_.stop();
  tick_.stop();
}

std::chrono::milliseconds Countdown::Second() { return SecondLength(); }
void Countdown::SetSecond(std::chrono::milliseconds second) { SecondLength() = second; }

QString TimeLeftText(int seconds) {
  seconds = std::max(seconds, 0);
  return QStringLiteral("  Time Left   :   %1:%2")
      .arg(seconds / 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace lumvex::ui
