// Per-job overhead against what a Windows user would otherwise script:
//   cmd /c for %f in (*.dwg) do start "" /wait "<program>" "%f"
// over the same 100 files, with a program that exits at once, in the same Wine session.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "bench_tool.h"
#include "filelist/file_list.h"

namespace {

constexpr int kJobs = 100;
constexpr int kRepetitions = 5;

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
  std::string dir;
  HWND window = OpenBenchWindow("plimsar-bench-peer", &dir);
  if (!window) return 1;
  std::string program = UseStandin();
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
  for (const std::string& f : files) DeleteFileA(f.c_str());
  CloseBenchWindow(window, dir);
  return 0;
}
