// The shared records of a run: the captured rows, the job table and the run control.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "runner/job_records.h"
#include "runner/run_blocks.h"

struct RunControl {
  std::atomic<int32_t> running;
  HANDLE workerThread;  // main thread only; released once the worker has ended
  DWORD workerThreadId;
  // The current Job's program, written by the worker under LaunchLock()
  // (launch_handover.h); hProcess is null while no program of the run lives.
  PROCESS_INFORMATION launched;
  std::atomic<int32_t> limitSeconds;
  HWND timerOwner;
  bool stopped;  // the stop command came since the run began (main thread only)
};

extern JobTable g_jobTable;  // the block of the run that is under way
extern RunBlocks g_runBlocks;
extern RunControl g_run;
