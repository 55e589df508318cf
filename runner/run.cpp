#include "runner/run.h"

#include "common/modal.h"
#include "filelist/file_list.h"
#include "runner/job_path.h"
#include "runner/job_table.h"
#include "runner/termination.h"
#include "runner/worker.h"

JobTable g_jobTable;
RunControl g_run;

namespace {

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

int SelectedRowCount() {
  int n = 0;
  for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) ++n;
  return n;
}

// True when a run is in progress, or its worker still has to end after a stop.
bool RunUnderWay() {
  if (g_run.running == 1 || EndingUnderWay() || ReleaseUnderWay()) return true;
  // A worker that cleared `running` by itself is returning; it is released
  // here so that it never overlaps the next run's worker.
  ReleaseWorker();
  return false;
}

void CaptureRows(int mode, int rowCount) {
  g_jobTable.count = 0;
  if (mode == kRunWholeList) {
    for (int row = 0; row < rowCount; ++row) CaptureJob(row);
    return;
  }
  // Each captured row is unmarked, so the first selected row is always the next one.
  for (int row; (row = NextSelectedRow(-1)) != -1;) {
    if (!CaptureJob(row)) break;
    MarkRow(row, false);
  }
}

bool StartWorker() {
  DWORD id = 0;
  HANDLE thread = g_createThread(nullptr, 0, RunWorker, nullptr, CREATE_SUSPENDED, &id);
  if (!thread) return false;
  // Set before the worker runs, so its first test of the flag sees 1.
  g_run.running = 1;
  if (g_resumeThread(thread) == static_cast<DWORD>(-1)) {
    // The worker never ran and holds nothing: end it, so no stop waits for it.
    TerminateThread(thread, 0);
    CloseHandle(thread);
    g_run.running = 0;
    return false;
  }
  g_run.workerThread = thread;
  g_run.workerThreadId = id;
  return true;
}

}  // namespace

bool CaptureJob(int row) {
  char name[256];
  char folder[256];
  char size[16];
  GetRowText(row, 0, name, sizeof name);
  GetRowText(row, 1, folder, sizeof folder);
  GetRowText(row, 3, size, sizeof size);
  return StoreJob(g_jobTable, folder, name, size, row);
}

void StartRun(HWND window, int mode) {
  int rowCount = RowCount();
  if (mode == kRunSelection && NextSelectedRow(-1) == -1) {
    ShowMessage(window, "ファイルが選択していません", "選択ミス", MB_ICONWARNING);
    return;
  }
  if (mode == kRunSelectionElseAll) mode = NextSelectedRow(-1) != -1 ? kRunSelection : kRunWholeList;
  g_run.timerOwner = window;
  if (RunUnderWay()) {
    ShowMessage(window, "すでにThreadは実行中です。", "Thread処理", MB_OK);
    Repaint(window);
    return;
  }
  // Refused whole rather than cut short: a partial run would look complete.
  int wanted = mode == kRunWholeList ? rowCount : SelectedRowCount();
  if (wanted > kMaxJobs) {
    ShowMessage(window, "一度に実行できるファイルは100個までです。", "選択ミス", MB_ICONWARNING);
    return;
  }
  CaptureRows(mode, rowCount);
  if (!StartWorker()) {
    ShowMessage(window, "CreateThreadで失敗しました。", "Thread処理", MB_OK);
  } else {
    SetTimer(window, kProgressTimer, 1000, nullptr);
  }
  Repaint(window);
}

void StopRun(HWND window) {
  g_run.running = 0;
  EndCurrentProgram(window, ProgramChoice::kAny);
}

void OnTimeLimitExpired(HWND window) { EndCurrentProgram(window, ProgramChoice::kTimedOnly); }
