#include "runner/time_limit.h"

#include <algorithm>

int32_t TimeLimitSeconds(int32_t offTim, int32_t offSize, int32_t size) {
  uint32_t quotient = 0;
  if (offSize == -1) {
    // size / -1 is -size; negating in unsigned arithmetic makes INT_MIN wrap
    // to itself instead of trapping.
    quotient = 0u - static_cast<uint32_t>(size);
  } else if (offSize != 0) {
    quotient = static_cast<uint32_t>(size / offSize);
  }
  return static_cast<int32_t>(quotient + static_cast<uint32_t>(offTim));
}

uint32_t TimerPeriodMs(int32_t limitSeconds) { return static_cast<uint32_t>(limitSeconds) * 1000u; }

bool ExpiryBelongsToLaunch(const TimerArming& arming, uint32_t currentLaunch, uint64_t nowMs) {
  if (arming.launch == 0 || arming.launch != currentLaunch) return false;
  // Timers never fire early, but the tick count and the timer may differ by
  // a scheduler tick or two.
  constexpr uint64_t kSlackMs = 50;
  // The system clamps longer periods to USER_TIMER_MAXIMUM.
  constexpr uint64_t kLongestPeriodMs = 0x7FFFFFFF;
  uint64_t period = std::min<uint64_t>(arming.periodMs, kLongestPeriodMs);
  uint64_t elapsed = nowMs - std::min(nowMs, arming.armedAtMs);  // 0 for a clock that went back
  return elapsed + kSlackMs >= period;
}
