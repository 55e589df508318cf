// The runner with real processes, threads, timers and windows: the real main
// window in-process, each Job launching tests/standin. What needs no window
// (command lines, limits, job paths, progress plans) is tested natively.
#include <cstring>
#include <sstream>
#include <thread>

#include "filelist/file_list.h"
#include "harness.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner/taskbar_progress.h"
#include "runner/worker.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

// Every launch fails: the first with ERROR_INTERNAL_ERROR, the others with ERROR_ACCESS_DENIED.
static size_t g_launchCalls;
static BOOL WINAPI FailedStart(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR,
                               LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
  SetLastError(g_launchCalls++ == 0 ? ERROR_INTERNAL_ERROR : ERROR_ACCESS_DENIED);
  return FALSE;
}
// A worker's thread that cannot be made, or made but not resumed.
static HANDLE WINAPI Unmade(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD) {
  return nullptr;
}
static DWORD WINAPI Unresumed(HANDLE) { return static_cast<DWORD>(-1); }
// What reached the taskbar: "done/total", "clear" and "flash"; progress fails when g_taskbarFails is set.
static Texts g_taskbar;
static bool g_taskbarFails;
static bool Recorded(const std::string& call) { return g_taskbar.push_back(call), !g_taskbarFails; }
static const TaskbarCalls kTaskbarRecorder = {
    [](HWND, uint64_t done, uint64_t total) { return Recorded(std::to_string(done) + "/" + std::to_string(total)); },
    [](HWND) { Recorded("clear"); }, [](HWND) { Recorded("flash"); }};

struct Event {  // a line of the stand-ins' log (tests/standin)
  std::string id;
  ULONGLONG ms;
  std::string line;  // the stand-in's command line
};

// The tool runs with p = the stand-in; between runs only the test's thread uses g_settings, so the tests
// change it directly then.
class Runner : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // A test that hangs, as a stop waiting for a worker that never runs would, ends the test program.
    CreateTimerQueueTimer(
        &watchdog, nullptr, [](void*, BOOLEAN) { ExitProcess(3); }, nullptr, 120000, 0, 0);
    SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", (dir + "\\log.txt").c_str());
    HoldUnownedBoxes(gate);
    StartApp();
    std::strcpy(g_settings.p, (ProgramFolder() + "standin.exe").c_str());
  }
  void TearDown() override {
    SetEvent(gate);
    g_startProcess = CreateProcessA;
    g_createThread = CreateThread;
    g_resumeThread = ResumeThread;
    g_taskbarCalls = taskbar;
    if (main) StopRun(main);
    WaitRunEnd();
    CloseHandle(gate);
    AppTest::TearDown();
    DeleteTimerQueueTimer(nullptr, watchdog, INVALID_HANDLE_VALUE);
  }

  // A row of dir, and the behaviour of its stand-in (tests/standin); with none, it leaves at once.
  void AddRow(const std::string& name, const std::string& behaviour = "") {
    WriteFileBytes(dir + "\\" + name, behaviour);
    AppendRow(name.c_str(), dir.c_str(), "2024/01/01 00:00", 1, RowCount());
  }
  // The stand-ins' log lines of one kind, of one stand-in or all ("").
  std::vector<Event> Events(const std::string& kind, const std::string& id = "") {
    std::vector<Event> out;
    std::istringstream in(ReadFileBytes(dir + "\\log.txt"));
    std::string what;
    for (Event e; in >> e.id >> what >> e.ms && std::getline(in, e.line);)
      if (what == kind && (id.empty() || id == e.id)) out.push_back(e);
    return out;
  }
  bool WaitRunEnd(int ms = 20000) {
    return PumpUntil([] { return g_run.running == 0 && !g_run.workerThread; }, ms);
  }

  HANDLE watchdog = nullptr;
  const TaskbarCalls taskbar = g_taskbarCalls;
  HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

