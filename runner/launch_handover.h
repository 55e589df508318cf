// How the worker hands the current Job's program to the main thread.
//
// The worker holds LaunchLock while it re-tests `running`, launches, arms the
// time limit and clears `launched` after the program has ended. The main
// thread holds it only to take its own duplicate of the process handle, so it
// never acts on a handle the worker has closed, and the process id stays
// reserved while that duplicate is open.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runner/time_limit.h"

class LaunchLock {
 public:
  LaunchLock();  // the main thread keeps handling sent messages while it waits
  ~LaunchLock();
  LaunchLock(const LaunchLock&) = delete;
  LaunchLock& operator=(const LaunchLock&) = delete;
};

// Guarded by LaunchLock.
extern uint32_t g_launchSerial;    // serial of the newest launch; 0 before the first
extern TimerArming g_timerArming;  // what timer 1 was last armed for

// The main thread's own view of the current Job's program.
struct ProgramSnapshot {
  PROCESS_INFORMATION info;  // hProcess is a duplicate the caller closes; null when none
};

enum class ProgramChoice {
  kAny,        // the current Job's program, whatever armed the timer (stop)
  kTimedOnly,  // only when the expiry now delivered was armed for it (timer 1)
};

// Takes the current Job's program, if one runs and the choice admits it.
// Main thread only.
ProgramSnapshot TakeCurrentProgram(ProgramChoice choice);
void ReleaseSnapshot(ProgramSnapshot& snapshot);
