// The runner with real processes, threads, timers and windows: the real main
// window in-process, each Job launching tests/standin. What needs no window
// (command lines, limits, job paths, progress plans) is tested natively.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <thread>

#include "common/app_state.h"
#include "common/modal.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner/worker.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

std::vector<DWORD> g_launchErrors;  // errors of the launches in call order; 0 (or none) lets one through
size_t g_launchCalls;
BOOL WINAPI ScriptedStart(LPCSTR app, LPSTR line, LPSECURITY_ATTRIBUTES pa, LPSECURITY_ATTRIBUTES ta, BOOL inherit,
                          DWORD flags, LPVOID env, LPCSTR cwd, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi) {
  DWORD error = g_launchCalls++ < g_launchErrors.size() ? g_launchErrors[g_launchCalls - 1] : 0;
  return error ? (SetLastError(error), FALSE) : CreateProcessA(app, line, pa, ta, inherit, flags, env, cwd, si, pi);
}
HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD) { return nullptr; }
DWORD WINAPI NoResume(HANDLE) { return static_cast<DWORD>(-1); }

// The stopping dialogs open now, found without a message to their thread.
std::vector<HWND> StoppingDialogs() {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
    if (GetDlgItem(w, IDC_PROGRESS_LINE1) && GetDlgItem(w, IDC_PROGRESS_LINE2)) found.push_back(w);
  return found;
}

// Runs step; one that hangs ends the test program with a message instead.
void Guarded(const char* what, const std::function<void()>& step) {
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread dog([=] { if (WaitForSingleObject(done, 30000)) std::fprintf(stderr, "hang: %s\n", what), ExitProcess(3); });
  step();
  SetEvent(done), dog.join(), CloseHandle(done);
}

UINT Bits(int row) { return static_cast<UINT>(SendMessageA(g_fileList, LVM_GETITEMSTATE, row, kMarkBits)); }
std::string Status(int part) {
  char text[300] = {};
  return SendMessageA(g_statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text)), text;
}
std::string Describe(const RecordedBox& box) {  // text|caption|type, then |main when the main window owns it
  return box.text + "|" + box.caption + "|" + std::to_string(box.type) + (!box.owner ? "" : box.owner == g_mainWindow ? "|main" : "|?");
}

struct Event { DWORD pid; std::string what; unsigned long long ms; std::string detail; };  // see tests/standin

class Runner : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", (log = dir + "\\log.txt").c_str());
    // Boxes are recorded here; one shown by another thread than this one waits until the gate opens.
    SetModalHooks({[this, self = GetCurrentThreadId()](HWND owner, const char* text, const char* caption, UINT type) {
      std::unique_lock<std::mutex> lock(boxLock);
      boxes.push_back({owner, text, caption, type, GetCurrentThreadId()});
      lock.unlock();
      if (GetCurrentThreadId() != self) WaitForSingleObject(gate, 20000);
      return IDOK;
    }});
  }
  void TearDown() override {
    SetEvent(gate);
    g_startProcess = CreateProcessA, g_createThread = CreateThread, g_resumeThread = ResumeThread;
    if (main) StopRun(main), WaitRunEnd();
    for (DWORD pid : ProcessesNamed("standin.exe"))  // left by a failed test
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) TerminateProcess(process, 0), CloseHandle(process);
    CloseHandle(gate);
    AppTest::TearDown();
  }

  // plimsar.ini: p = the stand-in, then lines. Between runs only this thread
  // uses g_settings, so the tests change it directly then.
  void Start(const std::string& lines) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    WriteFileBytes(dir + "\\plimsar.ini", "p=" + std::string(exe, std::strrchr(exe, '\\') + 1) + "standin.exe\r\n" + lines);
    StartApp();
  }
  // A row of dir. Without a behaviour file the stand-in leaves at once.
  void AddRow(const std::string& name, const std::string& behaviour = "") {
    if (!behaviour.empty()) WriteFileBytes(dir + "\\" + name, behaviour);
    AppendRow(name.c_str(), dir.c_str(), "2024/01/01 00:00", 1, RowCount());
  }
  // The stand-ins' log lines of one kind (all when empty) and process (all when 0).
  std::vector<Event> Events(const std::string& what = "", DWORD pid = 0) {
    std::vector<Event> out;
    std::istringstream in(ReadFileBytes(log));
    for (Event e; in >> e.pid >> e.what >> e.ms && std::getline(in, e.detail);)
      if ((what.empty() || what == e.what) && (!pid || pid == e.pid)) out.push_back(e);
    return out;
  }
  bool WaitRunEnd(int ms = 20000) { return PumpUntil([] { return g_run.running == 0 && !g_run.workerThread; }, ms); }
  std::vector<RecordedBox> Shown(const std::string& text = "") {
    std::lock_guard<std::mutex> lock(boxLock);
    std::vector<RecordedBox> out;
    for (auto& box : boxes) if (text.empty() || box.text == text) out.push_back(box);
    return out;
  }

  std::string log;
  HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::mutex boxLock;
  std::vector<RecordedBox> boxes;
};

}  // namespace

