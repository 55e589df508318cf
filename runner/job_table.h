// The shared records of a run: the job table and the run control.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

enum JobState : int32_t { kJobQueued = 1, kJobRunning = 2, kJobDone = 3 };

constexpr int kMaxJobs = 100;

struct Job {
  char path[512];
  int32_t size;  // kilobytes; -1 for files beyond 32 bits
  int32_t row;   // file-list row the job was captured from
  std::atomic<int32_t> state;
};

struct JobTable {
  Job jobs[kMaxJobs];
  std::atomic<int32_t> count;
};

struct RunControl {
  std::atomic<int32_t> running;
  HANDLE workerThread;
  DWORD workerThreadId;
  PROCESS_INFORMATION launched;
  std::atomic<int32_t> limitSeconds;
  HWND timerOwner;
};

extern JobTable g_jobTable;
extern RunControl g_run;
