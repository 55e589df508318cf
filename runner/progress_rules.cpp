#include "runner/progress_rules.h"

#include <algorithm>
#include <cstring>

int PlanTick(const RunBlocks& blocks, const JobTable& table, int32_t rowCount, int32_t* blinkPhase, RowMark* out) {
  // The capture keeps rows in ascending order, so the first row beyond the
  // list ends the plan.
  const std::vector<CapturedRow>& rows = blocks.captured.rows;
  int marks = 0;
  for (int32_t k = 0; k < static_cast<int32_t>(rows.size()) && rows[k].row < rowCount; ++k) {
    int32_t state = CapturedState(blocks, table, k);
    if (state == kJobRunning) {
      out[marks++] = {rows[k].row, *blinkPhase == 1};
      *blinkPhase = *blinkPhase == 1 ? 0 : 1;
    } else if (state == kJobQueued || state == kJobDone) {
      out[marks++] = {rows[k].row, state == kJobQueued};
    }
  }
  return marks;
}

void PlanPaint(const RunBlocks& blocks, const JobTable& table, int32_t rowCount, uint8_t* marked) {
  std::memset(marked, 0, static_cast<size_t>(std::max(rowCount, 0)));
  const std::vector<CapturedRow>& rows = blocks.captured.rows;
  for (int32_t k = 0; k < static_cast<int32_t>(rows.size()) && rows[k].row < rowCount; ++k) {
    int32_t state = CapturedState(blocks, table, k);
    if (state == kJobQueued || state == kJobRunning) marked[rows[k].row] = 1;
  }
}

int MarkChanges(const RowMark* marks, int n, const uint8_t* bits, RowMark* out) {
  constexpr uint8_t kShown = kSelectedBit | kDropHilitedBit;
  int changes = 0;
  for (int i = 0; i < n; ++i) {
    uint8_t held = bits[marks[i].row];
    if (marks[i].marked ? (held & kShown) != kShown : (held & (kShown | kFocusedBit)) != 0) out[changes++] = marks[i];
  }
  return changes;
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