TEST_F(Runner, RunCommandsCaptureTheRowsOrRefuseThemWhole) {
  Start("");
  for (int i = 0; i < 101; ++i) AddRow("f" + std::to_string(i));
  const std::string many = "一度に実行できるファイルは100個までです。|選択ミス|48|main", thread = "CreateThreadで失敗しました。|Thread処理|0|main";
  // Rows marked (-1: all), the command, the worker's thread failing to be made (1) or resumed (2); then
  // the job table's rows, the box that refused the run, and the run state shown right after the command.
  struct Case { std::vector<int> marked; int command, fail; std::vector<int> jobs; std::string box, status; } cases[] = {
      {{0, 2}, IDM_RUN_SELECTION, 1, {0, 2}, thread, "停止中"}, {{0, 2}, IDM_RUN_SELECTION, 2, {0, 2}, thread, "停止中"},
      {{100, 2, 5}, IDM_RUN_SELECTION, 0, {2, 5, 100}, "", "動作中"}, {{4}, IDT_RUN, 0, {4}, "", "動作中"},
      {{}, IDM_RUN_SELECTION, 0, {4}, "ファイルが選択していません|選択ミス|48|main", "-"}, {{}, IDT_RUN, 0, {4}, many, "-"},
      {{}, IDM_RUN_ALL, 0, {4}, many, "-"}, {{-1}, IDM_RUN_SELECTION, 0, {4}, many, "-"}};
  for (const Case& c : cases) {
    for (int row : c.marked) row < 0 ? SelectAll() : MarkRow(row, true);
    size_t boxCount = Shown().size();
    SendMessageA(g_statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("-"));
    g_createThread = c.fail == 1 ? NoThread : CreateThread, g_resumeThread = c.fail == 2 ? NoResume : ResumeThread;
    Guarded("a run command, then a stop", [&] {  // neither may wait for a worker that never ran
      Command(c.command);
      EXPECT_EQ(Status(2), c.status) << c.command;  // the window is repainted at once
      if (c.fail) Command(IDT_STOP);
    });
    ASSERT_TRUE(WaitRunEnd());
    std::vector<int> jobs;
    for (int i = 0; i < g_jobTable.count; ++i) jobs.push_back(g_jobTable.jobs[i].row);
    EXPECT_EQ(jobs, c.jobs) << c.command;
    // Captured rows are unmarked; a refused run leaves the selection alone.
    EXPECT_EQ(SendMessageA(g_fileList, LVM_GETSELECTEDCOUNT, 0, 0), c.box == many && !c.marked.empty() ? 101 : 0) << c.command;
    auto shown = Shown();
    ASSERT_EQ(shown.size(), boxCount + !c.box.empty()) << c.command;
    EXPECT_EQ(c.box.empty() ? "" : Describe(shown.back()), c.box) << c.command;
    DeselectAll();
  }
}

