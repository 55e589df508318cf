// The worker and the main thread side by side: the settings copy, the hand-over
// of the launched program, stops between Jobs, waits that keep answering, and
// calls arriving while a program is being ended.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner_fixture.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

const StandinEvent* Find(const std::vector<StandinEvent>& events, DWORD pid, const char* event) {
  for (auto& e : events)
    if (e.pid == pid && e.event == event) return &e;
  return nullptr;
}

double Seconds(long long us) { return static_cast<double>(us) / 1e6; }

// Fails the suite loudly instead of hanging it when a wait deadlocks.
class Watchdog {
 public:
  Watchdog(int seconds, const char* what) : what_(what) {
    done_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, seconds] {
      if (WaitForSingleObject(done_, static_cast<DWORD>(seconds) * 1000) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "deadlock: %s\n", what_);
        std::fflush(stderr);
        ExitProcess(3);
      }
    });
  }
  ~Watchdog() {
    SetEvent(done_);
    thread_.join();
    CloseHandle(done_);
  }

 private:
  const char* what_;
  HANDLE done_;
  std::thread thread_;
};

}  // namespace

using Concurrency = RunnerTest;

// The settings dialog rewrites the texts under the settings lock; each launch
// must see one whole set, never op_m1 of one and op_m2 of the other.
TEST_F(Concurrency, EachLaunchCopiesTheSettingsAsOneSet) {
  WriteSettings("");
  StartApp();
  AddExitFiles(12);
  std::atomic<bool> stop{false};
  std::atomic<int> writes{0};
  std::thread writer([&] {
    for (int i = 0; !stop; ++i) {
      {
        std::lock_guard<std::mutex> lock(SettingsMutex());
        const char* text = i % 2 ? "/b" : "/a";
        lstrcpynA(g_settings.op_m1, text, sizeof g_settings.op_m1);
        Sleep(3);  // a reader without the lock would see half a change
        lstrcpynA(g_settings.op_m2, text, sizeof g_settings.op_m2);
      }
      ++writes;
      Sleep(1);
    }
  });
  // The first launch must already find one of the two sets.
  for (int i = 0; i < 1000 && writes == 0; ++i) Sleep(10);
  EXPECT_GT(writes.load(), 0);
  Command(IDM_RUN_ALL);
  bool ended = WaitRunEnd(30000);
  stop = true;
  writer.join();
  ASSERT_TRUE(ended);
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 12u);
  for (auto& s : starts) {
    bool setA = s.detail.find(" /a\"") != std::string::npos && s.detail.find("\"/a") != std::string::npos;
    bool setB = s.detail.find(" /b\"") != std::string::npos && s.detail.find("\"/b") != std::string::npos;
    EXPECT_TRUE(setA != setB) << s.detail;
  }
}

TEST_F(Concurrency, LaunchWaitsForTheSettingsLock) {
  WriteSettings("");
  StartApp();
  AddExitFiles(1);
  Command(IDM_RUN_SELECTION);  // nothing selected: only a warning
  ClearBoxes();
  HANDLE locked = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  long long released = 0;
  std::thread holder([&] {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    SetEvent(locked);
    Sleep(800);
    released = NowUs();
  });
  WaitForSingleObject(locked, INFINITE);
  // The run command's own paint reads the settings too, so it waits as well.
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(15000));
  holder.join();
  CloseHandle(locked);
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_GE(starts[0].us, released);
}

// `running` is already 1 when the worker first tests it: every Job of every run starts.
TEST_F(Concurrency, EveryRunLaunchesAllItsJobs) {
  WriteSettings("");
  StartApp();
  AddExitFiles(2);
  for (int run = 0; run < 5; ++run) {
    Command(IDM_RUN_ALL);
    ASSERT_TRUE(WaitRunEnd(15000)) << run;
    EXPECT_EQ(Starts().size(), 2u * (run + 1)) << run;
  }
}

