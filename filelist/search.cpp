#include "filelist/search.h"

#include <imagehlp.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/code_page.h"
#include "common/lazy_proc.h"
#include "common/modal.h"
#include "common/cp932.h"
#include "common/list_view.h"
#include "filelist/entry_rules.h"
#include "filelist/file_list.h"
#include "filelist/file_rows.h"
#include "filelist/path_text.h"
#include "filelist/search_history.h"
#include "resource.h"

namespace {

void FillSearchDialog(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_SEARCH_TEXT);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  int count = HistoryCount(g_search);
  for (int i = 0; i < count; ++i) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(g_search.history[i]));
  }
  if (count > 0) SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_search.history[0]));
}

// "検索": the box's text becomes the search text, the history may grow.
INT_PTR OnSearchCommand(HWND dialog, WORD id) {
  if (id != IDC_SEARCH_GO) return FALSE;
  std::memset(g_search.text, 0, sizeof g_search.text);
  GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, g_search.text, sizeof g_search.text);
  RememberSearchText(g_search, g_search.text);
  EndDialog(dialog, 1);
  return TRUE;
}

// Only the button and closing the window end it: Enter and Escape do nothing.
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: FillSearchDialog(dialog); return TRUE;
    case WM_COMMAND: return OnSearchCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: EndDialog(dialog, 1); return TRUE;
    default: return FALSE;
  }
}

// The search-progress dialog only asks the user to wait.
INT_PTR CALLBACK SearchingDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

using SearchTree = decltype(&SearchTreeForFile);

// Searches the fixed drives a: to z: in order; the first hit wins. found is
// MAX_PATH + 1 bytes, so it stays terminated whatever the search writes.
bool SearchFixedDrives(SearchTree search, const char* name, char* found) {
  char file[kPathTextSize] = {};
  std::memcpy(file, name, strnlen(name, kMaxPathText));
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    char root[4] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) != DRIVE_FIXED) continue;
    std::memset(found, 0, MAX_PATH + 1);
    if (search(root, file, found)) return true;
  }
  std::memset(found, 0, MAX_PATH + 1);
  return false;
}

// name as the ANSI calls report it: through the code page's best-fit table.
std::string AnsiName(const wchar_t* name) {
  char text[MAX_PATH * 2];
  int n = WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
  return n > 0 ? std::string(text, static_cast<size_t>(n - 1)) : std::string();
}

// The files under folder (ending in "\") whose ANSI path from there reads
// rest; stops at the second.
void FindSpelled(const std::wstring& folder, const std::string& rest, std::vector<std::wstring>* found) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = AnsiName(data.cFileName);
    if (name.empty() || IsDotOrDotDot(name.c_str())) continue;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (rest == name) found->push_back(folder + data.cFileName);
    } else if (rest.size() > name.size() && rest.compare(0, name.size(), name) == 0 && rest[name.size()] == '\\') {
      // name ends on a character's end, so this "\" is a whole character.
      FindSpelled(folder + data.cFileName + L'\\', rest.substr(name.size() + 1), found);
    }
  } while (found->size() < 2 && FindNextFileW(find, &data));
  FindClose(find);
}

// Appends the found file as the last row, or warns when it can not be loaded.
// The search reports its hit in ANSI: a\b.dwg may stand for a¥b.dwg beside a
// folder a holding b.dwg. The hit is taken only when one file reads as it, and
// then by a name the code page holds (AppendPathRow refuses a path too long
// for a path text rather than cut it into another).
void AddFoundFile(HWND window, const char* found) {
  std::vector<std::wstring> files;
  std::string hit = found;
  if (hit.size() > 3) FindSpelled(ToWide(hit.substr(0, 3)), hit.substr(3), &files);
  if (files.size() == 1 && AppendPathRow(files[0])) return;
  ShowMessage(window, "読込出来ません！", "ファイル追加操作", MB_ICONWARNING);
}

}  // namespace

void ListSearchCommand(HWND window) {
  RunModalDialog(IDD_SEARCH, window, SearchDialogProc, 0);
  int count = RowCount();
  HoldListDrawing(g_fileList);
  for (int row = 0; row < count; ++row) {
    char name[kPathTextSize];
    GetRowText(row, 0, name, sizeof name);
    if (cp932::Contains(name, g_search.text)) MarkRow(row, true);
  }
  ResumeListDrawing(g_fileList);
}

void DriveSearchCommand(HWND window) {
  std::memset(g_search.text, 0, sizeof g_search.text);
  RunModalDialog(IDD_SEARCH, window, SearchDialogProc, 0);
  if (g_search.text[0] == '\0') return;
  auto search = LazyProc<SearchTree>(window, "imagehlp.dll", "SearchTreeForFile");
  if (!search) return;  // the warning named the library: no search, no "not found"
  HWND progress = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SEARCHING), window, SearchingDialogProc, 0);
  g_modelessDialog = progress;
  ShowWindow(progress, SW_SHOWNORMAL);
  UpdateWindow(progress);  // the search holds the thread for minutes: paint it now
  char found[MAX_PATH + 1];
  if (SearchFixedDrives(search, g_search.text, found)) {
    AddFoundFile(window, found);
  } else {
    ShowMessage(window, "ＨＤＤ内にありませんでした。", "ファイル検索", MB_ICONWARNING);
  }
  if (progress) DestroyWindow(progress);
  if (g_modelessDialog == progress) g_modelessDialog = nullptr;
}