// The worker held in its launch-failure box: a run command that is releasing
// it refuses another one meanwhile; a stop completes once the box is dismissed.
TEST_F(Runner, WorkerHeldInTheFailureBox) {
  Start("");
  AddRow("a");
  g_launchErrors = {ERROR_INTERNAL_ERROR, ERROR_ACCESS_DENIED}, g_launchCalls = 0;  // only the first is tried again
  g_startProcess = ScriptedStart;
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(PumpUntil([&] { return Shown().size() == 1; }, 20000));
  EXPECT_EQ(Describe(Shown()[0]), "環境設定でPalyFinenameを正しく設定して下さい。|設定ミス|0");  // from the worker, owned by nothing
  EXPECT_EQ(g_launchCalls, 2u);
  g_run.running = 0;  // as when the worker has cleared the flag and is about to end
  std::thread sender([&] { SendMessageTimeoutA(main, WM_COMMAND, IDM_RUN_ALL, 0, SMTO_NORMAL, 3000, nullptr), SetEvent(gate); });
  Guarded("a run command during a worker's release", [&] { Command(IDM_RUN_ALL); });
  sender.join();
  ASSERT_TRUE(WaitRunEnd());
  // Refused meanwhile: one run after the release, not two side by side.
  EXPECT_TRUE(Shown("すでにThreadは実行中です。").size() == 1 && Events("start").size() == 1) << Shown().size() << " boxes";

  AddRow("b");
  g_launchErrors.assign(99, ERROR_ACCESS_DENIED);
  ResetEvent(gate);
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(PumpUntil([&] { return Shown().size() == 3; }, 20000));
  ULONGLONG before = GetTickCount64();
  std::thread user([&] { Sleep(300), SetEvent(gate); });  // dismisses the box
  Guarded("a stop during the launch-failure box", [&] { Command(IDT_STOP); });
  EXPECT_GE(GetTickCount64() - before, 250u);  // the stop waited for it
  user.join();
  EXPECT_TRUE(g_run.running == 0 && !g_run.workerThread && g_jobTable.jobs[1].state == kJobQueued);
  EXPECT_EQ(Shown().size(), 3u);  // no further Job was launched
}

TEST_F(Runner, TimeLimitClosesThenTerminatesAndCallsMeanwhileDoNotNest) {
  Start("off_mode=1\r\noff_tim=1\r\napri_end=0\r\n");
  // A window of another program, left alone, owns one of the program's windows.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 90, 90, nullptr, nullptr, nullptr, nullptr);
  AddRow("a", "linger 30000 " + std::to_string(reinterpret_cast<uintptr_t>(other)));
  AddRow("b");
  // During a's grace the stopping dialog is looked at, then an expiry, a stop and a run arrive.
  bool shown = false;  // one dialog, visible, owned by the main window, without a title bar
  std::atomic<ULONGLONG> sent{0};
  std::thread caller([&] {
    for (int i = 0; i < 3000 && Events("close").empty(); ++i) Sleep(10);
    std::vector<HWND> dialogs = StoppingDialogs();
    shown = dialogs.size() == 1 && IsWindowVisible(dialogs[0]) && GetWindow(dialogs[0], GW_OWNER) == main &&
            (GetWindowLongA(dialogs[0], GWL_STYLE) & WS_CAPTION) != WS_CAPTION;
    SendMessageA(main, WM_TIMER, kTimeLimitTimer, 0);
    SendMessageA(main, WM_COMMAND, IDT_STOP, 0);
    SendMessageA(main, WM_COMMAND, IDM_RUN_ALL, 0);
    sent = GetTickCount64();
  });
  ULONGLONG ran = GetTickCount64();
  Command(IDM_RUN_ALL);
  EXPECT_TRUE(PumpUntil([] { return g_jobTable.jobs[0].state == kJobDone; }, 30000));
  ULONGLONG done = GetTickCount64();
  bool ended = WaitRunEnd();
  PumpUntil([&] { return sent != 0; }, 60000), caller.join();  // its calls are answered here at the latest
  ASSERT_TRUE(ended);
  auto starts = Events("start"), close = Events("close");
  ASSERT_TRUE(starts.size() == 1 && close.size() == 1);  // b never ran; one WM_CLOSE, to the window without owner
  EXPECT_TRUE(close[0].ms + 20 >= ran + 1000 && close[0].ms < ran + 4000);  // at its 1 s limit: a timer never comes early
  EXPECT_TRUE(done > close[0].ms + 3000 && done < close[0].ms + 8500);  // terminated after one grace of 5 s
  EXPECT_TRUE(Events("end").empty() && ProcessesNamed("standin.exe").empty());
  EXPECT_LT(sent.load(), done);  // all three answered inside the grace
  EXPECT_TRUE(Shown("すでにThreadは実行中です。").size() == 1 && Status(1) == "0分1秒" && shown);
  EXPECT_TRUE(StoppingDialogs().empty() && IsWindow(other));
  DestroyWindow(other);
}

