#include "hostsim/outbox.h"

#include <algorithm>

namespace lumvex::hostsim {

Outbox::Outbox(int bitsPerSecond) {
  if (bitsPerSecond > 0) {
    byteTime_ = std::chrono::duration_cast<SimClock::duration>(std::chrono::seconds(10)) / bitsPerSecond;
  }
}

void Outbox::Send(std::string_view bytes, SimClock::time_point notBefore) {
  if (!bytes.empty()) items_.push_back({notBefore, std::string(bytes)});
}

std::string Outbox::TakeDue(SimClock::time_point now) {
  std::string due;
  while (!items_.empty()) {
    Item& front = items_.front();
    const auto start = std::max(front.notBefore, lineFreeAt_);
    if (start > now) break;
    std::size_t count = front.bytes.size();
    if (byteTime_ > SimClock::duration::zero()) {
      const auto fit = static_cast<std::size_t>((now - start) / byteTime_) + 1;
      count = std::min(count, fit);
      lineFreeAt_ = start + byteTime_ * static_cast<long>(count);
    }
    due.append(front.bytes, 0, count);
    front.bytes.erase(0, count);
    if (!front.bytes.empty()) break;
    items_.pop_front();
  }
  return due;
}

std::optional<SimClock::time_point> Outbox::NextDue() const {
  if (items_.empty()) return std::nullopt;
  return std::max(items_.front().notBefore, lineFreeAt_);
}

}  // namespace lumvex::hostsim
