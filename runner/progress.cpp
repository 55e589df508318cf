#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "common/list_view.h"
#include "runner/job_table.h"
#include "runner/progress_rules.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "runner/taskbar_progress.h"
#include "runner/termination.h"

int32_t blinkPhase;

namespace {

constexpr UINT kMarkedNoFocus = LVIS_SELECTED | LVIS_DROPHILITED;

// Marks and unmarks rows in order, as MarkRow would one by one, but sends
// only the marks that change a row: a run of thousands of rows would
// otherwise rewrite every one of them each second. Moving the focus is by far
// the dearest change of a list row, and every mark would move it; the outcome
// is the same when only the last one is made. bits holds each row's mark bits.
void ApplyMarks(const RowMark* marks, int n, const uint8_t* bits) {
  int32_t focus = FocusAfterMarks(marks, n, NextListRow(g_fileList, -1, LVNI_FOCUSED));
  std::vector<RowMark> changes(static_cast<size_t>(n));
  int count = MarkChanges(marks, n, bits, changes.data());
  // Many rows changing at once (the user selected them all) are drawn once
  // afterwards rather than row by row.
  bool hold = count > kMaxJobs;
  if (hold) HoldListDrawing(g_fileList);
  for (int i = 0; i < count; ++i) {
    if (changes[i].marked) {
      SetListRowState(g_fileList, changes[i].row, kMarkedNoFocus, kMarkedNoFocus);
    } else {
      SetListRowState(g_fileList, changes[i].row, 0, kMarkBits);
    }
  }
  if (focus >= 0 && !(SendMessageA(g_fileList, LVM_GETITEMSTATE, focus, LVIS_FOCUSED) & LVIS_FOCUSED)) {
    SetListRowState(g_fileList, focus, LVIS_FOCUSED, LVIS_FOCUSED);
  }
  if (hold) ResumeListDrawing(g_fileList);
}

uint8_t MarkBitsOf(int row) { return static_cast<uint8_t>(SendMessageA(g_fileList, LVM_GETITEMSTATE, row, kMarkBits)); }

}  // namespace

void TickProgress() {
  if (g_run.running != 1) return;
  int rowCount = RowCount();
  std::vector<RowMark> marks;
  int n = 0;
  int32_t done, total;
  {
    std::lock_guard<std::mutex> lock(g_runBlocks.mutex);
    marks.resize(g_runBlocks.captured.rows.size());
    int32_t phase = blinkPhase;
    n = PlanTick(g_runBlocks, g_jobTable, rowCount, &phase, marks.data());
    blinkPhase = phase;
    done = DoneCount(g_runBlocks, g_jobTable);
    total = static_cast<int32_t>(g_runBlocks.captured.rows.size());
  }
  // Only the rows the tick acts on are asked for their marks.
  std::vector<uint8_t> bits(static_cast<size_t>(std::max(rowCount, 0)));
  for (int i = 0; i < n; ++i) bits[marks[i].row] = MarkBitsOf(marks[i].row);
  ApplyMarks(marks.data(), n, bits.data());
  ShowRunProgress(g_run.timerOwner, done, total);
}

void EndOfRunStep() {
  if (g_run.running != 0) return;
  KillTimer(g_run.timerOwner, kTimeLimitTimer);
  KillTimer(g_run.timerOwner, kProgressTimer);
  DeselectAll();
  ShowRunEnded(g_run.timerOwner, !g_run.stopped);
  // A run that ended by itself leaves its worker returning; release it here
  // rather than at the next run. A stop under way releases it itself.
  if (!EndingUnderWay()) ReleaseWorker();
  UpdateStatusTexts();
}

void ApplyRowsOnPaint() {
  if (g_run.running != 1) return;
  int rowCount = RowCount();
  if (rowCount <= 0) return;
  std::vector<uint8_t> marked(static_cast<size_t>(rowCount));
  {
    std::lock_guard<std::mutex> lock(g_runBlocks.mutex);
    PlanPaint(g_runBlocks, g_jobTable, rowCount, marked.data());
  }
  std::vector<RowMark> marks(static_cast<size_t>(rowCount));
  std::vector<uint8_t> bits(static_cast<size_t>(rowCount));
  for (int row = 0; row < rowCount; ++row) {
    marks[row] = {row, marked[row] != 0};
    bits[row] = MarkBitsOf(row);
  }
  ApplyMarks(marks.data(), rowCount, bits.data());
}
