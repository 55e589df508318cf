#include "app/entry.h"

#include <objbase.h>

#include "app/main_window.h"
#include "common/app_state.h"
#include "common/lazy_proc.h"
#include "settings/settings_file.h"

namespace {

bool g_comStarted;  // this thread's apartment is ours to end

}  // namespace

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
  // The shell's folder browser needs an apartment on this thread. ole32 is
  // loaded only now, with the window showing, so it never delays the start.
  auto start = LazyProc<decltype(&CoInitializeEx)>(window, "ole32.dll", "CoInitializeEx");
  g_comStarted = start && SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  return window;
}

void FinishTool() {
  SaveSettings(nullptr);
  if (!g_comStarted) return;
  g_comStarted = false;
  if (auto end = LazyProc<decltype(&CoUninitialize)>(nullptr, "ole32.dll", "CoUninitialize")) end();
}