// A stop that lands while the worker is between two Jobs: the next Job's
// program is never launched, so the stop does not wait for it.
TEST_F(Concurrency, StopBetweenJobsLaunchesNothingMore) {
  WriteSettings("apri_end=1\r\n");
  StartApp();
  AddFile(dir, "a.dwg", "close 30000");
  AddFile(dir, "b.dwg", "sleep 4000");
  Command(IDM_RUN_ALL);
  HWND programWindow = WaitWindows(1);
  ASSERT_NE(programWindow, nullptr);
  // Hold the settings lock, so the worker stops right before copying the
  // next Job's settings; end the first program from outside.
  HANDLE locked = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    SetEvent(locked);
    Sleep(1500);
  });
  WaitForSingleObject(locked, INFINITE);
  PostMessageA(programWindow, WM_CLOSE, 0, 0);
  // No pumping here: the worker needs nothing from this thread to get there.
  for (int i = 0; i < 500 && g_jobTable.jobs[0].state != kJobDone; ++i) Sleep(10);
  ASSERT_EQ(g_jobTable.jobs[0].state, kJobDone);
  Sleep(100);
  long long before = NowUs();
  {
    Watchdog dog(30, "stop between jobs");
    Command(IDT_STOP);
  }
  long long after = NowUs();
  holder.join();
  CloseHandle(locked);
  EXPECT_EQ(g_run.running, 0);
  EXPECT_EQ(g_run.workerThread, nullptr);
  EXPECT_EQ(g_jobTable.jobs[1].state, kJobQueued);
  EXPECT_LT(Seconds(after - before), 3.0);  // the 4 s program never ran
  Pump(500);
  EXPECT_EQ(Starts().size(), 1u);
}

// Stops that fall anywhere in a run of short programs: the stop returns
// quickly and every program it met was ended, none left to run on.
TEST_F(Concurrency, StopsAtAnyMomentLeaveNoProgramRunning) {
  WriteSettings("apri_end=1\r\n");
  StartApp();
  for (int i = 0; i < 4; ++i) AddFile(dir, "s" + std::to_string(i) + ".dwg", "sleep 10000");
  const int delays[] = {0, 40, 90, 150, 230, 320, 450, 600};
  size_t seen = 0;
  for (int delay : delays) {
    SCOPED_TRACE(delay);
    Command(IDM_RUN_ALL);
    Pump(delay);
    long long before = NowUs();
    Command(IDT_STOP);
    long long after = NowUs();
    EXPECT_LT(Seconds(after - before), 3.0);
    EXPECT_EQ(g_run.workerThread, nullptr);
    ASSERT_TRUE(WaitRunEnd(5000));
    Pump(200);
    auto starts = Starts();
    for (size_t i = seen; i < starts.size(); ++i) EXPECT_NE(ExitCode(starts[i].pid), STILL_ACTIVE);
    EXPECT_LE(starts.size() - seen, 1u);
    seen = starts.size();
  }
  for (auto& e : Events()) EXPECT_NE(e.event, "end");  // none ran to its own end
}

// Expiries delivered before the limit has run never end a program, and a
// storm of them during a run never touches anything but the run's programs.
TEST_F(Concurrency, EarlyAndStrayExpiriesEndNothingTheyShouldNot) {
  WriteSettings("off_mode=1\r\noff_tim=30\r\napri_end=1\r\n");
  StartApp();
  DWORD foreign = LaunchForeign("close 60000");
  ASSERT_NE(foreign, 0u);
  AddExitFiles(6);
  std::atomic<bool> stop{false};
  HWND window = main;
  // Sent, not posted, so the storm never outruns the main thread.
  std::thread storm([&] {
    while (!stop) {
      SendMessageA(window, WM_TIMER, kTimeLimitTimer, 0);
      Sleep(2);
    }
  });
  auto runAll = [&](int timeoutMs) {
    Command(IDM_RUN_ALL);
    return WaitRunEnd(timeoutMs);
  };
  // Limit 30 s: not one expiry is due.
  bool ended1 = runAll(30000);
  size_t starts1 = Starts().size();
  // Limit 1 s: the expiries after it end each program, the earlier ones nothing.
  SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < 3; ++i) AddFile(dir, "y" + std::to_string(i) + ".dwg", "sleep 20000");
  SetLimit(1, 1, 0, 1);
  long long before2 = NowUs();
  bool ended2 = runAll(30000);
  long long after2 = NowUs();
  size_t starts2 = Starts().size();
  // Limit 0: every expiry is due, programs die while starting up and handles
  // come and go under the storm.
  SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < 6; ++i) AddFile(dir, "z" + std::to_string(i) + ".dwg", "sleep 20000");
  SetLimit(1, 0, 0, 1);
  bool ended3 = runAll(30000);
  stop = true;
  // The storm's last message may still be on its way.
  for (int i = 0; i < 10; ++i) Pump(10);
  storm.join();

  ASSERT_TRUE(ended1 && ended2 && ended3);
  auto starts = Starts();
  ASSERT_EQ(starts1, 6u);
  auto events = Events();
  for (size_t i = 0; i < 6; ++i) EXPECT_NE(Find(events, starts[i].pid, "end"), nullptr);  // each left by itself
  ASSERT_EQ(starts2, 9u);
  for (size_t i = 6; i < 9; ++i) EXPECT_EQ(ExitCode(starts[i].pid), 0u);  // terminated
  // Three limits of about 1 s each; the tick's clock and ours differ by a few ms.
  EXPECT_GT(Seconds(after2 - before2), 2.5);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(g_jobTable.jobs[i].state, kJobDone);
  for (auto& e : ForeignEvents()) EXPECT_NE(e.event, "close");
  EXPECT_TRUE(ForeignAlive());
}

