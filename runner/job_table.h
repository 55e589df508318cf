// The shared records of a run: the job table and the run control.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "runner/job_records.h"

struct RunControl {
  std::atomic<int32_t> running;
  HANDLE workerThread;  // main thread only; released once the worker has ended
  DWORD workerThreadId;
  // The current Job's program, written by the worker under LaunchLock()
  // (launch_handover.h); hProcess is null while no program of the run lives.
  PROCESS_INFORMATION launched;
  std::atomic<int32_t> limitSeconds;
  HWND timerOwner;
};

extern JobTable g_jobTable;
extern RunControl g_run;
