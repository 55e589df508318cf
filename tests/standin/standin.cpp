// Stand-in for the viewer the tool launches in the runner tests.
//
// It logs to the file named by PLIMSAR_STANDIN_LOG (inherited from the test
// through the tool), one line each:  <pid> <event> <GetTickCount64()> <detail>
//   start   detail: its command line
//   window  detail: the handle of its window without owner
//   close   WM_CLOSE arrived at one of its windows; detail: that window
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

#include <cstdio>
#include <cstring>
#include <string>

namespace {

char g_verb[16] = "exit";
unsigned long g_lifeMs = 0;

void Log(const char* event, const std::string& detail) {
  char path[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  char head[96];
  std::snprintf(head, sizeof head, "%lu %s %llu ", GetCurrentProcessId(), event, GetTickCount64());
  std::string line = head + detail + "\r\n";
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

[[noreturn]] void Leave(const char* why) {
  Log("end", why);
  ExitProcess(7);
}

std::string Text(HWND window) { return std::to_string(reinterpret_cast<uintptr_t>(window)); }

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_CLOSE) return DefWindowProcA(window, msg, wp, lp);
  Log("close", Text(window));
  DestroyWindow(window);
  if (std::strcmp(g_verb, "close") == 0) PostQuitMessage(0);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* line = GetCommandLineA();
  Log("start", line);
  // The tool's line is "program" [op_m1]"path"[op_m2].
  std::string path;
  const char* q = std::strchr(line, '"');
  for (int i = 0; i < 2 && q; ++i) q = std::strchr(q + 1, '"');  // the third quote opens the path
  const char* end = q ? std::strchr(q + 1, '"') : nullptr;
  if (end) path.assign(q + 1, end);
  char text[128] = {};
  unsigned long long owner = 0;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD got = 0;
  if (file != INVALID_HANDLE_VALUE && ReadFile(file, text, sizeof text - 1, &got, nullptr)) {
    std::sscanf(text, "%15s %lu %llu", g_verb, &g_lifeMs, &owner);
  }
  if (std::strcmp(g_verb, "exit") == 0) Leave("exit");
  if (std::strcmp(g_verb, "sleep") == 0) {
    Sleep(g_lifeMs);
    Leave("slept");
  }
  CreateThread(nullptr, 0, [](void*) -> DWORD {
    Sleep(g_lifeMs);
    Leave("timeout");
  }, nullptr, 0, nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = "PlimsarStandin";
  RegisterClassA(&wc);
  for (HWND ownerWindow : {HWND(), reinterpret_cast<HWND>(static_cast<uintptr_t>(owner))}) {
    HWND w = CreateWindowExA(0, wc.lpszClassName, "standin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                             ownerWindow, nullptr, instance, nullptr);
    if (!ownerWindow) Log("window", Text(w));
    if (!owner) break;
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  Leave("closed");
}