// A failed launch's box comes from the worker, owned by nothing, after a second try only for ERROR_INTERNAL_ERROR.
// Held in it, the worker is released by the next run command, which refuses another arriving meanwhile; a stop
// made then completes once the box is dismissed, and launches nothing more.
TEST_F(Runner, WorkerHeldInItsLaunchFailureBox) {
  for (const char* name : {"a", "b"}) AddRow(name);
  const std::string failed = "環境設定でPalyFinenameを正しく設定して下さい。|設定ミス|0|";
  g_launchCalls = 0;
  g_startProcess = FailedStart;
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(PumpUntil([&] { return Boxes().size() == 1; }, 20000));
  g_run.running = 0;  // as when the worker has cleared the flag and is about to end
  std::thread sender([&] {
    SendMessageTimeoutA(main, WM_COMMAND, IDM_RUN_ALL, 0, SMTO_NORMAL, 3000, nullptr);
    SetEvent(gate);  // dismisses the box
  });
  Command(IDM_RUN_ALL);
  sender.join();
  ASSERT_TRUE(WaitRunEnd());
  // One run after the release, not two side by side; a launch is tried again only after ERROR_INTERNAL_ERROR.
  EXPECT_EQ(Boxes(), (Texts{failed, "すでにThreadは実行中です。|Thread処理|0|main", failed, failed}));
  EXPECT_EQ(g_launchCalls, 4u);

  ResetEvent(gate);
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(PumpUntil([&] { return Boxes().size() == 5; }, 20000));
  ULONGLONG before = GetTickCount64();
  std::thread user([&] {
    Sleep(300);
    SetEvent(gate);  // dismisses the box
  });
  Command(IDT_STOP);
  EXPECT_GE(GetTickCount64() - before, 250u);  // the stop waited for the worker
  user.join();
  EXPECT_EQ(g_launchCalls, 5u);  // b was not launched
}

// One Job through its time limit. While it runs, the progress timer blinks its row every second. At the limit its
// windows without owner get WM_CLOSE; a program still there after the 5 s grace is terminated. Another program's
// window is left alone, even one owning a window of the program. An expiry, a stop and a run arriving during the
// grace are answered at once: they neither nest nor start anything. No dialog is left afterwards.
TEST_F(Runner, OneJobBlinksUntilItsTimeLimitThenIsClosedAndTerminated) {
  g_settings.off_mode = 1;
  g_settings.off_tim = 5;
  HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 90, 90, nullptr, nullptr, nullptr, nullptr);
  AddRow("a", "linger 30000 " + std::to_string(reinterpret_cast<uintptr_t>(other)));
  AddRow("b");
  std::atomic<ULONGLONG> sent{0};
  std::thread caller([&] {  // during a's grace
    for (int i = 0; i < 3000 && Events("close").empty(); ++i) Sleep(10);
    SendMessageA(main, WM_TIMER, kTimeLimitTimer, 0);
    SendMessageA(main, WM_COMMAND, IDT_STOP, 0);
    SendMessageA(main, WM_COMMAND, IDM_RUN_ALL, 0);
    sent = GetTickCount64();
  });
  ULONGLONG ran = GetTickCount64();
  Command(IDM_RUN_ALL);
  std::vector<ULONGLONG> unmarks;  // of a's row while it runs
  bool wasMarked = true;
  auto watch = [&] {
    bool marked = NextSelectedRow(-1) == 0;
    if (wasMarked && !marked && g_jobTable.jobs[0].state == kJobRunning) unmarks.push_back(GetTickCount64());
    wasMarked = marked;
    return g_jobTable.jobs[0].state == kJobDone;
  };
  EXPECT_TRUE(PumpUntil(watch, 30000));
  ULONGLONG done = GetTickCount64();
  PumpUntil([&] { return sent != 0; }, 60000);  // its calls are answered here at the latest
  caller.join();
  ASSERT_TRUE(WaitRunEnd());
  ASSERT_GE(unmarks.size(), 2u);  // two ticks apart; at 500 ms they would take 1 s
  EXPECT_GT(unmarks[1] - unmarks[0], 1200u);
  EXPECT_LT(unmarks[1] - unmarks[0], 3500u);
  std::vector<Event> close = Events("close");
  ASSERT_EQ(close.size(), 1u);              // to the window without owner only, and once
  EXPECT_GE(close[0].ms + 20, ran + 5000);  // at its 5 s limit: a timer never comes early
  EXPECT_GT(done, close[0].ms + 3000);      // terminated after one grace of 5 s
  EXPECT_LT(done, close[0].ms + 8500);
  EXPECT_LT(sent.load(), close[0].ms + 2500);  // not after a grace of their own
  EXPECT_EQ(Events("start").size(), 1u);       // b never ran
  EXPECT_EQ(Boxes(), Texts{"すでにThreadは実行中です。|Thread処理|0|main"});
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);  // the stopping dialog is gone
  EXPECT_TRUE(IsWindow(other));
  DestroyWindow(other);
}

