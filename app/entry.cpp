#include "app/entry.h"

#include "app/main_window.h"
#include "common/app_state.h"
#include "settings/settings_file.h"

HWND StartTool(HINSTANCE instance, int show) {
  if (!RegisterMainWindowClass(instance)) return nullptr;
  HWND window = CreateMainWindow(instance);
  if (!window) {
    UnregisterClassA(kMainClassName, instance);
    return nullptr;
  }
  ShowWindow(window, show);
  UpdateWindow(window);
  RecordStartupDirectory();
  return window;
}

void FinishTool() { SaveSettings(nullptr); }
