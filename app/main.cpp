#include <windows.h>

#include "app/entry.h"
#include "app/handover.h"
#include "app/main_window.h"
#include "filelist/add_paths.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  std::vector<HandedPath> paths = CommandLinePaths();
  // "Send to" on a selection fills the list that is already open.
  if (!paths.empty() && ForwardToOpenWindow(paths)) return 0;
  HWND window = StartTool(instance, show);
  if (!window) return 0;
  AddPaths(window, paths);
  int code = RunMessageLoop();
  FinishTool();
  return code;
}
