#include "runner_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <mutex>
#include <sstream>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

long long NowUs() {
  LARGE_INTEGER count, freq;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&freq);
  return count.QuadPart / freq.QuadPart * 1000000 + count.QuadPart % freq.QuadPart * 1000000 / freq.QuadPart;
}

std::string StandinExe() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.rfind('\\') + 1) + "standin.exe";
}

void RunnerTest::SetUp() {
  AppTest::SetUp();
  log = dir + "\\log.txt";
  foreignLog = dir + "\\foreign.log";
  SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", log.c_str());
}

void RunnerTest::TearDown() {
  if (main && IsWindow(main)) {
    if (g_run.running) StopRun(main);
    WaitRunEnd(15000);
  }
  for (HANDLE h : foreign_) {
    TerminateProcess(h, 0);
    CloseHandle(h);
  }
  for (auto& p : procs_) {
    if (WaitForSingleObject(p.second, 0) == WAIT_TIMEOUT) TerminateProcess(p.second, 0);
    CloseHandle(p.second);
  }
  AppTest::TearDown();
}

void RunnerTest::WriteSettings(const std::string& lines) {
  WriteFileBytes(dir + "\\plimsar.ini", "p=" + StandinExe() + "\r\n" + lines);
}

void RunnerTest::SetOptions(const char* opM1, const char* opM2) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  ZeroMemory(g_settings.op_m1, sizeof g_settings.op_m1);
  ZeroMemory(g_settings.op_m2, sizeof g_settings.op_m2);
  lstrcpynA(g_settings.op_m1, opM1, sizeof g_settings.op_m1);
  lstrcpynA(g_settings.op_m2, opM2, sizeof g_settings.op_m2);
}

void RunnerTest::SetLimit(int offMode, int offTim, int offSize, int apriEnd) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  g_settings.off_mode = offMode;
  g_settings.off_tim = offTim;
  g_settings.off_size = offSize;
  g_settings.apri_end = apriEnd;
}

void RunnerTest::SetProgram(const std::string& p) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  ZeroMemory(g_settings.p, sizeof g_settings.p);
  lstrcpynA(g_settings.p, p.c_str(), sizeof g_settings.p);
}

void RunnerTest::AddFile(const std::string& folder, const std::string& name, const std::string& behaviour,
                         int sizeKb) {
  std::string base = folder.empty() ? dir : folder;
  WriteFileBytes(base + "\\" + name, behaviour);
  AppendRow(name.c_str(), folder.c_str(), "2024/01/01 00:00", sizeKb, RowCount());
}

void RunnerTest::AddExitFiles(int n) {
  for (int i = 0; i < n; ++i) AddFile(dir, "f" + std::to_string(i) + ".dwg", "exit");
}

std::vector<StandinEvent> RunnerTest::Events(const std::string& logPath) {
  std::vector<StandinEvent> out;
  std::istringstream in(ReadFileBytes(logPath.empty() ? log : logPath));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    StandinEvent e{};
    char event[16] = {};
    int used = 0;
    unsigned long pid = 0;
    if (std::sscanf(line.c_str(), "%lu %15s %lld %n", &pid, event, &e.us, &used) < 3) continue;
    e.pid = pid;
    e.event = event;
    e.detail = line.substr(static_cast<size_t>(used));
    out.push_back(e);
  }
  return out;
}

std::vector<StandinEvent> RunnerTest::Starts() {
  std::vector<StandinEvent> out;
  for (auto& e : Events())
    if (e.event == "start") out.push_back(e);
  return out;
}

void RunnerTest::Track() {
  for (auto& e : Events()) {
    if (e.event != "start" || procs_.count(e.pid)) continue;
    HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, e.pid);
    procs_[e.pid] = h;
  }
}

DWORD RunnerTest::ExitCode(DWORD pid) {
  Track();
  auto it = procs_.find(pid);
  if (it == procs_.end() || !it->second) return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(it->second, &code);
  return code;
}

bool RunnerTest::WaitFor(const std::function<bool()>& done, int timeoutMs) {
  return PumpUntil(
      [&] {
        Track();
        return done();
      },
      timeoutMs);
}

