#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "settings/settings_file.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (!RegisterMainWindowClass(instance)) return 0;
  HWND window = CreateMainWindow(instance);
  if (!window) return 0;
  ShowWindow(window, show);
  UpdateWindow(window);
  RecordStartupDirectory();
  int code = RunMessageLoop();
  SaveSettings(nullptr);
  return code;
}
