// One-folder scan of 10,000 matching files into the file list, against a
// bare FindFirstFileA/FindNextFileA loop over the same folder that appends
// the same, already made, texts to the list view. Both hold the list's
// drawing while they append, as a shown list view otherwise repaints for
// every row and the repaints, not the work, would be measured.
// Then the same folder given on the command line, against the per-folder
// command choosing it.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/code_page.h"
#include "app/entry.h"
#include "app/main_window.h"
#include "bench_util.h"
#include "filelist/file_list.h"
#include "filelist/file_rows.h"
#include "filelist/gather.h"
#include "common/list_view.h"
#include "common/modal.h"
#include "filelist/add_paths.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kRepetitions = 7;

// The reference: the file search and the list-view calls, nothing else.
int ReferenceScan(const std::string& folder, const std::vector<std::string>& dates,
                  const std::vector<std::string>& sizes) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*.dwg").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int row = 0;
  HoldListDrawing(g_fileList);
  do {
    InsertListRow(g_fileList, row, data.cFileName, 0);
    SetListText(g_fileList, row, 1, folder.c_str());
    SetListText(g_fileList, row, 2, dates[row % dates.size()].c_str());
    SetListText(g_fileList, row, 3, sizes[row % sizes.size()].c_str());
    ++row;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  ResumeListDrawing(g_fileList);
  return row;
}

void ClearList() {
  SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

int main() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "plimsar-bench-scan-" + std::to_string(GetCurrentProcessId());
  std::string folder = dir + "\\files";
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\plan%05d.dwg", i);
    HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, name, static_cast<DWORD>(i % 20), &written, nullptr);
    CloseHandle(file);
  }
  HANDLE ini = CreateFileA((dir + "\\plimsar.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char settings[] = "filetypemax=1\r\nfile_type0=dwg\r\nfileselect=0\r\nf=c:\\\r\n";
  DWORD written = 0;
  WriteFile(ini, settings, sizeof settings - 1, &written, nullptr);
  CloseHandle(ini);

  SetCurrentDirectoryA(dir.c_str());
  HWND window = StartTool(GetModuleHandleA(nullptr), SW_SHOWNORMAL);

  // The texts the reference appends, made beforehand from the same entries.
  std::vector<std::string> dates, sizes;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(ToWide(folder + "\\*.dwg").c_str(), &data);
  do {
    char date[40] = {};
    int32_t sizeKb = 0;
    RowTextsFromFindData(data, date, &sizeKb);
    dates.push_back(date);
    sizes.push_back(std::to_string(sizeKb));
  } while (FindNextFileW(find, &data));
  FindClose(find);

  std::vector<double> tool, reference;
  for (int rep = 0; rep < kRepetitions; ++rep) {
    ClearList();
    double start = NowMs();
    int32_t rows = ScanOneFolder(folder.c_str(), 0);
    tool.push_back(NowMs() - start);
    if (rows != kFiles) std::printf("scan: appended %d rows, not %d\n", static_cast<int>(rows), kFiles);
    ClearList();
    start = NowMs();
    ReferenceScan(folder, dates, sizes);
    reference.push_back(NowMs() - start);
  }
  PrintRatio("scan", Median(tool), Median(reference));

  const std::wstring argument(folder.begin(), folder.end());  // the temp path is plain ASCII
  ModalHooks hooks;
  hooks.browseFolder = [&](BROWSEINFOW*, wchar_t* out) { lstrcpynW(out, argument.c_str(), MAX_PATH); };
  SetModalHooks(hooks);
  std::vector<double> byArgument, byCommand;
  for (int rep = 0; rep < kRepetitions; ++rep) {
    ClearList();
    double start = NowMs();
    AddPaths(window, ResolvePaths({argument}));
    byArgument.push_back(NowMs() - start);
    if (RowCount() != kFiles) std::printf("command-line folder: %d rows, not %d\n", RowCount(), kFiles);
    ClearList();
    start = NowMs();
    AddFolderCommand(window);
    byCommand.push_back(NowMs() - start);
  }
  PrintRatio("add a folder from the command line, against the per-folder command", Median(byArgument),
             Median(byCommand));

  DestroyWindow(window);
  SetCurrentDirectoryA(temp);
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\plan%05d.dwg", i);
    DeleteFileA((folder + name).c_str());
  }
  DeleteFileA((dir + "\\plimsar.ini").c_str());
  RemoveDirectoryA(folder.c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
