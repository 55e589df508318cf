#include "filelist/gather.h"

#include <shlobj.h>

#include <cstring>
#include <string>

#include "common/code_page.h"
#include "common/modal.h"
#include "filelist/current_folder.h"
#include "filelist/file_list.h"
#include "filelist/file_rows.h"
#include "filelist/folder_walk.h"
#include "filelist/found_entry.h"
#include "filelist/path_text.h"

namespace {

constexpr size_t kOpenFileBufferSize = 2048;
constexpr char kCannotLoad[] = "読込出来ません！";

// Browse preselection: opens the browse dialog on the folder in data.
int CALLBACK BrowsePreselection(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

// Shows the browse dialog starting at f; false when no folder was chosen.
// folder gets the chosen one as the code page can hold it, or stays empty
// when it can not: a look-alike would be another folder.
bool BrowseFolder(const wchar_t* title, std::string* folder) {
  char f[kPathTextSize];
  CopyCurrentFolder(f);
  const std::wstring start = ToWide(f);
  BROWSEINFOW info = {};
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowsePreselection;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  wchar_t chosen[MAX_PATH] = {};
  RunBrowseForFolder(&info, chosen);
  chosen[MAX_PATH - 1] = L'\0';
  if (chosen[0] == L'\0') return false;
  if (!CodePagePath(chosen, folder)) folder->clear();
  return true;
}

// The walk's folder lister: every entry of a search that can be named, so a
// folder s¥t is walked by its short name, never as the folder s\t.
bool ListWithFindFile(void*, const char* pattern, VisitEntry visit, void* walk) {
  return ForEachFound(pattern, [&](const char* name, const WIN32_FIND_DATAW& data) {
    return visit(walk, name, data.dwFileAttributes);
  });
}

// The open-file filter: the selected extension (at most 7 characters), then
// all files, ended by two zero characters.
std::wstring BuildFilter(const std::wstring& ext) {
  const wchar_t zero = L'\0';
  return L"File(*." + ext + L")" + zero + L"*." + ext + zero + L"AllFile(*.*)" + zero + L"*.*" + zero + zero;
}

}  // namespace

void AddFolderCommand(HWND window) {
  std::string chosen;
  if (!BrowseFolder(L"特定ファイルのフォルダを選択", &chosen)) return;  // cancelled: no scan, no message
  // A folder the code page can not hold, or too long for f, is not stored cut
  // short or as a look-alike; it loads nothing.
  bool held = !chosen.empty() && chosen.size() <= kMaxPathText;
  if (held) SetCurrentFolder(chosen.c_str());
  // Counted only now: the browse dialog has no owner, so rows may have been
  // removed while it was open.
  int32_t before = RowCount();
  if (held) ScanOneFolder(chosen.c_str(), before);
  // One warning also when every entry was passed over, whatever the list held.
  if (RowCount() == before) ShowMessage(window, kCannotLoad, "file追加", MB_ICONWARNING);
}

void AddSubfoldersCommand(HWND, int drawingType) {
  std::string chosen;
  bool picked =
      BrowseFolder(drawingType == 1 ? L"  dwgファイルのフォルダを選択  " : L"  dxfファイルのフォルダを選択  ", &chosen);
  // Cancelled, not held by the code page or too long for f: nothing to walk,
  // and this command never warns.
  if (!picked || chosen.empty() || chosen.size() > kMaxPathText) return;
  SetCurrentFolder(chosen.c_str());
  FolderTable table;
  WalkFolders(chosen.c_str(), &table, ListWithFindFile, nullptr);
  int32_t rowIndex = RowCount();
  for (int i = 0; i < table.count && table.entries[i].listed; ++i) {
    int32_t next = ScanOneFolder(table.entries[i].path, rowIndex);
    if (next != 0) rowIndex = next;
  }
}

void AddFilesCommand(HWND window) {
  char ext[8];
  CopySelectedExtension(ext);
  const std::wstring filter = BuildFilter(ToWide(ext));
  char f[kPathTextSize];
  CopyCurrentFolder(f);
  // Two zero characters past nMaxFile keep every read of the names inside.
  wchar_t files[kOpenFileBufferSize + 2] = {};
  ToWide(f).copy(files, kOpenFileBufferSize - 1);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  ofn.hwndOwner = window;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = files;
  ofn.nMaxFile = kOpenFileBufferSize;
  ofn.lpstrTitle = L"ファイル読み出し";
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
  if (!RunOpenFileDialogW(&ofn) || ofn.nFileOffset >= kOpenFileBufferSize) return;
  // The folder: the text before the first name, up to its zero, less one trailing "\".
  std::wstring folder(files, wcsnlen(files, ofn.nFileOffset));
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  std::string held;
  bool fits = CodePagePath(folder, &held) && held.size() <= kMaxPathText;
  bool missed = !fits;
  for (const wchar_t* name = files + ofn.nFileOffset; fits && *name != L'\0'; name += wcslen(name) + 1) {
    if (!AppendPathRow(folder + L'\\' + name)) missed = true;
  }
  if (fits) SetCurrentFolder(held.c_str());
  if (missed) ShowMessage(window, kCannotLoad, "ファイル追加操作", MB_ICONWARNING);
}
