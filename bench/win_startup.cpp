// Start-up to the main window shown, against a minimal Win32 program and
// against the floor of the tool's interface: the same manifest and the same
// three common controls (toolbar, list view, status bar) in a bare window.
#include <string>
#include <vector>

#include "bench_util.h"

namespace {

struct Search {
  DWORD pid;
  HWND window;
};

BOOL CALLBACK FindVisible(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == s->pid && IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) {
    s->window = w;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to a visible top-level window; -1 on failure.
double TimeToWindow(const std::string& exe, const std::string& workDir) {
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  double start = NowMs();
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, workDir.c_str(), &si, &pi)) return -1;
  Search s = {pi.dwProcessId, nullptr};
  while (!s.window && NowMs() - start < 20000) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
    if (!s.window) Sleep(1);
  }
  double elapsed = NowMs() - start;
  if (s.window) PostMessageA(s.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return s.window ? elapsed : -1;
}

}  // namespace

int main() {
  std::string dir = ProgramDir();
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string work = std::string(temp) + "plimsar-bench-startup";
  CreateDirectoryA(work.c_str(), nullptr);
  std::vector<double> tool, reference, controls;
  TimeToWindow(dir + "plimsar.exe", work);  // warm the file cache once
  TimeToWindow(dir + "ref_minimal_window.exe", work);
  TimeToWindow(dir + "ref_controls_window.exe", work);
  for (int i = 0; i < 11; ++i) {
    tool.push_back(TimeToWindow(dir + "plimsar.exe", work));
    reference.push_back(TimeToWindow(dir + "ref_minimal_window.exe", work));
    controls.push_back(TimeToWindow(dir + "ref_controls_window.exe", work));
  }
  for (double t : tool) {
    if (t < 0) {
      std::printf("startup: failed to show the main window\n");
      return 1;
    }
  }
  for (double t : controls) {
    if (t < 0) {
      std::printf("startup: the reference with controls failed to show its window\n");
      return 1;
    }
  }
  PrintRatio("startup", Median(tool), Median(reference));
  PrintRatio("startup_vs_controls", Median(tool), Median(controls));
  DeleteFileA((work + "\\plimsar.ini").c_str());
  RemoveDirectoryA(work.c_str());
  return 0;
}
