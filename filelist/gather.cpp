#include "filelist/gather.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "common/app_state.h"
#include "common/modal.h"
#include "filelist/current_folder.h"
#include "filelist/entry_rules.h"
#include "filelist/file_list.h"
#include "filelist/folder_walk.h"
#include "filelist/found_name.h"
#include "common/list_view.h"
#include "filelist/path_text.h"

namespace {

constexpr size_t kOpenFileBufferSize = 2048;
constexpr char kCannotLoad[] = "読込出来ません！";

// Browse preselection: opens the browse dialog on the folder in data.
int CALLBACK BrowsePreselection(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

// Shows the browse dialog starting at f; out (260 bytes) gets the chosen
// folder, or an empty text when none was chosen.
void BrowseFolder(const char* title, char* out) {
  char start[kPathTextSize];
  CopyCurrentFolder(start);
  BROWSEINFOA info = {};
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowsePreselection;
  info.lParam = reinterpret_cast<LPARAM>(start);
  RunBrowseForFolder(&info, out);
  out[MAX_PATH - 1] = '\0';
}

// The walk's folder lister: every entry of a FindFirstFileA search that can
// be named (a folder holding "?" would list as a wildcard).
bool ListWithFindFile(void*, const char* pattern, VisitEntry visit, void* walk) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern, &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const char* name = UsableName(data.cFileName, data.cAlternateFileName);
    if (name && !visit(walk, name, data.dwFileAttributes)) break;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

// Builds the open-file filter (64 bytes): the selected extension (at most
// 7 characters), then all files, ended by two zero bytes.
void BuildFilter(const char* ext, char* filter) {
  std::memset(filter, 0, 64);
  int at = std::snprintf(filter, 64, "File(*.%s)", ext) + 1;
  at += std::snprintf(filter + at, 64 - at, "*.%s", ext) + 1;
  std::memcpy(filter + at, "AllFile(*.*)\0*.*", 17);
}

// Looks up one chosen file. A name holding "?" lost characters outside code
// page 932 in the dialog, and as a search it is a wildcard that may find
// other files: only an entry reported under that very name is taken, and
// only when no other one is.
bool FindChosenFile(const char* folder, const char* name, WIN32_FIND_DATAA* found) {
  char path[kPathTextSize];
  WIN32_FIND_DATAA data;
  HANDLE find = JoinPath(path, folder, name) ? FindFirstFileA(path, &data) : INVALID_HANDLE_VALUE;
  if (find == INVALID_HANDLE_VALUE) return false;
  bool wildcard = std::strchr(name, '?') != nullptr;
  int same = 0;
  do {
    if (wildcard && std::strcmp(data.cFileName, name) != 0) continue;
    *found = data;
    ++same;
  } while (wildcard && FindNextFileA(find, &data));
  FindClose(find);
  return same == 1;
}

}  // namespace

bool AppendFileRow(const char* folder, const char* name) {
  WIN32_FIND_DATAA data;
  if (!FindChosenFile(folder, name, &data)) return false;
  const char* usable = UsableName(data.cFileName, data.cAlternateFileName);
  if (!usable) return false;
  char date[40] = {};
  int32_t sizeKb = 0;
  RowTextsFromFindData(data, date, &sizeKb);
  AppendRow(usable, folder, date, sizeKb, RowCount());
  return true;
}

int32_t ScanOneFolder(const char* folder, int32_t rowIndex) {
  char ext[8];
  CopySelectedExtension(ext);
  char pattern[kPathTextSize];
  if (!ScanPattern(pattern, folder, ext)) return 0;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern, &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  size_t folderLen = std::strlen(folder);
  HoldListDrawing(g_fileList);
  do {
    // An entry that can not be named, or whose full path would not fit a
    // path text, is passed over.
    const char* name = UsableName(data.cFileName, data.cAlternateFileName);
    if (!name || IsDotOrDotDot(name) || !JoinedPathFits(folderLen, name)) continue;
    char date[40] = {};
    int32_t sizeKb = 0;
    RowTextsFromFindData(data, date, &sizeKb);
    AppendRow(name, folder, date, sizeKb, rowIndex++);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  ResumeListDrawing(g_fileList);
  return rowIndex;
}

void AddFolderCommand(HWND window) {
  char chosen[MAX_PATH];
  BrowseFolder("特定ファイルのフォルダを選択", chosen);
  if (chosen[0] == '\0') return;  // cancelled: no scan, no message
  // A folder too long for f is not stored cut short; it loads nothing.
  bool fits = std::strlen(chosen) <= kMaxPathText;
  if (fits) SetCurrentFolder(chosen);
  // Counted only now: the browse dialog has no owner, so rows may have been
  // removed while it was open.
  if (!fits || ScanOneFolder(chosen, RowCount()) == 0) ShowMessage(window, kCannotLoad, "file追加", MB_ICONWARNING);
}

void AddSubfoldersCommand(HWND, int drawingType) {
  char chosen[MAX_PATH];
  BrowseFolder(drawingType == 1 ? "  dwgファイルのフォルダを選択  " : "  dxfファイルのフォルダを選択  ", chosen);
  // Cancelled, or too long for f: nothing to walk, and this command never warns.
  if (chosen[0] == '\0' || std::strlen(chosen) > kMaxPathText) return;
  SetCurrentFolder(chosen);
  FolderTable table;
  WalkFolders(chosen, &table, ListWithFindFile, nullptr);
  int32_t rowIndex = RowCount();
  for (int i = 0; i < table.count && table.entries[i].listed; ++i) {
    int32_t next = ScanOneFolder(table.entries[i].path, rowIndex);
    if (next != 0) rowIndex = next;
  }
}

void AddFilesCommand(HWND window) {
  char ext[8];
  CopySelectedExtension(ext);
  char filter[64];
  BuildFilter(ext, filter);
  // Two zero bytes past nMaxFile keep every read of the names inside.
  char files[kOpenFileBufferSize + 2] = {};
  CopyCurrentFolder(files);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = window;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = files;
  ofn.nMaxFile = kOpenFileBufferSize;
  ofn.lpstrTitle = "ファイル読み出し";
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
  if (!RunOpenFileDialog(&ofn)) return;
  if (ofn.nFileOffset >= kPathTextSize) return;
  char folder[kPathTextSize];
  ChosenFilesFolder(files, ofn.nFileOffset, folder);
  bool missed = false;
  for (const char* name = files + ofn.nFileOffset; *name != '\0'; name += std::strlen(name) + 1) {
    if (!AppendFileRow(folder, name)) missed = true;
  }
  if (folder[0] != '\0') SetCurrentFolder(folder);
  if (missed) ShowMessage(window, kCannotLoad, "ファイル追加操作", MB_ICONWARNING);
}
