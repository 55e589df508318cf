#include "runner/run_blocks.h"

#include <algorithm>
#include <cstring>

#include "common/cp932.h"
#include "runner/job_path.h"

namespace {

constexpr size_t kRowTextLimit = 255;  // a row text read into 256 bytes
constexpr size_t kSizeTextLimit = 15;  // the size column read into 16 bytes

uint32_t AddText(std::string& texts, const char* text, size_t limit) {
  uint32_t at = static_cast<uint32_t>(texts.size());
  // Cut by characters: a lead byte left at the limit would swallow the zero after it.
  texts.append(text, cp932::CutLength(text, strnlen(text, limit), limit));
  texts.push_back('\0');
  return at;
}

}  // namespace

void ClearCapture(CapturedRun& run) {
  // Swapped out, so a long run's memory does not stay with a short one.
  std::vector<CapturedRow>().swap(run.rows);
  std::string().swap(run.texts);
}

bool CaptureRow(CapturedRun& run, const char* folder, const char* name, const char* sizeText, int32_t row) {
  if (row < 0 || (!run.rows.empty() && row <= run.rows.back().row)) return false;
  CapturedRow captured;
  size_t folderLen = strnlen(folder, kRowTextLimit);
  const char* last = run.rows.empty() ? nullptr : run.texts.c_str() + run.rows.back().folder;
  if (last && std::strlen(last) == folderLen && std::memcmp(last, folder, folderLen) == 0) {
    captured.folder = run.rows.back().folder;
  } else {
    captured.folder = AddText(run.texts, folder, kRowTextLimit);
  }
  captured.name = AddText(run.texts, name, kRowTextLimit);
  AddText(run.texts, sizeText, kSizeTextLimit);
  captured.row = row;
  run.rows.push_back(captured);
  return true;
}

void TrimCapture(CapturedRun& run) {
  run.rows.shrink_to_fit();
  run.texts.shrink_to_fit();
}

size_t CaptureBytes(const CapturedRun& run) { return run.rows.capacity() * sizeof(CapturedRow) + run.texts.capacity(); }

int32_t FillBlock(RunBlocks& blocks, JobTable& table, int32_t first) {
  std::lock_guard<std::mutex> lock(blocks.mutex);
  const CapturedRun& run = blocks.captured;
  int32_t total = static_cast<int32_t>(run.rows.size());
  blocks.first = std::clamp(first, 0, total);
  table.count = 0;
  for (int32_t k = blocks.first; k < total; ++k) {
    const char* name = run.texts.c_str() + run.rows[k].name;
    const char* size = name + std::strlen(name) + 1;
    if (!StoreJob(table, run.texts.c_str() + run.rows[k].folder, name, size, run.rows[k].row)) break;
  }
  return table.count;
}

bool RefillNextBlock(RunBlocks& blocks, JobTable& table, bool running) {
  int32_t next = blocks.first + table.count;
  if (!running || next >= static_cast<int32_t>(blocks.captured.rows.size())) return false;
  FillBlock(blocks, table, next);
  return true;
}

int32_t CapturedState(const RunBlocks& blocks, const JobTable& table, int32_t k) {
  if (k < blocks.first) return kJobDone;
  int32_t j = k - blocks.first;
  return j < table.count ? table.jobs[j].state.load() : kJobQueued;
}

int32_t DoneCount(const RunBlocks& blocks, const JobTable& table) {
  int32_t done = blocks.first;
  int32_t count = table.count;
  for (int32_t j = 0; j < count; ++j) done += table.jobs[j].state == kJobDone;
  return done;
}
