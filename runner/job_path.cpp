#include "runner/job_path.h"

#include <cstring>

#include "common/cp932.h"
#include "settings/lenient_number.h"

namespace {

constexpr size_t kRowTextLimit = 255;  // a row text read into 256 bytes

}  // namespace

void JoinJobPath(const char* folder, const char* name, char* out) {
  std::memset(out, 0, kJobPathSize);
  size_t folderLen = strnlen(folder, kRowTextLimit);
  size_t nameLen = strnlen(name, kRowTextLimit);
  std::memcpy(out, folder, folderLen);
  size_t at = folderLen;
  // out holds the folder alone, zero-terminated, so the test steps through
  // its characters: ソ or 表 end in the byte 0x5C but are no separator.
  if (folderLen > 0 && !cp932::EndsWithBackslash(out)) out[at++] = '\\';
  std::memcpy(out + at, name, nameLen);
}

bool StoreJob(JobTable& table, const char* folder, const char* name, const char* sizeText, int32_t row) {
  int32_t index = table.count.load();
  if (index < 0 || index >= kMaxJobs) return false;
  Job& job = table.jobs[index];
  JoinJobPath(folder, name, job.path);
  job.size = ParseLenientInt(sizeText, 16);
  job.row = row;
  job.state = kJobQueued;
  table.count = index + 1;
  return true;
}
