#include <windows.h>

#include "app/entry.h"
#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!StartTool(instance, show)) return 0;
  int code = RunMessageLoop();
  FinishTool();
  return code;
}
