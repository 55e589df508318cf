// Per-job overhead against what a Windows user would otherwise script:
//   cmd /c for %f in (*.dwg) do start "" /wait "<program>" "%f"
// over the same 100 files, with a program that exits at once, in the same Wine session.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "bench_util.h"
#include "filelist/file_list.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

constexpr int kJobs = 100;
constexpr int kRepetitions = 5;

// From the run command until the worker has ended.
double ToolRun(HWND window) {
  double start = NowMs();
  StartRun(window, kRunWholeList);
  while (g_run.running) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    PumpPending();
  }
  double spent = NowMs() - start;
  while (g_run.workerThread) {  // the next progress tick releases the run
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    PumpPending();
  }
  return spent;
}

double PeerRun(const std::string& program, const std::string& dir) {
  std::string line = "cmd.exe /c for %f in (*.dwg) do start \"\" /wait \"" + program + "\" \"%f\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  double start = NowMs();
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &info)) return -1;
  WaitForSingleObject(info.hProcess, INFINITE);
  double spent = NowMs() - start;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return spent;
}

}  // namespace

int main() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "plimsar-bench-peer-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  SetCurrentDirectoryA(dir.c_str());
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterMainWindowClass(instance)) return 1;
  HWND window = CreateMainWindow(instance);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  RecordStartupDirectory();
  PumpPending();

  std::string program = ProgramDir() + "standin.exe";
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    std::memset(g_settings.p, 0, sizeof g_settings.p);
    std::memcpy(g_settings.p, program.c_str(), program.size() < 255 ? program.size() : 255);
    g_settings.off_mode = 0;
  }
  SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", nullptr);
  // Empty files: the stand-in leaves at once.
  std::vector<std::string> files;
  for (int i = 0; i < kJobs; ++i) {
    char name[16];
    wsprintfA(name, "f%03d.dwg", i);
    files.push_back(dir + "\\" + name);
    HANDLE h = CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    AppendRow(name, dir.c_str(), "2024/01/01 00:00", 1, i);
  }
  std::vector<double> tool, peer;
  for (int r = 0; r < kRepetitions; ++r) {
    peer.push_back(PeerRun(program, dir));
    tool.push_back(ToolRun(window));
  }
  PrintRatio("per-job overhead against cmd for/start /wait (100 jobs)", Median(tool), Median(peer));
  DestroyWindow(window);
  PumpPending();
  for (const std::string& f : files) DeleteFileA(f.c_str());
  DeleteFileA((dir + "\\plimsar.ini").c_str());
  SetCurrentDirectoryA(temp);
  RemoveDirectoryA(dir.c_str());
  return 0;
}
