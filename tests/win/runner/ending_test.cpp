// Ending a Job's program: at its time limit, by the stop command, and never
// touching another program.
#include <windows.h>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner_fixture.h"

namespace {

int g_hostCloses;

// A window of the test process that counts the WM_CLOSE it gets.
LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    ++g_hostCloses;
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

HWND CreateHost() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RunnerTestHost";
    RegisterClassA(&wc);
    registered = true;
  }
  g_hostCloses = 0;
  return CreateWindowExA(0, "RunnerTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

const StandinEvent* Find(const std::vector<StandinEvent>& events, DWORD pid, const char* event) {
  for (auto& e : events)
    if (e.pid == pid && e.event == event) return &e;
  return nullptr;
}

double Seconds(long long us) { return static_cast<double>(us) / 1e6; }

}  // namespace

using Ending = RunnerTest;

TEST_F(Ending, ProgramClosingWithinFiveSecondsIsNotTerminated) {
  WriteSettings("off_mode=1\r\noff_tim=1\r\napri_end=0\r\n");
  StartApp();
  DWORD foreign = LaunchForeign("close 30000");
  ASSERT_NE(foreign, 0u);
  AddFile(dir, "a.dwg", "close 30000");
  AddFile(dir, "b.dwg", "exit");
  long long done;
  {
    StoppingDialogWatch watch(main);
    Command(IDM_RUN_ALL);
    done = WaitJobDone(0, 15000);
    ASSERT_NE(done, 0);
    ASSERT_TRUE(WaitRunEnd(15000));
    EXPECT_EQ(watch.mostAtOnce, 1);
    EXPECT_TRUE(watch.sawVisible);
    EXPECT_TRUE(watch.ownedByMain);
    EXPECT_FALSE(watch.hadCaption);
    EXPECT_TRUE(watch.wasCurrentModeless);
    EXPECT_EQ(watch.line2, "このままお待ち下さい。");
  }
  // Dialog 3 is gone once the program has ended.
  EXPECT_EQ(g_modelessDialog, nullptr);
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 2u);  // the run went on with the next Job
  auto events = Events();
  DWORD pid = starts[0].pid;
  const StandinEvent* close = Find(events, pid, "close");
  const StandinEvent* end = Find(events, pid, "end");
  ASSERT_TRUE(close && end);
  EXPECT_EQ(end->detail, "closed");
  EXPECT_EQ(ExitCode(pid), 7u);  // left by itself, not terminated
  EXPECT_GT(Seconds(close->us - starts[0].us), 0.5);
  EXPECT_LT(Seconds(close->us - starts[0].us), 3.0);
  EXPECT_LT(Seconds(done - close->us), 2.0);
  EXPECT_EQ(g_run.limitSeconds, 1);
  // The other program was left alone.
  for (auto& e : ForeignEvents()) EXPECT_NE(e.event, "close");
  EXPECT_TRUE(ForeignAlive());
}

TEST_F(Ending, UnclosableProgramsAreTerminatedAfterFiveSeconds) {
  WriteSettings("off_mode=1\r\noff_tim=1\r\napri_end=0\r\n");
  StartApp();
  HWND host = CreateHost();
  ASSERT_NE(host, nullptr);
  AddFile(dir, "ignore.dwg", "ignore 30000");
  AddFile(dir, "ask.dwg", "ask 30000");
  AddFile(dir, "owned.dwg", Owned(30000, host));
  AddFile(dir, "nowindow.dwg", "sleep 30000");
  AddFile(dir, "linger.dwg", "linger 30000");
  Command(IDM_RUN_ALL);
  long long done[5];
  for (int i = 0; i < 5; ++i) {
    done[i] = WaitJobDone(i, 15000);
    ASSERT_NE(done[i], 0) << i;
  }
  ASSERT_TRUE(WaitRunEnd(5000));
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 5u);
  auto events = Events();
  for (int i = 0; i < 5; ++i) {
    DWORD pid = starts[i].pid;
    SCOPED_TRACE(starts[i].detail);
    EXPECT_EQ(Find(events, pid, "end"), nullptr);
    EXPECT_EQ(ExitCode(pid), 0u);  // TerminateProcess with exit code 0
    const StandinEvent* close = Find(events, pid, "close");
    bool hasUnownedWindow = i != 2 && i != 3;
    EXPECT_EQ(close != nullptr, hasUnownedWindow);
    // The limit, then the 5 seconds of grace. The stand-in's own log lags its
    // launch and its WM_CLOSE under load, so the lower bound leaves room for that.
    long long expiry = close ? close->us : starts[i].us + 1000000;
    EXPECT_GT(Seconds(done[i] - expiry), 4.0);
    EXPECT_LT(Seconds(done[i] - expiry), 7.0);
  }
  // The owned windows really were owned by the host window.
  int owned = 0;
  for (auto& e : events) {
    if (e.pid != starts[2].pid || e.event != "window") continue;
    unsigned long long window = 0, owner = 0;
    ASSERT_EQ(std::sscanf(e.detail.c_str(), "%llx %llx", &window, &owner), 2);
    EXPECT_EQ(owner, static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(host)));
    ++owned;
  }
  EXPECT_EQ(owned, 2);
  Pump(50);
  EXPECT_EQ(g_hostCloses, 0);
  DestroyWindow(host);
}

