#include "app/handed_files.h"

#include <shellapi.h>

#include <deque>

#include "app/main_window.h"
#include "common/lazy_proc.h"
#include "filelist/add_paths.h"
#include "filelist/path_args.h"

namespace {

constexpr ULONG_PTR kPathsTag = 0x504C4D53;  // "PLMS": a block of paths from another start
constexpr DWORD kMaxBlockBytes = 4u << 20;
// A busy window is looked at this often, to notice that its process has gone.
constexpr UINT kBusyProbeMs = 1000;
constexpr char kStartMutexName[] = "Local\\Plimsar.Start";

// Blocks that WM_COPYDATA took and the window has not added yet. Only the
// window's thread touches it.
std::deque<HandedList> g_arrived;

// Consecutive paths packed into one block; end is the index after its last.
struct Block {
  size_t end;
  std::string bytes;
};

// A window takes blocks of up to kMaxBlockBytes: a longer list goes in halves.
void PackBlocks(const HandedList& paths, size_t first, size_t last, std::vector<Block>* blocks) {
  std::string bytes = PackPaths(HandedList(paths.begin() + first, paths.begin() + last));
  if (bytes.size() <= kMaxBlockBytes || last - first == 1) {
    blocks->push_back({last, std::move(bytes)});
    return;
  }
  size_t middle = first + (last - first) / 2;
  PackBlocks(paths, first, middle, blocks);
  PackBlocks(paths, middle, last, blocks);
}

enum class Reach { kAnswers, kGone, kRefused };

bool Gone(HWND window, HANDLE process) {
  return !IsWindow(window) || (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0);
}

// Waits until window's thread answers, for as long as the window and its
// process last.
Reach WaitUntilAnswering(HWND window, HANDLE process) {
  for (;;) {
    // A probe that timed out may still be delivered later: WM_NULL does nothing.
    DWORD start = GetTickCount();
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kBusyProbeMs, &answer)) return Reach::kAnswers;
    if (Gone(window, process)) return Reach::kGone;
    if (GetTickCount() - start < kBusyProbeMs / 2) return Reach::kRefused;  // failed at once: not busy
  }
}

void BringToFront(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

}  // namespace

HandedList CommandLinePaths() { return ResolvePaths(SplitArguments(GetCommandLineW())); }

StartLock::StartLock(bool wanted) : mutex_(wanted ? CreateMutexA(nullptr, FALSE, kStartMutexName) : nullptr) {
  // Abandoned by a start that died also means ours. Without the mutex each
  // start goes alone, as it would have anyway.
  if (mutex_ && WaitForSingleObject(mutex_, INFINITE) == WAIT_FAILED) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
  }
}

void StartLock::Release() {
  if (!mutex_) return;
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
  mutex_ = nullptr;
}

bool ForwardToOpenWindow(HandedList& paths) {
  std::vector<Block> blocks;
  if (!paths.empty()) PackBlocks(paths, 0, paths.size(), &blocks);
  size_t next = 0;   // the first block no window has taken
  size_t taken = 0;  // the paths in the blocks before it
  bool refused = false;
  while (next < blocks.size() && !refused) {
    HWND open = FindWindowA(kMainClassName, kMainTitle);
    if (!open) break;
    DWORD pid = 0;
    GetWindowThreadProcessId(open, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    AllowSetForegroundWindow(pid);
    while (next < blocks.size()) {
      Reach reach = WaitUntilAnswering(open, process);
      refused = reach == Reach::kRefused;
      if (reach != Reach::kAnswers) break;
      std::string& bytes = blocks[next].bytes;
      COPYDATASTRUCT data = {kPathsTag, static_cast<DWORD>(bytes.size()), &bytes[0]};
      // No time limit: a send that timed out could still arrive later, and a
      // block must arrive once or not at all. The send ends when the window's
      // thread does; what a window that has gone took went with it.
      if (SendMessageA(open, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) != TRUE) {
        refused = !Gone(open, process);
        break;
      }
      taken = blocks[next++].end;
    }
    if (process) CloseHandle(process);
  }
  paths.erase(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(taken));
  return paths.empty();
}

LRESULT OnCopyData(HWND window, const COPYDATASTRUCT* data) {
  // Any process can send this message: only a well-formed block is taken.
  if (!data || data->dwData != kPathsTag || !data->lpData || data->cbData > kMaxBlockBytes) return FALSE;
  g_arrived.push_back(UnpackPaths(static_cast<const char*>(data->lpData), data->cbData));
  if (PostMessageA(window, kHandedFilesMessage, 0, 0)) return TRUE;
  g_arrived.pop_back();
  return FALSE;
}

void OnHandedFilesMessage(HWND window) {
  // Anyone may post this message; it only ever adds what WM_COPYDATA queued.
  if (g_arrived.empty()) return;
  HandedList paths = std::move(g_arrived.front());
  g_arrived.pop_front();
  BringToFront(window);
  AddPaths(window, paths);
}

void OnDropFiles(HWND window, HDROP drop) {
  const auto query = LazyProc<decltype(&DragQueryFileW)>(window, "shell32.dll", "DragQueryFileW");
  if (!query) {
    // The loader has said that shell32 is missing. A drop handle is global
    // memory, which DragFinish would only have freed.
    GlobalFree(drop);
    return;
  }
  std::vector<std::wstring> names;
  UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(query(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(query(drop, i, &name[0], static_cast<UINT>(name.size())));
    // A dropped name is a full path, never a list file.
    if (!name.empty() && name[0] != L'@') names.push_back(name);
  }
  // shell32 is loaded now, so its DragFinish is there too.
  if (const auto finish = LazyProc<decltype(&DragFinish)>(window, "shell32.dll", "DragFinish")) finish(drop);
  else GlobalFree(drop);
  AddPaths(window, ResolvePaths(names));
}
