// Which rows the progress display marks, window-free.
#pragma once
#include <cstdint>

#include "runner/job_records.h"

struct RowMark {
  int32_t row;
  bool marked;
};

// One progress tick: for the Jobs whose row lies within the list's rowCount
// rows, in row order (Jobs of one row in table order), the mark to set:
// Queued marked, Running blinking with blinkPhase (marked when it is 1, then
// flipped), Done unmarked. Rows without a Job get nothing. Writes at most
// kMaxJobs entries to out and returns their number.
int PlanTick(const JobTable& table, int32_t rowCount, int32_t* blinkPhase, RowMark* out);

// One paint: marked[r] (rowCount entries) becomes 1 when a Queued or Running
// Job comes from row r, else 0.
void PlanPaint(const JobTable& table, int32_t rowCount, uint8_t* marked);

// The paint's marks in row order, leaving out the unmarking of rows that hold
// no mark bit (hasBits[r] 0), which changes nothing. out holds rowCount entries.
int PaintChanges(const uint8_t* marked, const uint8_t* hasBits, int32_t rowCount, RowMark* out);

// The list lets one row hold the focus, and marking a row gives it the focus.
// The row that holds it after the marks, applied in order to a list whose
// focus is on focusedRow (-1: none); -1 when no row keeps it.
int32_t FocusAfterMarks(const RowMark* marks, int n, int32_t focusedRow);