long long RunnerTest::WaitJobDone(int job, int timeoutMs) {
  if (!WaitFor([&] { return g_jobTable.jobs[job].state == kJobDone; }, timeoutMs)) return 0;
  return NowUs();
}

bool RunnerTest::WaitRunEnd(int timeoutMs) {
  return WaitFor([] { return g_run.running == 0 && g_run.workerThread == nullptr; }, timeoutMs);
}

HWND RunnerTest::WaitWindows(size_t n, int timeoutMs) {
  HWND newest = nullptr;
  WaitFor(
      [&] {
        size_t seen = 0;
        for (auto& e : Events()) {
          unsigned long long w = 0;
          if (e.event != "window" || std::sscanf(e.detail.c_str(), "%llx", &w) != 1) continue;
          newest = reinterpret_cast<HWND>(static_cast<uintptr_t>(w));
          ++seen;
        }
        return seen >= n;
      },
      timeoutMs);
  return newest;
}

DWORD RunnerTest::LaunchForeign(const std::string& behaviour) {
  std::string file = dir + "\\foreign.txt";
  WriteFileBytes(file, behaviour);
  SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", foreignLog.c_str());
  std::string line = "\"" + StandinExe() + "\" \"" + file + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  BOOL ok = CreateProcessA(StandinExe().c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", log.c_str());
  if (!ok) return 0;
  CloseHandle(pi.hThread);
  foreign_.push_back(pi.hProcess);
  // Ready once its window exists.
  PumpUntil(
      [&] {
        for (auto& e : ForeignEvents())
          if (e.event == "window") return true;
        return false;
      },
      10000);
  return pi.dwProcessId;
}

std::string RunnerTest::StatusText(int part) {
  char text[300] = {};
  SendMessageA(g_statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string RunnerTest::Owned(int ms, HWND owner) {
  char line[64];
  std::snprintf(line, sizeof line, "owned %d %llx", ms,
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owner)));
  return line;
}

UINT RunnerTest::RowMarks(int row) {
  return static_cast<UINT>(SendMessageA(g_fileList, LVM_GETITEMSTATE, row, kMarkBits));
}

StoppingDialogWatch::StoppingDialogWatch(HWND main) : main_(main) {
  handle_ = CreateThread(nullptr, 0, Loop, this, 0, &thread_);
}

StoppingDialogWatch::~StoppingDialogWatch() {
  stop_ = true;
  // The watch reads window texts of the main thread, so keep answering.
  while (MsgWaitForMultipleObjects(1, &handle_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(handle_);
}

namespace {

// Window text without sending a message to the window's thread.
std::string TextOf(HWND w) {
  wchar_t wide[64] = {};
  InternalGetWindowText(w, wide, 64);
  char text[128] = {};
  WideCharToMultiByte(932, 0, wide, -1, text, sizeof text - 1, nullptr, nullptr);
  return text;
}

}  // namespace

DWORD WINAPI StoppingDialogWatch::Loop(void* p) {
  auto* self = static_cast<StoppingDialogWatch*>(p);
  DWORD mainThread = GetWindowThreadProcessId(self->main_, nullptr);
  while (!self->stop_) {
    struct Seen {
      StoppingDialogWatch* watch;
      int count;
    } seen{self, 0};
    EnumThreadWindows(
        mainThread,
        [](HWND w, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Seen*>(lp);
          char cls[32] = {};
          GetClassNameA(w, cls, sizeof cls);
          if (std::string(cls) != "#32770") return TRUE;
          std::string text = TextOf(GetDlgItem(w, 101));
          if (text != "停止動作中") return TRUE;
          ++s->count;
          StoppingDialogWatch* watch = s->watch;
          if (IsWindowVisible(w)) watch->sawVisible = true;
          if (GetWindow(w, GW_OWNER) != watch->main_) watch->ownedByMain = false;
          if ((GetWindowLongA(w, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) watch->hadCaption = true;
          if (g_modelessDialog == w) watch->wasCurrentModeless = true;
          watch->line1 = text;
          watch->line2 = TextOf(GetDlgItem(w, 102));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    if (seen.count > self->mostAtOnce) self->mostAtOnce = seen.count;
    // The dialog may live only as long as a program takes to close: look often.
    Sleep(1);
  }
  return 0;
}