// Runs of 20 to 100 Jobs with a mix of endings: at once, at the 1 s limit (by WM_CLOSE or by termination, as
// apri_end says), and every other run stopped once its first program's window is up, the main thread not pumping
// meanwhile, so that the stop's own waits answer the worker's status refresh. Meanwhile another thread rewrites
// the options under the settings lock and sends expiries of the limit timer. Each launch copies one whole set of
// options, no program ends before its limit, a stop ends the program as apri_end says and launches nothing more,
// nothing is left running, marked or shown, and no handle leaks. `make soak` runs 20 runs.
TEST_F(Runner, SoakOfMixedRunsLeavesNothingBehind) {
  int runs = std::getenv("PLIMSAR_SOAK_RUNS") ? std::atoi(std::getenv("PLIMSAR_SOAK_RUNS")) : 5;
  ChangeTimerQueueTimer(nullptr, watchdog, runs * 60000, 0);
  g_settings.off_mode = 1;
  g_settings.off_tim = 1;
  std::atomic<bool> stop{false};
  std::thread meddler([&] {
    for (int i = 0; !stop; ++i) {
      const char* set = i % 2 ? "/b" : "/a";
      std::unique_lock<std::mutex> lock(SettingsMutex());  // a reader without it would see half a change
      lstrcpynA(g_settings.op_m1, set, kOptionSize);
      Sleep(3);
      lstrcpynA(g_settings.op_m2, set, kOptionSize);
      lock.unlock();
      SendMessageTimeoutA(main, WM_TIMER, kTimeLimitTimer, 0, SMTO_NORMAL, 100, nullptr);  // never outruns it
      Sleep(10);
    }
  });
  unsigned random = 20261206;
  DWORD baseline = 0, handles = 0;
  for (int run = 0; run < runs; ++run) {
    SCOPED_TRACE(testing::Message() << "run " << run);
    random = random * 1103515245 + 12345;
    int jobs = run ? 20 + (random >> 8) % 81 : 100;
    bool stopped = run % 2 == 1;
    g_settings.apri_end = (run + 1) / 4 % 2;
    RemoveRows(main, kRemoveAll);
    for (int i = 0; i < jobs; ++i) AddRow("s" + std::to_string(i), i % 40 == 0 ? "close 60000" : "");
    size_t first = Events("start").size();
    Command(IDM_RUN_ALL);
    for (int i = 0; stopped && i < 2000 && !FindWindowA("PlimsarStandin", nullptr); ++i) Sleep(10);
    if (stopped) Command(IDT_STOP);
    ASSERT_TRUE(WaitRunEnd(120000));
    std::vector<Event> starts = Events("start");
    EXPECT_EQ(starts.size(), first + (stopped ? 1 : jobs));  // a stop launches nothing more
    for (size_t i = first; i < starts.size(); ++i)           // "program" /a"path"/a or "program" /b"path"/b: one set
      EXPECT_NE(starts[i].line.find(" " + starts[i].line.substr(starts[i].line.size() - 2) + "\""), std::string::npos);
    // The programs with a window: none ended before its limit, and each, at its limit or by the stop, left by
    // itself only when apri_end let it close.
    for (size_t i = first; i + 1 < starts.size(); i += 40) EXPECT_GT(starts[i + 1].ms - starts[i].ms, 400u) << i;
    for (size_t i = first; i < starts.size(); i += 40)
      EXPECT_EQ(Events("end", starts[i].id).size(), g_settings.apri_end ? 0u : 1u) << i;
    // No program left (every long-lived one has a window), and no row left marked.
    EXPECT_TRUE(PumpUntil([] { return !FindWindowA("PlimsarStandin", nullptr); }, 3000));
    EXPECT_EQ(NextSelectedRow(-1), -1);
    if (run == 1) GetProcessHandleCount(GetCurrentProcess(), &baseline);
  }
  stop = true;
  meddler.join();
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  EXPECT_LE(handles, baseline) << "handles after run 1";
  EXPECT_EQ(Boxes(), Texts{});
}

