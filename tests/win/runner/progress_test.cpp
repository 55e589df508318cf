// The progress display: ticks, paints, the end of a run, the status bar.
#include <windows.h>
#include <commctrl.h>

#include <set>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner_fixture.h"

namespace {

void FillJobs(std::initializer_list<std::pair<int, int>> rowsAndStates) {
  g_jobTable.count = 0;
  for (auto& rs : rowsAndStates) {
    Job& job = g_jobTable.jobs[g_jobTable.count];
    job.row = rs.first;
    job.state = rs.second;
    g_jobTable.count = g_jobTable.count + 1;
  }
}

}  // namespace

using Progress = RunnerTest;

TEST_F(Progress, TickAndPaintMarkTheRowsOfTheJobs) {
  WriteSettings("");
  StartApp();
  for (int i = 0; i < 10; ++i) AppendRow(("r" + std::to_string(i)).c_str(), "c:\\x", "2024/01/01 00:00", 1, i);
  // A run in progress as the tick sees it, without a worker; nothing is
  // pumped meanwhile, so no paint interferes.
  FillJobs({{2, kJobQueued}, {5, kJobRunning}, {7, kJobDone}});
  g_run.running = 1;
  // What a user did meanwhile: deselected a Queued row, selected a Done row
  // and a row without a Job.
  MarkRow(7, true);
  MarkRow(9, true);
  blinkPhase = 0;
  TickProgress();
  EXPECT_TRUE(Marked(2));
  EXPECT_TRUE(Unmarked(7));
  EXPECT_TRUE(Marked(9));  // left alone by the tick
  EXPECT_TRUE(Unmarked(5));
  EXPECT_EQ(blinkPhase, 1);
  // As when each row is marked in turn, the focus ends on the last one marked.
  EXPECT_EQ(RowMarks(2), kMarkBits);
  EXPECT_EQ(RowMarks(9), static_cast<UINT>(LVIS_SELECTED | LVIS_DROPHILITED));
  TickProgress();
  EXPECT_TRUE(Marked(5));  // the running row blinks
  EXPECT_EQ(blinkPhase, 0);
  MarkRow(2, false);
  TickProgress();
  EXPECT_TRUE(Marked(2));  // a Queued row is marked again
  EXPECT_TRUE(Unmarked(5));

  // The paint reaches every row, also one holding only the focus or only
  // the drop highlight.
  MarkRow(0, true);
  LVITEMA only = {};
  only.stateMask = LVIS_DROPHILITED;
  only.state = LVIS_DROPHILITED;
  SendMessageA(g_fileList, LVM_SETITEMSTATE, 8, reinterpret_cast<LPARAM>(&only));
  only.stateMask = only.state = LVIS_FOCUSED;
  SendMessageA(g_fileList, LVM_SETITEMSTATE, 6, reinterpret_cast<LPARAM>(&only));
  ASSERT_EQ(RowMarks(6), static_cast<UINT>(LVIS_FOCUSED));
  ApplyRowsOnPaint();
  for (int row = 0; row < 10; ++row) {
    if (row == 2 || row == 5) {
      EXPECT_TRUE(Marked(row)) << row;
    } else {
      EXPECT_TRUE(Unmarked(row)) << row;
    }
  }
  EXPECT_EQ(RowMarks(5), kMarkBits);  // the last row marked holds the focus
  // With no Job row to mark, the paint leaves no focus behind either.
  FillJobs({{4, kJobDone}});
  ApplyRowsOnPaint();
  for (int row = 0; row < 10; ++row) EXPECT_TRUE(Unmarked(row)) << row;
  FillJobs({{2, kJobQueued}, {5, kJobRunning}, {7, kJobDone}});
  ApplyRowsOnPaint();
  // Outside a run neither touches a row.
  g_run.running = 0;
  MarkRow(9, true);
  MarkRow(2, false);
  TickProgress();
  ApplyRowsOnPaint();
  EXPECT_TRUE(Marked(9));
  EXPECT_TRUE(Unmarked(2));
  EXPECT_EQ(blinkPhase, 1);
}

