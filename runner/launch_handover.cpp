#include "runner/launch_handover.h"

#include "common/app_state.h"
#include "runner/job_table.h"
#include "runner/main_thread_wait.h"

uint32_t g_launchSerial;
TimerArming g_timerArming;

namespace {

HANDLE LaunchMutex() {
  static HANDLE mutex = CreateMutexA(nullptr, FALSE, nullptr);
  return mutex;
}

bool OnMainThread() { return g_mainWindow && GetWindowThreadProcessId(g_mainWindow, nullptr) == GetCurrentThreadId(); }

}  // namespace

LaunchLock::LaunchLock() {
  if (OnMainThread()) {
    WaitHandlingMessages(LaunchMutex(), INFINITE);
  } else {
    WaitForSingleObject(LaunchMutex(), INFINITE);
  }
}

LaunchLock::~LaunchLock() { ReleaseMutex(LaunchMutex()); }

ProgramSnapshot TakeCurrentProgram(ProgramChoice choice) {
  ProgramSnapshot snapshot = {};
  LaunchLock lock;
  if (!g_run.launched.hProcess) return snapshot;
  if (choice == ProgramChoice::kTimedOnly && !ExpiryBelongsToLaunch(g_timerArming, g_launchSerial, GetTickCount64())) {
    return snapshot;
  }
  HANDLE self = GetCurrentProcess();
  HANDLE copy = nullptr;
  if (!DuplicateHandle(self, g_run.launched.hProcess, self, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return snapshot;
  snapshot.info = g_run.launched;
  snapshot.info.hProcess = copy;
  snapshot.info.hThread = nullptr;
  return snapshot;
}

void ReleaseSnapshot(ProgramSnapshot& snapshot) {
  if (snapshot.info.hProcess) CloseHandle(snapshot.info.hProcess);
  snapshot = {};
}
