// Which rows the progress display marks, window-free.
#pragma once
#include <cstdint>

#include "runner/job_records.h"
#include "runner/run_blocks.h"

struct RowMark {
  int32_t row;
  bool marked;
};

// A row's mark bits, as the list view holds them (LVIS_FOCUSED, LVIS_SELECTED,
// LVIS_DROPHILITED). A mark sets the last two, and the focus goes to one row.
constexpr uint8_t kFocusedBit = 0x01;
constexpr uint8_t kSelectedBit = 0x02;
constexpr uint8_t kDropHilitedBit = 0x08;

// One progress tick: for the captured rows that lie within the list's
// rowCount rows, in row order, the mark to set: Queued marked (the rows of
// later blocks too), Running blinking with blinkPhase (marked when it is 1,
// then flipped), Done unmarked. Rows the run did not capture get nothing.
// out holds one entry per captured row. Callers hold blocks.mutex.
int PlanTick(const RunBlocks& blocks, const JobTable& table, int32_t rowCount, int32_t* blinkPhase, RowMark* out);

// One paint: marked[r] (rowCount entries) becomes 1 when row r's captured Job
// is Queued or Running, else 0. Callers hold blocks.mutex.
void PlanPaint(const RunBlocks& blocks, const JobTable& table, int32_t rowCount, uint8_t* marked);

// Of the marks, those that change their row, given each row's mark bits
// (bits[row]): marking a row not both selected and drop-highlighted, and
// unmarking one that holds any mark bit. The others would leave it as it is.
int MarkChanges(const RowMark* marks, int n, const uint8_t* bits, RowMark* out);

// The list lets one row hold the focus, and marking a row gives it the focus.
// The row that holds it after the marks, applied in order to a list whose
// focus is on focusedRow (-1: none); -1 when no row keeps it.
int32_t FocusAfterMarks(const RowMark* marks, int n, int32_t focusedRow);
