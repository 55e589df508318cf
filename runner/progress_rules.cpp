#include "runner/progress_rules.h"

#include <algorithm>
#include <cstring>

namespace {

int32_t ValidCount(const JobTable& table) { return std::clamp(table.count.load(), 0, kMaxJobs); }

}  // namespace

int PlanTick(const JobTable& table, int32_t rowCount, int32_t* blinkPhase, RowMark* out) {
  // Jobs in row order: the capture already yields ascending rows, so this
  // insertion sort (stable) only reorders tables built otherwise.
  int order[kMaxJobs];
  int n = 0;
  int32_t count = ValidCount(table);
  for (int j = 0; j < count; ++j) {
    int32_t row = table.jobs[j].row;
    if (row < 0 || row >= rowCount) continue;
    int at = n++;
    while (at > 0 && table.jobs[order[at - 1]].row > row) {
      order[at] = order[at - 1];
      --at;
    }
    order[at] = j;
  }
  int marks = 0;
  for (int k = 0; k < n; ++k) {
    const Job& job = table.jobs[order[k]];
    int32_t state = job.state.load();
    if (state == kJobRunning) {
      out[marks++] = {job.row, *blinkPhase == 1};
      *blinkPhase = *blinkPhase == 1 ? 0 : 1;
    } else if (state == kJobQueued || state == kJobDone) {
      out[marks++] = {job.row, state == kJobQueued};
    }
  }
  return marks;
}

void PlanPaint(const JobTable& table, int32_t rowCount, uint8_t* marked) {
  std::memset(marked, 0, static_cast<size_t>(std::max(rowCount, 0)));
  int32_t count = ValidCount(table);
  for (int j = 0; j < count; ++j) {
    const Job& job = table.jobs[j];
    int32_t state = job.state.load();
    if (job.row >= 0 && job.row < rowCount && (state == kJobQueued || state == kJobRunning)) marked[job.row] = 1;
  }
}

int PaintChanges(const uint8_t* marked, const uint8_t* hasBits, int32_t rowCount, RowMark* out) {
  int n = 0;
  for (int32_t row = 0; row < rowCount; ++row) {
    if (marked[row]) {
      out[n++] = {row, true};
    } else if (hasBits[row]) {
      out[n++] = {row, false};
    }
  }
  return n;
}

int32_t FocusAfterMarks(const RowMark* marks, int n, int32_t focusedRow) {
  int32_t focus = focusedRow;
  for (int i = 0; i < n; ++i) {
    if (marks[i].marked) {
      focus = marks[i].row;
    } else if (marks[i].row == focus) {
      focus = -1;
    }
  }
  return focus;
}
