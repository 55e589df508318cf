#include "filelist/add_paths.h"

#include <cstring>

#include "common/list_view.h"
#include "common/app_state.h"
#include "common/modal.h"
#include "common/cp932.h"
#include "filelist/entry_rules.h"
#include "filelist/file_list.h"
#include "filelist/found_name.h"
#include "filelist/gather.h"
#include "filelist/path_args.h"
#include "filelist/path_text.h"

namespace {

// A list file is a few thousand lines at most; anything far larger is not one.
constexpr DWORD kMaxListFileBytes = 16u << 20;

// The code page text of wide, or false when a character has no place in it.
// No best-fit mapping: a look-alike character would name another file.
bool ToCodePage(const std::wstring& wide, std::string* out) {
  BOOL lost = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &lost);
  if (n <= 0) return false;
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, &text[0], n, nullptr, &lost);
  text.resize(static_cast<size_t>(n - 1));
  *out = text;
  return !lost;
}

std::wstring FullPathW(const std::wstring& path) {
  std::wstring full(32768, L'\0');
  DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
  if (n == 0 || n >= full.size()) return path;
  full.resize(n);
  return full;
}

std::string FullPathA(const std::string& path) {
  char full[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n == 0 || n >= sizeof full ? path : std::string(full, n);
}

std::string Unnamed(const std::string& shown) { return kUnnamedMark + shown; }

// One argument that is no list file: its full path, in its short form when
// the long one leaves the code page.
std::string ResolveOne(const std::wstring& arg) {
  std::wstring full = FullPathW(arg);
  std::string path;
  if (ToCodePage(full, &path)) return path;
  std::wstring brief(32768, L'\0');
  DWORD n = GetShortPathNameW(full.c_str(), &brief[0], static_cast<DWORD>(brief.size()));
  std::string shortPath;
  if (n > 0 && n < brief.size() && ToCodePage(brief.substr(0, n), &shortPath)) return shortPath;
  return Unnamed(path);
}

bool ReadListFile(const std::wstring& path, std::string* text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxListFileBytes;
  DWORD got = 0;
  if (ok) {
    text->assign(static_cast<size_t>(size.QuadPart), '\0');
    ok = size.QuadPart == 0 ||
         (ReadFile(file, &(*text)[0], static_cast<DWORD>(size.QuadPart), &got, nullptr) && got == size.QuadPart);
  }
  CloseHandle(file);
  return ok;
}

// A file becomes one row, as a file chosen in the open-file dialog does.
bool AddFile(const std::string& path) {
  char folder[kPathTextSize];
  const char* name = path.c_str() + cp932::LastBackslash(path.c_str()) + 1;
  return FolderOfPath(path.c_str(), folder) && AppendFileRow(folder, name);
}

// A folder is scanned as the per-folder command scans the chosen one; a
// drive's root keeps its "\", any other folder loses a trailing one.
bool AddFolder(std::string path) {
  if (path.size() > 3 && cp932::EndsWithBackslash(path.c_str())) path.pop_back();
  int before = RowCount();
  ScanOneFolder(path.c_str(), before);
  return RowCount() > before;
}

bool AddOne(const std::string& path) {
  if (path.size() > kMaxPathText) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? AddFolder(path) : AddFile(path);
}

// Every entry a wildcard matches is handled as if it had been named.
bool AddMatches(const std::string& pattern) {
  char folder[kPathTextSize];
  if (pattern.size() > kMaxPathText || !FolderOfPath(pattern.c_str(), folder)) return false;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    const char* name = UsableName(data.cFileName, data.cAlternateFileName);
    if (name && IsDotOrDotDot(name)) continue;
    char path[kPathTextSize];
    ok = name && JoinPath(path, folder, name) && AddOne(path) && ok;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return ok;
}

}  // namespace

std::vector<std::string> ResolvePaths(const std::vector<std::wstring>& args) {
  std::vector<std::string> paths;
  for (const std::wstring& arg : args) {
    if (arg.empty()) continue;
    if (arg[0] != L'@') {
      paths.push_back(ResolveOne(arg));
      continue;
    }
    std::string text;
    if (!ReadListFile(FullPathW(arg.substr(1)), &text)) {
      std::string shown;
      ToCodePage(arg, &shown);
      paths.push_back(Unnamed(shown));
      continue;
    }
    // The lines are code page text already; relative ones count from here too.
    for (const std::string& entry : ListFileEntries(text)) paths.push_back(FullPathA(entry));
  }
  return paths;
}

void AddPaths(HWND owner, const std::vector<std::string>& paths) {
  const std::string* failed = nullptr;
  HoldListDrawing(g_fileList);
  for (const std::string& path : paths) {
    bool ok = !path.empty() && path[0] != kUnnamedMark && (HasWildcard(path) ? AddMatches(path) : AddOne(path));
    if (!ok && !failed) failed = &path;
  }
  ResumeListDrawing(g_fileList);
  if (!failed) return;
  std::string shown = (*failed)[0] == kUnnamedMark ? failed->substr(1) : *failed;
  ShowMessage(owner, ("読込出来ません！\n" + shown).c_str(), "ファイル追加操作", MB_ICONWARNING);
}
