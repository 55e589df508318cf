#include "runner/worker.h"

#include <cstring>
#include <mutex>

#include "common/modal.h"
#include "runner/command_line.h"
#include "runner/job_table.h"
#include "runner/launch_handover.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "runner/time_limit.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

StartProcessFn g_startProcess = CreateProcessA;
CreateThreadFn g_createThread = CreateThread;
ResumeThreadFn g_resumeThread = ResumeThread;

namespace {

// The Settings one launch uses, copied together so that a change made in the
// settings dialog meanwhile is never seen half-written.
struct LaunchSettings {
  char p[kPathSize];
  char op_m1[kOptionSize];
  char op_m2[kOptionSize];
  int32_t off_mode;
  int32_t off_tim;
  int32_t off_size;
};

LaunchSettings CopyLaunchSettings() {
  LaunchSettings s;
  std::lock_guard<std::mutex> lock(SettingsMutex());
  std::memcpy(s.p, g_settings.p, sizeof s.p);
  std::memcpy(s.op_m1, g_settings.op_m1, sizeof s.op_m1);
  std::memcpy(s.op_m2, g_settings.op_m2, sizeof s.op_m2);
  s.off_mode = g_settings.off_mode;
  s.off_tim = g_settings.off_tim;
  s.off_size = g_settings.off_size;
  return s;
}

enum class Launch { kStarted, kFailed, kStopped };

// Wine now and then fails a launch with ERROR_INTERNAL_ERROR (about once in
// 1,500 launches here) and the next attempt succeeds; one more try keeps a
// drawing from being skipped. Any other failure is reported at once.
bool StartProgram(char* application, char* commandLine, PROCESS_INFORMATION* info) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (g_startProcess(application, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                       &startup, info)) {
      return true;
    }
    if (GetLastError() != ERROR_INTERNAL_ERROR) return false;
  }
  return false;
}

// Re-tests `running` and launches under the lock, so a stop either sees the
// new program or keeps it from starting. Arms the time limit in the same
// step, recording which launch it belongs to.
Launch LaunchJob(Job& job, const LaunchSettings& s, char* application, char* commandLine, bool fits, int32_t limit,
                 HANDLE* process) {
  LaunchLock lock;
  if (g_run.running != 1) return Launch::kStopped;
  job.state = kJobRunning;
  PROCESS_INFORMATION info = {};
  if (!fits || !StartProgram(application, commandLine, &info)) return Launch::kFailed;
  CloseHandle(info.hThread);  // never used
  info.hThread = nullptr;
  g_run.launched = info;
  ++g_launchSerial;
  if (g_launchSerial == 0) g_launchSerial = 1;  // 0 stays "never armed"
  if (s.off_mode != 0) {
    g_timerArming = {g_launchSerial, GetTickCount64(), TimerPeriodMs(limit)};
    SetTimer(g_run.timerOwner, kTimeLimitTimer, TimerPeriodMs(limit), nullptr);
    g_run.limitSeconds = limit;
  }
  *process = info.hProcess;
  return Launch::kStarted;
}

void ForgetProgram(HANDLE process) {
  {
    LaunchLock lock;
    g_run.launched = {};
  }
  CloseHandle(process);
}

// The Jobs of the table's block, in order. False when the run was stopped.
bool RunBlock() {
  for (int i = 0; i < g_jobTable.count && i < kMaxJobs; ++i) {
    Job& job = g_jobTable.jobs[i];
    LaunchSettings s = CopyLaunchSettings();
    char application[kPathSize] = {};
    std::memcpy(application, s.p, sizeof application - 1);
    char commandLine[kCommandLineSize];
    bool fits = BuildCommandLine(s.p, s.op_m1, s.op_m2, job.path, commandLine, sizeof commandLine);
    int32_t limit = TimeLimitSeconds(s.off_tim, s.off_size, job.size);
    HANDLE process = nullptr;
    Launch launch = LaunchJob(job, s, application, commandLine, fits, limit, &process);
    if (launch == Launch::kStopped) return false;
    if (launch == Launch::kFailed) {
      ShowMessage(nullptr, "環境設定でPalyFinenameを正しく設定して下さい。", "設定ミス", MB_OK);
    } else {
      // Outside the lock: the refresh is answered by the main thread, which
      // may itself be waiting for the lock.
      if (s.off_mode != 0) UpdateStatusTexts();
      WaitForSingleObject(process, INFINITE);
      ForgetProgram(process);
    }
    job.state = kJobDone;
    if (g_run.running == 0) return false;
  }
  return true;
}

}  // namespace

DWORD WINAPI RunWorker(void*) {
  // A block's end is no pause: the next block is in memory already.
  while (RunBlock() && RefillNextBlock(g_runBlocks, g_jobTable, g_run.running == 1)) {
  }
  g_run.running = 0;
  KillTimer(g_run.timerOwner, kTimeLimitTimer);
  return 0;
}
