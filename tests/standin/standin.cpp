// Stand-in for the viewer the tool launches in the runner tests, and for the
// browser in the help tests: with PLIMSAR_BROWSER_LOG set, it only appends its
// command line, as it was started, to that file.
//
// It logs to the file named by PLIMSAR_STANDIN_LOG (inherited from the test
// through the tool), one line each:  <id> <event> <GetTickCount64()> <its command line>
// where id is "<pid>-<tick at its start>", as process ids are used again.
//   start   it has started
//   close   WM_CLOSE arrived at one of its windows
//   end     it leaves by itself (exit code 7); a terminated stand-in logs none
//
// What it does comes from the file it is launched for (the second quoted text
// of its command line), one line "<verb> [ms] [owner]":
//   exit      leave at once (also for a missing or empty file)
//   sleep N   no window; leave after N ms
//   close N   a window; leave when it gets WM_CLOSE
//   linger N  a window that goes on WM_CLOSE while the program lives on
// A program with a window also opens one owned by owner (a window of another
// process) when given, and leaves by itself after N ms at the latest.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

static bool g_leaveOnClose = false;
static const std::string g_id = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());

static void Log(const char* event) {
  const char* path = std::getenv("PLIMSAR_STANDIN_LOG");
  if (!path) return;
  std::ofstream(path, std::ios::app | std::ios::binary)
      << g_id << " " << event << " " << GetTickCount64() << " " << GetCommandLineA() << "\n";
}

static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_CLOSE) return DefWindowProcA(window, msg, wp, lp);
  Log("close");
  DestroyWindow(window);
  if (g_leaveOnClose) PostQuitMessage(0);
  return 0;
}

// The file it is launched for: the tool's line is "program" [op_m1]"path"[op_m2], and no option holds a quote.
static std::string JobPath() {
  std::string line = GetCommandLineA();
  size_t end = line.rfind('"'), start = line.rfind('"', end - 1);
  return start < end ? line.substr(start + 1, end - start - 1) : std::string();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (const char* browserLog = std::getenv("PLIMSAR_BROWSER_LOG")) {
    std::ofstream(browserLog, std::ios::app | std::ios::binary) << GetCommandLineA() << "\n";
    return 0;
  }
  Log("start");
  std::string verb = "exit";
  unsigned long long lifeMs = 0, owner = 0;
  std::ifstream(JobPath()) >> verb >> lifeMs >> owner;
  g_leaveOnClose = verb == "close";
  if (g_leaveOnClose || verb == "linger") {
    WNDCLASSA wc = {0, WindowProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, "PlimsarStandin"};
    RegisterClassA(&wc);
    CreateWindowExA(0, wc.lpszClassName, "", WS_VISIBLE, 0, 0, 99, 99, nullptr, nullptr, instance, nullptr);
    HWND other = reinterpret_cast<HWND>(static_cast<uintptr_t>(owner));
    if (owner) CreateWindowExA(0, wc.lpszClassName, "", WS_VISIBLE, 0, 0, 99, 99, other, nullptr, instance, nullptr);
    // It leaves at its lifetime's timer, or at the WM_QUIT of a "close" program.
    SetTimer(nullptr, 0, static_cast<UINT>(lifeMs), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER) DispatchMessageA(&msg);
  } else {
    Sleep(static_cast<DWORD>(lifeMs));  // any other verb: no window, N ms (0 when none is given)
  }
  Log("end");
  return 7;
}
