#include "pad/deadline.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace lumvex::pad {

namespace {

std::optional<long> EnvMilliseconds(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  long value = 0;
  const char* end = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, end, value);
  if (ec != std::errc() || ptr != end || value < 0) return std::nullopt;
  return value;
}

}  // namespace

int Deadline::RemainingMs() const {
  const auto left = at_ - SteadyClock::now();
  if (left <= SteadyClock::duration::zero()) return 0;
  const auto ms = std::chrono::ceil<Milliseconds>(left).count();
  return static_cast<int>(std::min<long long>(ms, std::numeric_limits<int>::max()));
}

Milliseconds WaitLimit(Milliseconds nominal) {
  const auto cap = EnvMilliseconds("PADX25_WAIT_MS");
  if (!cap) return nominal;
  return std::min(nominal, Milliseconds(*cap));
}

Milliseconds GuardTime() { return Milliseconds(EnvMilliseconds("PADX25_GUARD_MS").value_or(1000)); }

}  // namespace lumvex::pad
