// The run on the window's taskbar button: the share of rows done while it
// lasts, and a flash when it ends by itself unwatched. A run of hundreds of
// drawings takes hours, and the window is mostly minimized meanwhile.
#pragma once
#include <windows.h>

#include <cstdint>

// What reaches the taskbar. Tests replace it; the default talks to
// ITaskbarList3, made on first use, and flashes with FlashWindowEx.
struct TaskbarCalls {
  bool (*progress)(HWND window, uint64_t done, uint64_t total);  // false: no interface, or it failed
  void (*clear)(HWND window);
  void (*flash)(HWND window);
};
extern TaskbarCalls g_taskbarCalls;

// The registered "TaskbarButtonCreated" message; before it, the button has
// nothing to show progress on.
UINT TaskbarButtonCreatedMessage();
LRESULT OnTaskbarButtonCreated(HWND window);  // returns 0

// At every progress tick: done of total captured rows, when that changed.
void ShowRunProgress(HWND window, int32_t done, int32_t total);

// At the end of a run: the progress goes, and a run that ended by itself while
// the window was not in the foreground flashes the button until it is.
void ShowRunEnded(HWND window, bool byItself);
