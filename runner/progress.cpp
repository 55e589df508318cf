#include <vector>

#include "filelist/file_list.h"
#include "runner/job_table.h"
#include "runner/progress_rules.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "runner/termination.h"

int32_t blinkPhase;

void TickProgress() {
  if (g_run.running != 1) return;
  RowMark marks[kMaxJobs];
  int32_t phase = blinkPhase;
  int n = PlanTick(g_jobTable, RowCount(), &phase, marks);
  blinkPhase = phase;
  for (int i = 0; i < n; ++i) MarkRow(marks[i].row, marks[i].marked);
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
  PlanPaint(g_jobTable, rowCount, marked.data());
  for (int row = 0; row < rowCount; ++row) MarkRow(row, marked[row] != 0);
}
