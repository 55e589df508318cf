#include "app/handover.h"

#include <shellapi.h>

#include "app/main_window.h"
#include "common/lazy_proc.h"
#include "filelist/add_paths.h"
#include "filelist/path_args.h"

namespace {

constexpr ULONG_PTR kPathsTag = 0x504C4D53;  // "PLMS": a block of paths from another start
constexpr DWORD kMaxBlockBytes = 4u << 20;
constexpr UINT kForwardTimeoutMs = 10000;

void BringToFront(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

}  // namespace

std::vector<HandedPath> CommandLinePaths() { return ResolvePaths(SplitArguments(GetCommandLineW())); }

bool ForwardToOpenWindow(const std::vector<HandedPath>& paths) {
  HWND open = FindWindowA(kMainClassName, kMainTitle);
  if (!open) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(open, &pid);
  AllowSetForegroundWindow(pid);
  std::string block = PackPaths(paths);
  COPYDATASTRUCT data = {kPathsTag, static_cast<DWORD>(block.size()), &block[0]};
  DWORD_PTR answer = 0;
  // A window that does not answer in time gets no paths: this start then
  // opens a window of its own rather than lose them.
  return SendMessageTimeoutA(open, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kForwardTimeoutMs,
                             &answer) != 0 &&
         answer == TRUE;
}

LRESULT OnCopyData(HWND window, const COPYDATASTRUCT* data) {
  // Any process can send this message: only a well-formed block is taken.
  if (!data || data->dwData != kPathsTag || !data->lpData || data->cbData > kMaxBlockBytes) return FALSE;
  auto* paths = new std::vector<HandedPath>(UnpackPaths(static_cast<const char*>(data->lpData), data->cbData));
  if (!PostMessageA(window, kForwardedPathsMessage, 0, reinterpret_cast<LPARAM>(paths))) {
    delete paths;
    return FALSE;
  }
  return TRUE;
}

void OnForwardedPaths(HWND window, LPARAM lParam) {
  auto* paths = reinterpret_cast<std::vector<HandedPath>*>(lParam);
  BringToFront(window);
  AddPaths(window, *paths);
  delete paths;
}

void OnDropFiles(HWND window, HDROP drop) {
  const auto query = LazyProc<decltype(&DragQueryFileW)>(window, "shell32.dll", "DragQueryFileW");
  const auto finish = LazyProc<decltype(&DragFinish)>(window, "shell32.dll", "DragFinish");
  if (!query || !finish) return;  // the loader has said which library is missing
  std::vector<std::wstring> names;
  UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(query(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(query(drop, i, &name[0], static_cast<UINT>(name.size())));
    // A dropped name is a full path, never a list file.
    if (!name.empty() && name[0] != L'@') names.push_back(name);
  }
  finish(drop);
  AddPaths(window, ResolvePaths(names));
}
