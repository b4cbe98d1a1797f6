#include "core/pacing.h"

#include <thread>

namespace lumvex {

void SleepingPacer::Wait(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace lumvex
