// The time limit of one launch and the test of a timer expiry, window-free.
#pragma once
#include <cstdint>

// off_tim plus size / off_size (32-bit division truncating toward zero), or
// off_tim alone when off_size is 0. Every overflow wraps in 32 bits, as the
// original arithmetic does; INT_MIN / -1 gives INT_MIN.
int32_t TimeLimitSeconds(int32_t offTim, int32_t offSize, int32_t size);

// Timer period for a limit: the 32-bit product limit x 1000, wrapped.
uint32_t TimerPeriodMs(int32_t limitSeconds);

// What the worker recorded when it last armed the time-limit timer.
struct TimerArming {
  uint32_t launch;     // serial of the launch the timer was armed for; 0 = never
  uint64_t armedAtMs;  // tick count at arming
  uint32_t periodMs;
};

// Whether a timer expiry delivered at nowMs belongs to the program of launch
// currentLaunch. An expiry of a timer armed for an earlier launch does not,
// nor does one delivered clearly before the current arming's period has run
// (a stale expiry that came due before the timer was re-armed).
bool ExpiryBelongsToLaunch(const TimerArming& arming, uint32_t currentLaunch, uint64_t nowMs);