// While the worker's status refresh is waiting for the main thread, a stop
// must still complete: its waits answer that refresh.
TEST_F(Concurrency, StopAnswersTheWorkersStatusRefresh) {
  WriteSettings("off_mode=1\r\noff_tim=100\r\napri_end=1\r\n");
  StartApp();
  AddFile(dir, "a.dwg", "sleep 20000");
  g_run.limitSeconds = 0;
  Command(IDM_RUN_ALL);
  // Not pumping: the worker launches, arms and then blocks in its refresh.
  for (int i = 0; i < 1000 && g_run.limitSeconds != 100; ++i) Sleep(10);
  ASSERT_EQ(g_run.limitSeconds, 100);
  Sleep(300);
  EXPECT_EQ(StatusText(1), "0分0秒");  // the refresh has not been answered yet
  long long before = NowUs();
  {
    Watchdog dog(30, "stop during the worker's status refresh");
    Command(IDT_STOP);
  }
  EXPECT_LT(Seconds(NowUs() - before), 3.0);
  EXPECT_EQ(g_run.workerThread, nullptr);
  EXPECT_EQ(StatusText(1), "1分40秒");
}

// A timer expiry, a stop and a run command that arrive while the first
// program is in its 5-second grace: no second ending on top of the first,
// the stop still takes effect, and no run starts before the stop is done.
TEST_F(Concurrency, CallsDuringTheCloseWaitDoNotNest) {
  WriteSettings("off_mode=1\r\noff_tim=1\r\napri_end=0\r\n");
  StartApp();
  AddFile(dir, "a.dwg", "ignore 30000");
  AddFile(dir, "b.dwg", "exit");
  HWND window = main;
  std::atomic<long long> sentAt{0};
  std::thread caller([&] {
    for (int i = 0; i < 1000 && !g_modelessDialog; ++i) Sleep(10);
    Sleep(500);
    SendMessageA(window, WM_TIMER, kTimeLimitTimer, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDT_STOP, 0), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_RUN_ALL, 0), 0);
    sentAt = NowUs();
  });
  long long done;
  {
    StoppingDialogWatch watch(main);
    Command(IDM_RUN_ALL);
    done = WaitJobDone(0, 20000);
    ASSERT_TRUE(WaitRunEnd(20000));
    EXPECT_EQ(watch.mostAtOnce, 1);
  }
  caller.join();
  ASSERT_NE(done, 0);
  ASSERT_NE(sentAt.load(), 0);
  EXPECT_LT(sentAt.load(), done);  // all three were answered inside the wait
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "すでにThreadは実行中です。");
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 1u);  // stopped: the second Job never ran
  EXPECT_EQ(g_jobTable.jobs[1].state, kJobQueued);
  EXPECT_EQ(g_jobTable.count, 2);
  const StandinEvent* close = Find(Events(), starts[0].pid, "close");
  ASSERT_NE(close, nullptr);
  EXPECT_GT(Seconds(done - close->us), 4.0);
  EXPECT_LT(Seconds(done - close->us), 7.0);  // one grace period, not two
  EXPECT_EQ(ExitCode(starts[0].pid), 0u);
}