// A stop ends the current program as apri_end says, wherever it falls, and
// launches nothing more. Its waits answer the worker's status refresh.
TEST_F(Runner, StopEndsTheProgramAndLaunchesNoMore) {
  Start("off_mode=1\r\noff_tim=100\r\n");
  for (int i = 0; i < 3; ++i) AddRow("a" + std::to_string(i), "close 30000");
  // apri_end; when the stop comes: after n ms, once the program's window is up without pumping (-1), no run (-2).
  struct Case { int apriEnd, delayMs; } cases[] = {{0, -1}, {2, -1}, {0, -2}, {1, 0}, {1, 40}, {1, 90}, {1, 150}, {1, 300}, {1, 600}};
  for (const Case& c : cases) {
    g_settings.apri_end = c.apriEnd;
    size_t windows = Events("window").size(), starts = Events("start").size();
    c.delayMs == -2 ? MarkRow(1, true) : Command(IDM_RUN_ALL);
    for (int i = 0; c.delayMs == -1 && i < 2000 && Events("window").size() == windows; ++i) Sleep(10);
    if (c.delayMs >= 0) Pump(c.delayMs);
    ULONGLONG before = GetTickCount64();
    Guarded("a stop", [&] { Command(IDT_STOP); });
    EXPECT_LT(GetTickCount64() - before, 3000u) << c.apriEnd << " " << c.delayMs;
    EXPECT_TRUE(g_run.running == 0 && !g_run.workerThread && !Bits(0) && !Bits(1) && !Bits(2));
    EXPECT_TRUE(StoppingDialogs().empty() && ProcessesNamed("standin.exe").empty());
    auto met = Events("start");
    ASSERT_TRUE(met.size() - starts == 1 || (c.delayMs != -1 && met.size() == starts));  // one program at most
    // Asked to close, it left by itself; otherwise it was terminated without a word.
    size_t closed = c.apriEnd == 0 && c.delayMs == -1;
    EXPECT_TRUE(met.size() == starts || (Events("close", met.back().pid).size() == closed && Events("end", met.back().pid).size() == closed));
    EXPECT_TRUE(c.delayMs == -2 || (g_jobTable.jobs[1].state == kJobQueued && g_jobTable.jobs[2].state == kJobQueued));
  }
  EXPECT_TRUE(Status(1) == "1分40秒" && Shown().empty());
}

TEST_F(Runner, RunningRowBlinksEverySecondAndTheEndUnmarksAll) {
  Start("");
  for (const char* behaviour : {"sleep 4800", "sleep 300", "exit"}) AddRow("f" + std::to_string(RowCount()), behaviour);
  Command(IDM_RUN_ALL);
  // Only a tick unmarks the running row, every other tick; Queued rows stay marked.
  std::vector<ULONGLONG> unmarks;
  bool queuedMarked = true, was = true;
  PumpUntil([&] {
    if (g_jobTable.jobs[0].state != kJobRunning) return g_jobTable.jobs[0].state == kJobDone;
    bool marked = Bits(0) & LVIS_SELECTED;
    if (was && !marked) unmarks.push_back(GetTickCount64());
    was = marked, queuedMarked = queuedMarked && (Bits(1) & LVIS_SELECTED) && (Bits(2) & LVIS_SELECTED);
    return false;
  }, 20000);
  ASSERT_TRUE(unmarks.size() >= 2 && queuedMarked);
  for (size_t i = 1; i < unmarks.size(); ++i)  // two ticks; at 500 ms they would take 1 s
    EXPECT_TRUE(unmarks[i] - unmarks[i - 1] > 1200 && unmarks[i] - unmarks[i - 1] < 3500) << unmarks[i] - unmarks[i - 1];
  ASSERT_TRUE(WaitRunEnd());
  EXPECT_TRUE(!KillTimer(main, kProgressTimer) && !Bits(0) && !Bits(1) && !Bits(2) && Status(2) == "停止中");
}

