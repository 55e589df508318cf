#include <windows.h>

#include "app/entry.h"
#include "app/handed_files.h"
#include "app/main_window.h"
#include "filelist/add_paths.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  HandedList paths = CommandLinePaths();
  StartLock lock(!paths.empty());
  // "Send to" on a selection fills the list that is already open.
  if (!paths.empty() && ForwardToOpenWindow(paths)) return 0;
  HWND window = StartTool(instance, show);
  // From here a later start finds this window and forwards to it.
  lock.Release();
  if (!window) return 0;
  AddPaths(window, paths);
  int code = RunMessageLoop();
  FinishTool();
  return code;
}
