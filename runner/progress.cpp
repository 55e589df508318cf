#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "common/list_view.h"
#include "runner/job_table.h"
#include "runner/progress_rules.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "runner/termination.h"

int32_t blinkPhase;

namespace {

constexpr UINT kMarkedNoFocus = LVIS_SELECTED | LVIS_DROPHILITED;

// Marks and unmarks rows in order, as MarkRow would one by one. Moving the
// focus is by far the dearest change of a list row, and every mark would
// move it; the outcome is the same when only the last one is made.
void ApplyMarks(const RowMark* marks, int n) {
  int32_t focus = FocusAfterMarks(marks, n, NextListRow(g_fileList, -1, LVNI_FOCUSED));
  // Many rows changing at once (the user selected them all) are drawn once
  // afterwards rather than row by row.
  bool hold = n > kMaxJobs;
  if (hold) HoldListDrawing(g_fileList);
  for (int i = 0; i < n; ++i) {
    if (marks[i].marked) {
      SetListRowState(g_fileList, marks[i].row, kMarkedNoFocus, kMarkedNoFocus);
    } else {
      SetListRowState(g_fileList, marks[i].row, 0, kMarkBits);
    }
  }
  if (focus >= 0 && !(SendMessageA(g_fileList, LVM_GETITEMSTATE, focus, LVIS_FOCUSED) & LVIS_FOCUSED)) {
    SetListRowState(g_fileList, focus, LVIS_FOCUSED, LVIS_FOCUSED);
  }
  if (hold) ResumeListDrawing(g_fileList);
}

// Rows holding any of the mark bits, found by the list itself rather than by
// asking every row.
void RowsWithMarkBits(int rowCount, uint8_t* hasBits) {
  for (UINT flag : {LVNI_SELECTED, LVNI_DROPHILITED, LVNI_FOCUSED}) {
    int row = NextListRow(g_fileList, -1, flag);
    for (; row >= 0 && row < rowCount; row = NextListRow(g_fileList, row, flag)) hasBits[row] = 1;
  }
}

}  // namespace

void TickProgress() {
  if (g_run.running != 1) return;
  RowMark marks[kMaxJobs];
  int32_t phase = blinkPhase;
  int n = PlanTick(g_jobTable, RowCount(), &phase, marks);
  blinkPhase = phase;
  ApplyMarks(marks, n);
}

void EndOfRunStep() {
  if (g_run.running != 0) return;
  KillTimer(g_run.timerOwner, kTimeLimitTimer);
  KillTimer(g_run.timerOwner, kProgressTimer);
  DeselectAll();
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
  std::vector<uint8_t> hasBits(static_cast<size_t>(rowCount));
  PlanPaint(g_jobTable, rowCount, marked.data());
  RowsWithMarkBits(rowCount, hasBits.data());
  std::vector<RowMark> changes(static_cast<size_t>(rowCount));
  int n = PaintChanges(marked.data(), hasBits.data(), rowCount, changes.data());
  ApplyMarks(changes.data(), n);
}
