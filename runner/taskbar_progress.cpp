#include "runner/taskbar_progress.h"

#include <objbase.h>
#include <shobjidl.h>

#include "common/lazy_proc.h"

namespace {

// Defined here rather than taken from libuuid, which the tool does not link.
constexpr CLSID kTaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
constexpr IID kTaskbarList3 = {0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

ITaskbarList3* g_list;  // made at the first progress shown, released when the run ends

ITaskbarList3* MakeTaskbarList() {
  // The entry loads ole32 and starts this thread's apartment once the window
  // shows; without them there is no taskbar interface to have.
  if (!GetModuleHandleA("ole32.dll")) return nullptr;
  auto create = LazyProc<decltype(&CoCreateInstance)>(nullptr, "ole32.dll", "CoCreateInstance");
  void* list = nullptr;
  if (!create || FAILED(create(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3, &list))) {
    return nullptr;
  }
  auto* taskbar = static_cast<ITaskbarList3*>(list);
  if (FAILED(taskbar->HrInit())) {
    taskbar->Release();
    return nullptr;
  }
  return taskbar;
}

bool ComProgress(HWND window, uint64_t done, uint64_t total) {
  if (!g_list) g_list = MakeTaskbarList();
  if (!g_list) return false;
  if (SUCCEEDED(g_list->SetProgressValue(window, done, total))) return true;
  g_list->Release();
  g_list = nullptr;
  return false;
}

void ComClear(HWND window) {
  if (!g_list) return;
  g_list->SetProgressState(window, TBPF_NOPROGRESS);
  g_list->Release();
  g_list = nullptr;
}

void Flash(HWND window) {
  FLASHWINFO info = {sizeof info, window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&info);
}

HWND g_button;  // the window whose button exists, while the interface has not failed on it
bool g_shown;   // progress is on the button
int32_t g_shownDone = -1;
int32_t g_shownTotal = -1;

}  // namespace

TaskbarCalls g_taskbarCalls = {ComProgress, ComClear, Flash};

UINT TaskbarButtonCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarButtonCreated");
  return message;
}

LRESULT OnTaskbarButtonCreated(HWND window) {
  // Also when the shell restarts: the new button shows the progress afresh.
  g_button = window;
  g_shownDone = g_shownTotal = -1;
  return 0;
}

void ShowRunProgress(HWND window, int32_t done, int32_t total) {
  if (window != g_button || (done == g_shownDone && total == g_shownTotal)) return;
  if (!g_taskbarCalls.progress(window, static_cast<uint64_t>(done), static_cast<uint64_t>(total))) {
    g_button = nullptr;  // missing or broken: the run goes on without it
    return;
  }
  g_shown = true;
  g_shownDone = done;
  g_shownTotal = total;
}

void ShowRunEnded(HWND window, bool byItself) {
  if (g_shown) g_taskbarCalls.clear(window);
  g_shown = false;
  g_shownDone = g_shownTotal = -1;
  if (byItself && GetAncestor(GetForegroundWindow(), GA_ROOTOWNER) != window) g_taskbarCalls.flash(window);
}
