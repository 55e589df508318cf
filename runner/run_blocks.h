// A run of any length, window-free: every row the run command captured, run
// through the 100-Job table one block after another.
#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "runner/job_records.h"

// The texts of one captured row, kept as the row read when the run began.
struct CapturedRow {
  uint32_t folder;  // offset of the folder text in CapturedRun::texts
  uint32_t name;    // offset of the file name; its size text follows it
  int32_t row;      // file-list row it came from
};

// Every row of a run, compactly: the texts side by side, and a folder stored
// once for consecutive rows of the same folder, as a folder's scan lists them.
struct CapturedRun {
  std::vector<CapturedRow> rows;
  std::string texts;
};

// Where the run stands: the captured rows and which of them the job table
// holds. The worker refills the table while the main thread plans its marks
// from it, so both take `mutex` for that; the Jobs' states alone change
// without it, as for a single block.
struct RunBlocks {
  CapturedRun captured;
  int32_t first = 0;  // captured index of the table's Job 0
  std::mutex mutex;
};

// Forgets the last run's rows.
void ClearCapture(CapturedRun& run);

// Appends a row's texts, each read up to 255 bytes. Rows come in list order,
// each once; a row not after the last one is refused (false).
bool CaptureRow(CapturedRun& run, const char* folder, const char* name, const char* sizeText, int32_t row);

// Gives back the room kept for further rows once the capture is complete.
void TrimCapture(CapturedRun& run);

// The memory the captured rows hold, in bytes.
size_t CaptureBytes(const CapturedRun& run);

// Fills the table with the block of Jobs from captured row `first` on (at
// most kMaxJobs), all Queued. Returns their number. Takes the mutex.
int32_t FillBlock(RunBlocks& blocks, JobTable& table, int32_t first);

// When the table's block is over: refills the table with the next block and
// returns true, unless the run was stopped or no captured row is left.
bool RefillNextBlock(RunBlocks& blocks, JobTable& table, bool running);

// The state of captured row k: Done before the table's block, the Job's in
// it, Queued after it. Callers hold the mutex.
int32_t CapturedState(const RunBlocks& blocks, const JobTable& table, int32_t k);

// Captured rows whose Job is Done. Callers hold the mutex.
int32_t DoneCount(const RunBlocks& blocks, const JobTable& table);
