#include "runner/run.h"

#include "common/app_state.h"
#include "common/list_view.h"
#include "common/modal.h"
#include "filelist/file_list.h"
#include "runner/job_table.h"
#include "runner/termination.h"
#include "runner/worker.h"

JobTable g_jobTable;
RunBlocks g_runBlocks;
RunControl g_run;

namespace {

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

// True when a run is in progress, or its worker still has to end after a stop.
bool RunUnderWay() {
  if (g_run.running == 1 || EndingUnderWay() || ReleaseUnderWay()) return true;
  // A worker that cleared `running` by itself is returning; it is released
  // here so that it never overlaps the next run's worker.
  ReleaseWorker();
  return false;
}

// Every row the run will launch, each read once, now.
void CaptureRows(int mode, int rowCount) {
  ClearCapture(g_runBlocks.captured);
  if (mode == kRunWholeList) {
    for (int row = 0; row < rowCount; ++row) CaptureJob(row);
  } else {
    // Each captured row is unmarked, so the next selected row is the first
    // one; searching on from the last keeps a long selection from being
    // scanned again for every row. Its unmarking is drawn once, at the end.
    bool hold = SendMessageA(g_fileList, LVM_GETSELECTEDCOUNT, 0, 0) > kMaxJobs;
    if (hold) HoldListDrawing(g_fileList);
    for (int row = -1; (row = NextSelectedRow(row)) != -1;) {
      if (!CaptureJob(row)) break;
      MarkRow(row, false);
    }
    if (hold) ResumeListDrawing(g_fileList);
  }
  TrimCapture(g_runBlocks.captured);
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
  return CaptureRow(g_runBlocks.captured, folder, name, size, row);
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
  CaptureRows(mode, rowCount);
  FillBlock(g_runBlocks, g_jobTable, 0);
  g_run.stopped = false;
  if (!StartWorker()) {
    ShowMessage(window, "CreateThreadで失敗しました。", "Thread処理", MB_OK);
  } else {
    SetTimer(window, kProgressTimer, 1000, nullptr);
  }
  Repaint(window);
}

void StopRun(HWND window) {
  g_run.running = 0;
  g_run.stopped = true;
  EndCurrentProgram(window, ProgramChoice::kAny);
}

void OnTimeLimitExpired(HWND window) { EndCurrentProgram(window, ProgramChoice::kTimedOnly); }
