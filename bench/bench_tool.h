// The tool's main window in a benchmark program, and one timed run of it.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "app/entry.h"
#include "app/main_window.h"
#include "common/app_state.h"
#include "common/modal.h"
#include "bench_util.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

// A fresh working folder under %TEMP%, made current, with the main window
// shown in it; nullptr when the window cannot be made.
inline HWND OpenBenchWindow(const char* name, std::string* dir) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  *dir = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir->c_str(), nullptr);
  SetCurrentDirectoryA(dir->c_str());
  HWND window = StartTool(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  if (!window) return nullptr;
  PumpPending();
  return window;
}

// Closes the window and removes the folder and its settings file.
inline void CloseBenchWindow(HWND window, const std::string& dir) {
  DestroyWindow(window);
  PumpPending();
  DeleteFileA((dir + "\\plimsar.ini").c_str());
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  SetCurrentDirectoryA(temp);
  RemoveDirectoryA(dir.c_str());
}

// Message boxes shown so far. A launch that fails reports itself in a box;
// here it is counted and answered, so an unattended benchmark never waits.
inline std::atomic<int>& BenchBoxes() {
  static std::atomic<int> count{0};
  return count;
}

// The stand-in as the program to launch, with no time limit and no log:
// given no behaviour, it leaves at once.
inline std::string UseStandin() {
  ModalHooks hooks;
  hooks.messageBox = [](HWND, const char*, const char*, UINT) {
    ++BenchBoxes();
    return IDOK;
  };
  SetModalHooks(hooks);
  std::string program = ProgramDir() + "standin.exe";
  std::lock_guard<std::mutex> lock(SettingsMutex());
  std::memset(g_settings.p, 0, sizeof g_settings.p);
  std::memcpy(g_settings.p, program.c_str(), program.size() < 255 ? program.size() : 255);
  g_settings.off_mode = 0;
  SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", nullptr);
  return program;
}

// The tool's run of the whole list, from the run command to the worker's end.
inline double ToolRun(HWND window) {
  int boxes = BenchBoxes();
  double start = NowMs();
  StartRun(window, kRunWholeList);
  HANDLE worker = nullptr;
  DuplicateHandle(GetCurrentProcess(), g_run.workerThread, GetCurrentProcess(), &worker, SYNCHRONIZE, FALSE, 0);
  while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpPending();
  double spent = NowMs() - start;
  CloseHandle(worker);
  // Let the end-of-run tick release the run.
  while (g_run.workerThread) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    PumpPending();
  }
  if (BenchBoxes() != boxes) std::printf("(%d launches failed in this run)\n", BenchBoxes() - boxes);
  return spent;
}
