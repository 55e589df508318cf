// The job table, window-free: what a run captured from the file list.
#pragma once
#include <atomic>
#include <cstdint>

enum JobState : int32_t { kJobQueued = 1, kJobRunning = 2, kJobDone = 3 };

constexpr int kMaxJobs = 100;
constexpr int kJobPathSize = 512;

struct Job {
  char path[kJobPathSize];
  int32_t size;  // kilobytes; -1 for files beyond 32 bits
  int32_t row;   // file-list row the job was captured from
  std::atomic<int32_t> state;
};

struct JobTable {
  Job jobs[kMaxJobs];
  std::atomic<int32_t> count;  // 0..kMaxJobs: only StoreJob and FillBlock set it
};