// Marked rows are captured in row order; a worker that cannot be made or resumed leaves no run behind, nor anything
// for the next stop to wait for, and runs that end in the foreground do not flash. With no row marked, a run of
// 250 rows goes through three blocks of the job table: every row once, in order, one program at a time, with no
// pause at a block's end, though every row is removed during the first block. A run command in the second block is
// refused. The taskbar button shows done of total, and when the run ends by itself, the progress goes and the button
// flashes if the window is in the background. A stop in the second block ends the whole run; a taskbar that fails is
// not asked again.
TEST_F(Runner, LongRunsGoThroughEveryBlock) {
  for (int i = 0; i < 250; ++i) AddRow("f" + std::to_string(i));
  g_taskbarCalls = kTaskbarRecorder;
  SendMessageA(main, TaskbarButtonCreatedMessage(), 0, 0);
  // Rows marked, the command, and the worker's thread failing to be made (1) or resumed (2); then the job table's
  // rows, and whether no run was left.
  const std::tuple<std::vector<int>, int, int, std::vector<int>, bool> cases[] = {
      {{0, 2}, IDM_RUN_SELECTION, 1, {0, 2}, true},
      {{0, 2}, IDM_RUN_SELECTION, 2, {0, 2}, true},
      {{11, 2, 5}, IDM_RUN_SELECTION, 0, {2, 5, 11}, false},
      {{4}, IDT_RUN, 0, {4}, false},
      {{}, IDM_RUN_SELECTION, 0, {4}, true},
  };
  for (const auto& [marked, command, fail, captured, refused] : cases) {
    for (int row : marked) MarkRow(row, true);
    g_createThread = fail == 1 ? Unmade : CreateThread;
    g_resumeThread = fail == 2 ? Unresumed : ResumeThread;
    Command(command);
    EXPECT_EQ(g_run.running, refused ? 0 : 1) << command << " " << fail;  // a run under way, or none left behind
    if (fail) Command(IDT_STOP);
    ASSERT_TRUE(WaitRunEnd());
    std::vector<int> jobs;
    for (int i = 0; i < g_jobTable.count; ++i) jobs.push_back(g_jobTable.jobs[i].row);
    EXPECT_EQ(jobs, captured) << command << " " << fail;
  }
  EXPECT_EQ(std::count(g_taskbar.begin(), g_taskbar.end(), "flash"), 0);
  g_taskbar.clear();
  const size_t before = Events("start").size();
  Command(IDT_RUN);  // nothing marked: the whole list
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  RemoveRows(main, kRemoveAll);
  ASSERT_TRUE(PumpUntil([] { return g_runBlocks.first == 100; }, 60000));
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(120000));
  std::vector<Event> starts = Events("start"), ends = Events("end");
  ASSERT_EQ(starts.size(), before + 250);
  std::vector<ULONGLONG> gaps = {0};  // from a program's end to the next one's start; programs overlapping wrap
  for (size_t i = 0; i < 250; ++i) {
    EXPECT_NE(starts[before + i].line.find("\\f" + std::to_string(i) + "\""), std::string::npos) << i;
    if (i) gaps.push_back(starts[before + i].ms - ends[before + i - 1].ms);
  }
  std::vector<ULONGLONG> sorted = gaps;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_LT(sorted.back(), 60000u);  // one program at a time
  for (size_t first : {100, 200}) EXPECT_LE(gaps[first], 2 * sorted[125] + 300) << "at row " << first;
  const std::string thread = "CreateThreadで失敗しました。|Thread処理|0|main";
  EXPECT_EQ(Boxes(), (Texts{thread, thread, "ファイルが選択していません|選択ミス|48|main",
                            "すでにThreadは実行中です。|Thread処理|0|main"}));
  ASSERT_GE(g_taskbar.size(), 3u);
  const std::string last = g_taskbar[g_taskbar.size() - 3];  // the last tick's, in the third block
  EXPECT_EQ(Texts(g_taskbar.end() - 3, g_taskbar.end()), (Texts{last, "clear", "flash"}));
  EXPECT_TRUE(std::stoi(last) >= 200 && last.substr(last.find('/')) == "/250") << last;

  g_taskbar.clear();
  g_taskbarFails = true;
  for (int i = 0; i < 102; ++i) AddRow("g" + std::to_string(i), i == 100 ? "close 60000" : "");
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(PumpUntil([] { return FindWindowA("PlimsarStandin", nullptr) != nullptr; }, 60000));
  Command(IDT_STOP);
  ASSERT_TRUE(WaitRunEnd());
  SetForegroundWindow(other);
  Pump(1500);  // the next tick ends the run's display
  EXPECT_EQ(Events("start").size(), before + 250 + 101);
  EXPECT_EQ(g_taskbar.size(), 1u);  // no flash either
  DestroyWindow(other);
}