// Runs of 20 to 100 Jobs with a mix of endings (at once, at the 1 s limit by
// WM_CLOSE or by termination, stopped), while another thread rewrites the
// options under the settings lock and expiries of the limit timer arrive at
// random: each launch copies one whole set of options, no program ends before
// its limit, nothing is left running, no handle leaks, and the settings still
// save byte for byte. `make soak` runs 20 runs.
TEST_F(Runner, SoakOfMixedRunsLeavesNothingBehind) {
  char text[16] = {};
  int runs = GetEnvironmentVariableA("PLIMSAR_SOAK_RUNS", text, sizeof text) ? std::atoi(text) : 5;
  const std::string ini = "filetypemax=1\r\nfile_type0=dwg\r\nfileselect=0\r\nf=c:\\soak\r\n";
  Start(ini + "off_mode=1\r\noff_tim=1\r\n");
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int i = 0; !stop; ++i, Sleep(1)) {
      std::lock_guard<std::mutex> lock(SettingsMutex());  // a reader without it would see half a change
      lstrcpynA(g_settings.op_m1, i % 2 ? "/b" : "/a", kOptionSize), Sleep(3), lstrcpynA(g_settings.op_m2, i % 2 ? "/b" : "/a", kOptionSize);
    }
  });
  std::thread storm([&] {  // sent, so it never outruns the main thread
    while (!stop) SendMessageTimeoutA(main, WM_TIMER, kTimeLimitTimer, 0, SMTO_NORMAL, 100, nullptr), Sleep(10);
  });
  unsigned random = 20261206;
  DWORD baseline = 0, handles = 0;
  for (int run = 0; run < runs; ++run) {
    int apriEnd = run % 2, jobs = run ? 20 + ((random = random * 1103515245 + 12345) >> 8) % 81 : 100;
    g_settings.apri_end = apriEnd;
    RemoveRows(main, kRemoveAll);
    for (int i = 0; i < jobs; ++i) AddRow("s" + std::to_string(i), i % 40 != 7 ? "" : apriEnd ? "linger 60000" : "close 60000");
    size_t first = Events("start").size();
    Command(IDM_RUN_ALL);
    ASSERT_EQ(g_run.running, 1) << run;
    if (run % 4 == 3) Pump(100 + (random >> 8) % 1500), Command(IDT_STOP);
    ASSERT_TRUE(WaitRunEnd(120000));
    auto starts = Events("start");
    EXPECT_TRUE(run % 4 == 3 || starts.size() == first + jobs) << run;  // every Job of the run launched
    for (size_t i = first; i < starts.size(); ++i) {
      const std::string& line = starts[i].detail;  // "program" /a"path"/a or "program" /b"path"/b
      auto has = [&](std::string set) { return line.find(" " + set + "\"") != line.npos && line.find("\"" + set) != line.npos; };
      EXPECT_NE(has("/a"), has("/b")) << line;
      EXPECT_TRUE((i - first) % 40 != 7 || i + 1 == starts.size() || starts[i + 1].ms - starts[i].ms > 400) << line;  // its limit
    }
    EXPECT_TRUE(PumpUntil([] { return ProcessesNamed("standin.exe").empty(); }, 3000));
    for (int row = 0; row < RowCount(); ++row) EXPECT_EQ(Bits(row), 0u) << row;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    baseline = run == 1 ? handles : baseline;
    EXPECT_TRUE(run < 2 || handles <= baseline) << run << ": " << handles << " handles, " << baseline << " after run 1";
  }
  stop = true;
  writer.join(), storm.join();
  g_settings.op_m1[0] = g_settings.op_m2[0] = '\0';
  EXPECT_TRUE(Shown().empty());
  CloseApp();
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"), ini + "p=" + g_settings.p + "\r\nop_m1=\r\nop_m2=\r\noff_mode=1\r\noff_tim=1\r\napri_end=" +
                                                     std::to_string((runs - 1) % 2) + "\r\noff_size=0\r\n");
}
