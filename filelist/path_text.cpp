#include "filelist/path_text.h"

#include <cstring>

#include "common/cp932.h"

bool ConcatPath(char* out, const char* a, const char* b, const char* c) {
  std::memset(out, 0, kPathTextSize);
  size_t la = std::strlen(a), lb = std::strlen(b), lc = std::strlen(c);
  if (la > kMaxPathText || lb > kMaxPathText - la || lc > kMaxPathText - la - lb) return false;
  std::memcpy(out, a, la);
  std::memcpy(out + la, b, lb);
  std::memcpy(out + la + lb, c, lc);
  return true;
}

bool JoinedPathFits(size_t folderLen, const char* name) {
  size_t n = std::strlen(name);
  return folderLen < kMaxPathText && n <= kMaxPathText - folderLen - 1;
}

bool FolderOfPath(const char* path, char* out) {
  std::memset(out, 0, kPathTextSize);
  long last = cp932::LastBackslash(path);
  if (last < 0 || static_cast<size_t>(last) > kMaxPathText) return false;
  std::memcpy(out, path, static_cast<size_t>(last));
  return true;
}