TEST_F(Progress, PaintAfterEveryRowWasSelected) {
  WriteSettings("");
  StartApp();
  for (int i = 0; i < 300; ++i) AppendRow(("r" + std::to_string(i)).c_str(), "c:\\x", "2024/01/01 00:00", 1, i);
  FillJobs({{10, kJobDone}, {120, kJobRunning}, {250, kJobQueued}, {299, kJobDone}});
  g_run.running = 1;
  // Every row selected at once, as the select-all command leaves them.
  LVITEMA all = {};
  all.stateMask = all.state = LVIS_SELECTED | LVIS_DROPHILITED;
  SendMessageA(g_fileList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
  MarkRow(299, true);
  ASSERT_TRUE(Marked(0));
  ApplyRowsOnPaint();
  int marked = 0;
  for (int row = 0; row < 300; ++row) {
    if (row == 120 || row == 250) {
      EXPECT_TRUE(Marked(row)) << row;
    } else {
      EXPECT_TRUE(Unmarked(row)) << row;
    }
    if (RowMarks(row)) ++marked;
  }
  EXPECT_EQ(marked, 2);
  EXPECT_EQ(RowMarks(250), kMarkBits);
  g_run.running = 0;
}

TEST_F(Progress, EndOfRunStepStopsBothTimersAndUnmarks) {
  WriteSettings("");
  StartApp();
  for (int i = 0; i < 4; ++i) AppendRow(("r" + std::to_string(i)).c_str(), "c:\\x", "2024/01/01 00:00", 1, i);
  g_run.timerOwner = main;
  FillJobs({{1, kJobRunning}});
  g_run.running = 1;
  SetTimer(main, kTimeLimitTimer, 100000, nullptr);
  SetTimer(main, kProgressTimer, 100000, nullptr);
  MarkRow(1, true);
  EndOfRunStep();  // the run goes on: nothing changes
  EXPECT_TRUE(Marked(1));
  g_run.running = 0;
  MarkRow(3, true);
  EndOfRunStep();
  for (int row = 0; row < 4; ++row) EXPECT_TRUE(Unmarked(row)) << row;
  EXPECT_FALSE(KillTimer(main, kTimeLimitTimer));
  EXPECT_FALSE(KillTimer(main, kProgressTimer));
  EXPECT_EQ(StatusText(2), "停止中");
}

TEST_F(Progress, RunsInOrderWithoutOverlapAndShowsItsProgress) {
  WriteSettings("");
  StartApp();
  AddFile(dir, "f0.dwg", "sleep 2500");
  AddFile(dir, "f1.dwg", "sleep 1200");
  AddFile(dir, "f2.dwg", "sleep 300");
  AddFile(dir, "f3.dwg", "exit");
  Command(IDM_RUN_ALL);
  EXPECT_EQ(StatusText(2), "動作中");
  // While Job 0 runs its row blinks and the Queued rows stay marked.
  std::set<bool> seen;
  bool queuedMarked = true;
  WaitFor(
      [&] {
        if (g_jobTable.jobs[0].state == kJobRunning) {
          seen.insert(Marked(0));
          queuedMarked = queuedMarked && Marked(1) && Marked(2);
        }
        return g_jobTable.jobs[0].state == kJobDone;
      },
      15000);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_TRUE(queuedMarked);
  // A Done row is unmarked by the next tick.
  ASSERT_TRUE(WaitFor([&] { return Unmarked(0); }, 2500));
  ASSERT_TRUE(WaitRunEnd(20000));
  // The end of the run: its worker released, both timers stopped, no row marked.
  EXPECT_EQ(g_run.workerThread, nullptr);
  EXPECT_FALSE(KillTimer(main, kTimeLimitTimer));
  EXPECT_FALSE(KillTimer(main, kProgressTimer));
  for (int row = 0; row < 4; ++row) EXPECT_TRUE(Unmarked(row)) << row;
  EXPECT_EQ(StatusText(2), "停止中");
  auto events = Events();
  std::vector<StandinEvent> starts, ends;
  for (auto& e : events) (e.event == "start" ? starts : ends).push_back(e);
  ASSERT_EQ(starts.size(), 4u);
  ASSERT_EQ(ends.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NE(starts[i].detail.find("f" + std::to_string(i) + ".dwg"), std::string::npos);
    EXPECT_EQ(ends[i].pid, starts[i].pid);
    if (i > 0) {
      EXPECT_LE(ends[i - 1].us, starts[i].us);
    }
  }
}

TEST_F(Progress, TimeLimitsAreArmedAndShown) {
  WriteSettings("off_mode=1\r\noff_tim=10\r\noff_size=1000\r\n");
  StartApp();
  struct Case {
    int offSize;
    int size;
    int limit;
    const char* text;
  } cases[] = {{1000, 2500, 12, "0分12秒"}, {1000, 999, 10, "0分10秒"}, {0, 123456, 10, "0分10秒"},
               {1, -1, 9, "0分9秒"},      {2, -1, 10, "0分10秒"},      {1, 60, 70, "1分10秒"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
    AddFile(dir, "a.dwg", "exit", c.size);
    SetLimit(1, 10, c.offSize, 0);
    g_run.limitSeconds = -5;
    Command(IDM_RUN_ALL);
    ASSERT_TRUE(WaitRunEnd(15000));
    EXPECT_EQ(g_run.limitSeconds, c.limit);
    EXPECT_EQ(StatusText(1), c.text);
  }
  // Timer off: no limit armed, the last one kept.
  SetLimit(0, 99, 0, 0);
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(15000));
  EXPECT_EQ(g_run.limitSeconds, 70);
  EXPECT_EQ(StatusText(1), "ﾀｲﾏｰOFF");
  EXPECT_EQ(Starts().size(), 7u);
}
