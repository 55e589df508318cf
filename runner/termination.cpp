#include "runner/termination.h"

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "runner/job_table.h"
#include "runner/main_thread_wait.h"
#include "runner/stopping_dialog.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

constexpr DWORD kCloseWaitMs = 5000;

bool g_ending;         // EndCurrentProgram is under way (main thread only)
bool g_stopDuringEnd;  // a stop arrived while it was
bool g_releasing;      // ReleaseWorker is waiting for the worker (main thread only)

int32_t TerminationMethod() {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  return g_settings.apri_end;
}

void EndProgram(ProgramChoice choice) {
  ProgramSnapshot program = TakeCurrentProgram(choice);
  if (!program.info.hProcess) return;
  if (TerminationMethod() == 0) {
    EnumWindows(PostCloseToProgramWindows, reinterpret_cast<LPARAM>(&program.info));
    // A failed wait counts as the process having ended.
    if (WaitHandlingMessages(program.info.hProcess, kCloseWaitMs) == WAIT_TIMEOUT) {
      TerminateProcess(program.info.hProcess, 0);
    }
  } else {
    TerminateProcess(program.info.hProcess, 0);
  }
  ReleaseSnapshot(program);
}

}  // namespace

bool EndingUnderWay() { return g_ending; }

bool ReleaseUnderWay() { return g_releasing; }

void ReleaseWorker() {
  // The handle is taken first: messages handled during the wait may reach
  // this function again, and only this call may close it.
  HANDLE worker = g_run.workerThread;
  if (!worker || g_releasing) return;
  g_releasing = true;
  WaitHandlingMessages(worker, INFINITE);
  g_releasing = false;
  CloseHandle(worker);
  if (g_run.workerThread == worker) {
    g_run.workerThread = nullptr;
    g_run.workerThreadId = 0;
  }
}

BOOL CALLBACK PostCloseToProgramWindows(HWND window, LPARAM launched) {
  const auto* info = reinterpret_cast<const PROCESS_INFORMATION*>(launched);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (!GetWindow(window, GW_OWNER) && processId == info->dwProcessId) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void EndCurrentProgram(HWND window, ProgramChoice choice) {
  if (g_ending) {
    // The call under way finishes the job; a stop still needs the program
    // ended even when that call was a stale expiry that spared it.
    if (choice == ProgramChoice::kAny) g_stopDuringEnd = true;
    return;
  }
  g_ending = true;
  g_stopDuringEnd = false;
  HWND dialog = CreateStoppingDialog(window);
  g_modelessDialog = dialog;
  EndProgram(choice);
  while (g_stopDuringEnd) {
    g_stopDuringEnd = false;
    EndProgram(ProgramChoice::kAny);
  }
  if (g_run.running == 0) {
    DeselectAll();
    ReleaseWorker();
  }
  if (dialog) DestroyWindow(dialog);
  if (g_modelessDialog == dialog) g_modelessDialog = nullptr;
  g_ending = false;
}
