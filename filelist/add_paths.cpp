#include "filelist/add_paths.h"

#include "common/app_state.h"
#include "common/code_page.h"
#include "common/cp932.h"
#include "common/list_view.h"
#include "common/modal.h"
#include "filelist/entry_rules.h"
#include "filelist/file_list.h"
#include "filelist/file_rows.h"
#include "filelist/found_entry.h"
#include "filelist/path_text.h"

namespace {

// A folder is scanned as the per-folder command scans the chosen one; a
// drive's root keeps its "\", any other folder loses a trailing one.
bool AddFolder(std::string path) {
  if (path.size() > 3 && cp932::EndsWithBackslash(path.c_str())) path.pop_back();
  int before = RowCount();
  ScanOneFolder(path.c_str(), before);
  return RowCount() > before;
}

// A file becomes one row, as a file chosen in the open-file dialog does.
bool AddOne(const std::string& path) {
  if (path.size() > kMaxPathText) return false;
  DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? AddFolder(path) : AppendPathRow(ToWide(path));
}

// Every entry a wildcard matches is handled as if it had been named.
bool AddMatches(const std::string& pattern) {
  char folder[kPathTextSize];
  if (pattern.size() > kMaxPathText || !FolderOfPath(pattern.c_str(), folder)) return false;
  bool ok = true, any = false;
  ForEachFound(pattern.c_str(), [&](const char* name, const WIN32_FIND_DATAW&) {
    if (IsDotOrDotDot(name)) return true;
    char path[kPathTextSize];
    ok = JoinPath(path, folder, name) && AddOne(path) && ok;
    any = true;
    return true;
  });
  return ok && any;
}

}  // namespace

void AddPaths(HWND owner, const std::vector<HandedPath>& paths) {
  const HandedPath* failed = nullptr;
  HoldListDrawing(g_fileList);
  for (const HandedPath& path : paths) {
    bool ok = path.usable && !path.path.empty() && (HasWildcard(path.path) ? AddMatches(path.path) : AddOne(path.path));
    if (!ok && !failed) failed = &path;
  }
  ResumeListDrawing(g_fileList);
  if (failed) ShowMessage(owner, ("読込出来ません！\n" + failed->path).c_str(), "ファイル追加操作", MB_ICONWARNING);
}
