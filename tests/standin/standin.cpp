// Stand-in for the viewer the tool launches in the runner tests.
//
// It records what it went through in the log file named by the environment
// variable PLIMSAR_STANDIN_LOG (inherited from the test through the tool),
// one line each:  <pid> <event> <microseconds> <detail>
//   start  detail: "found" or "missing" (the behaviour file), then the command line
//   close  WM_CLOSE arrived at one of its windows
//   end    it leaves by itself (exit code 7); a terminated stand-in logs no end
//
// What it does comes from the file it is launched for (the second quoted
// text of its command line), one line "<verb> [ms] [owner]":
//   exit            leave at once (also for a missing or empty file)
//   sleep N         no window at all; leave after N ms
//   close N         a top-level window that closes on WM_CLOSE
//   linger N        closes its window on WM_CLOSE but the process lives on
//   ignore N        a top-level window that ignores WM_CLOSE
//   ask N           answers WM_CLOSE with a modal question nobody answers
//   owned N HWND    only windows owned by HWND (another process's window)
// Every stand-in with a window leaves by itself after N ms at the latest.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

char g_verb[32] = "exit";
DWORD g_lifeMs = 0;
HWND g_owner = nullptr;

long long NowMicroseconds() {
  LARGE_INTEGER count, freq;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&freq);
  return count.QuadPart / freq.QuadPart * 1000000 + count.QuadPart % freq.QuadPart * 1000000 / freq.QuadPart;
}

void Log(const char* event, const std::string& detail) {
  char path[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  char head[96];
  std::snprintf(head, sizeof head, "%lu %s %lld ", GetCurrentProcessId(), event, NowMicroseconds());
  std::string line = head + detail + "\r\n";
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

[[noreturn]] void LeaveByItself(const char* why) {
  Log("end", why);
  ExitProcess(7);
}

// The second quoted text: the tool's line is "program" [op_m1]"path"[op_m2].
std::string LaunchedPath(const char* line) {
  const char* q1 = std::strchr(line, '"');
  const char* q2 = q1 ? std::strchr(q1 + 1, '"') : nullptr;
  const char* q3 = q2 ? std::strchr(q2 + 1, '"') : nullptr;
  const char* q4 = q3 ? std::strchr(q3 + 1, '"') : nullptr;
  if (!q4) return "";
  return std::string(q3 + 1, q4);
}

bool ReadBehaviour(const std::string& path) {
  if (path.empty()) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char text[256] = {};
  DWORD got = 0;
  ReadFile(file, text, sizeof text - 1, &got, nullptr);
  CloseHandle(file);
  unsigned long life = 0;
  unsigned long long owner = 0;
  char verb[32] = {};
  int fields = std::sscanf(text, "%31s %lu %llx", verb, &life, &owner);
  if (fields >= 1) std::memcpy(g_verb, verb, sizeof g_verb);
  if (fields >= 2) g_lifeMs = life;
  if (fields >= 3) g_owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(owner));
  return true;
}

DWORD WINAPI Watchdog(void*) {
  Sleep(g_lifeMs);
  LeaveByItself("timeout");
}

bool Is(const char* verb) { return std::strcmp(g_verb, verb) == 0; }

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    Log("close", "");
    if (Is("ignore") || Is("owned")) return 0;
    if (Is("ask")) {
      MessageBoxA(window, "変更を保存しますか?", "standin", MB_YESNO | MB_ICONQUESTION);
      return 0;
    }
    if (Is("linger")) {
      DestroyWindow(window);
      return 0;
    }
    DestroyWindow(window);
    return 0;
  }
  if (msg == WM_DESTROY && Is("close")) PostQuitMessage(0);
  return DefWindowProcA(window, msg, wp, lp);
}

void RunWindows(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "PlimsarStandin";
  RegisterClassA(&wc);
  HWND owner = Is("owned") ? g_owner : nullptr;
  int windows = Is("owned") ? 2 : 1;
  for (int i = 0; i < windows; ++i) {
    HWND w = CreateWindowExA(0, "PlimsarStandin", "standin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10 + 30 * i, 10,
                             200, 100, owner, nullptr, instance, nullptr);
    char detail[64];
    std::snprintf(detail, sizeof detail, "%llx %llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetWindow(w, GW_OWNER))));
    Log("window", detail);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  LeaveByItself("closed");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* line = GetCommandLineA();
  bool found = ReadBehaviour(LaunchedPath(line));
  Log("start", std::string(found ? "found " : "missing ") + line);
  if (Is("exit")) LeaveByItself("exit");
  if (Is("sleep")) {
    Sleep(g_lifeMs);
    LeaveByItself("slept");
  }
  CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
  RunWindows(instance);
  return 0;
}