TEST_F(Ending, OtherTerminationMethodEndsAtOnceWithoutClose) {
  WriteSettings("off_mode=1\r\noff_tim=1\r\napri_end=2\r\n");
  StartApp();
  AddFile(dir, "a.dwg", "close 30000");
  Command(IDM_RUN_ALL);
  long long done = WaitJobDone(0, 15000);
  ASSERT_NE(done, 0);
  ASSERT_TRUE(WaitRunEnd(5000));
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 1u);
  auto events = Events();
  EXPECT_EQ(Find(events, starts[0].pid, "close"), nullptr);
  EXPECT_EQ(Find(events, starts[0].pid, "end"), nullptr);
  EXPECT_EQ(ExitCode(starts[0].pid), 0u);
  EXPECT_GT(Seconds(done - starts[0].us), 0.5);
  EXPECT_LT(Seconds(done - starts[0].us), 3.0);
}

// The first program's 5-second grace lets timer 1 come due again and again;
// none of those expiries may touch the next program before its own limit.
TEST_F(Ending, StaleExpiryNeverEndsTheNextProgram) {
  WriteSettings("off_mode=1\r\noff_tim=1\r\noff_size=1000\r\napri_end=0\r\n");
  StartApp();
  AddFile(dir, "a.dwg", "ignore 30000", 1);     // limit 1 s
  AddFile(dir, "b.dwg", "close 30000", 3000);   // limit 4 s
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(30000));
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 2u);
  auto events = Events();
  EXPECT_EQ(ExitCode(starts[0].pid), 0u);
  const StandinEvent* close = Find(events, starts[1].pid, "close");
  const StandinEvent* end = Find(events, starts[1].pid, "end");
  ASSERT_TRUE(close && end);
  EXPECT_EQ(end->detail, "closed");
  EXPECT_EQ(ExitCode(starts[1].pid), 7u);
  EXPECT_GT(Seconds(close->us - starts[1].us), 3.0);
  EXPECT_LT(Seconds(close->us - starts[1].us), 6.0);
  EXPECT_EQ(g_run.limitSeconds, 4);
}

TEST_F(Ending, StopDuringAJobEndsItAndLaunchesNoMore) {
  WriteSettings("apri_end=0\r\n");
  StartApp();
  AddFile(dir, "a.dwg", "close 30000");
  AddExitFiles(2);
  Command(IDM_RUN_ALL);
  ASSERT_NE(WaitWindows(1), nullptr);
  long long before = NowUs();
  {
    StoppingDialogWatch watch(main);
    Command(IDT_STOP);
    EXPECT_TRUE(watch.sawVisible);
    EXPECT_EQ(watch.mostAtOnce, 1);
  }
  long long after = NowUs();
  // The stop completes with the worker ended and released.
  EXPECT_EQ(g_run.running, 0);
  EXPECT_EQ(g_run.workerThread, nullptr);
  EXPECT_EQ(g_jobTable.jobs[0].state, kJobDone);
  EXPECT_EQ(g_jobTable.jobs[1].state, kJobQueued);
  EXPECT_EQ(g_jobTable.jobs[2].state, kJobQueued);
  EXPECT_LT(Seconds(after - before), 3.0);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(Unmarked(row)) << row;
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 1u);
  const StandinEvent* end = Find(Events(), starts[0].pid, "end");
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->detail, "closed");
  // The next tick ends the run's display; nothing else starts.
  Pump(1500);
  EXPECT_EQ(Starts().size(), 1u);
  EXPECT_FALSE(KillTimer(main, kProgressTimer));
  EXPECT_EQ(StatusText(2), "停止中");
}

TEST_F(Ending, StopWithNoRunOnlyUnmarksRows) {
  WriteSettings("");
  StartApp();
  AddExitFiles(4);
  MarkRow(1, true);
  MarkRow(3, true);
  Command(IDT_STOP);
  for (int row = 0; row < 4; ++row) EXPECT_TRUE(Unmarked(row)) << row;
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Starts().empty());
  EXPECT_EQ(g_modelessDialog, nullptr);
}
