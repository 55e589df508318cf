// Job paths, the job table's bound, and the rows the progress display marks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runner/job_path.h"
#include "runner/progress_rules.h"

namespace {

std::string Join(const char* folder, const char* name) {
  char out[kJobPathSize];
  JoinJobPath(folder, name, out);
  return out;
}

// Table entries are zero-filled, static-like, as the process-wide one is.
struct Table {
  Table() { std::memset(static_cast<void*>(&t), 0, sizeof t); }
  void Add(int32_t row, int32_t state) {
    Job& job = t.jobs[t.count];
    job.row = row;
    job.state = state;
    t.count = t.count + 1;
  }
  JobTable t;
};

}  // namespace

TEST(JobPath, SeparatorOnlyWhenTheLastCharacterIsNotOne) {
  EXPECT_EQ(Join("c:\\dwg", "a.dwg"), "c:\\dwg\\a.dwg");
  EXPECT_EQ(Join("c:\\", "a.dwg"), "c:\\a.dwg");
  // ソ and 表 end in the byte 0x5C, yet they still need the separator.
  EXPECT_EQ(Join("c:\\ソ", "a.dwg"), "c:\\ソ\\a.dwg");
  EXPECT_EQ(Join("d:\\図表", "b.dxf"), "d:\\図表\\b.dxf");
  EXPECT_EQ(Join("c:\\ソ\\", "a.dwg"), "c:\\ソ\\a.dwg");
  EXPECT_EQ(Join("", "a.dwg"), "a.dwg");
}

TEST(JobPath, LongestTextsFitAndUnterminatedOnesStopAtTheirRecord) {
  std::string folder(255, 'd'), name(255, 'n');
  EXPECT_EQ(Join(folder.c_str(), name.c_str()), folder + "\\" + name);
  char rawFolder[256], rawName[256];
  std::memset(rawFolder, 'd', sizeof rawFolder);
  std::memset(rawName, 'n', sizeof rawName);
  char out[kJobPathSize];
  std::memset(out, 'x', sizeof out);
  JoinJobPath(rawFolder, rawName, out);
  EXPECT_EQ(std::string(out), folder + "\\" + name);
  EXPECT_EQ(out[kJobPathSize - 1], '\0');
  // A lead byte cut off at the end of the folder does not hide a separator.
  EXPECT_EQ(Join("c:\\\x83", "a"), "c:\\\x83\\a");
}

TEST(JobTable, StoresUpToAHundredJobsAndNeverMore) {
  Table table;
  for (int i = 0; i < kMaxJobs; ++i) ASSERT_TRUE(StoreJob(table.t, "c:\\x", "a.dwg", "12", i));
  EXPECT_EQ(table.t.count, kMaxJobs);
  EXPECT_FALSE(StoreJob(table.t, "c:\\x", "b.dwg", "1", 100));
  EXPECT_EQ(table.t.count, kMaxJobs);
  EXPECT_EQ(table.t.jobs[99].row, 99);
}

TEST(JobTable, StoredJobIsQueuedWithItsRowAndLenientSize) {
  Table table;
  std::memset(table.t.jobs[0].path, 'z', kJobPathSize);
  ASSERT_TRUE(StoreJob(table.t, "c:\\ソ", "a.dwg", "-1", 4));
  ASSERT_TRUE(StoreJob(table.t, "", "b.dwg", "  2500kb", 7));
  ASSERT_TRUE(StoreJob(table.t, "c:\\", "c.dwg", "", 9));
  EXPECT_STREQ(table.t.jobs[0].path, "c:\\ソ\\a.dwg");
  EXPECT_EQ(table.t.jobs[0].path[kJobPathSize - 1], '\0');  // zero-filled behind the text
  EXPECT_EQ(table.t.jobs[0].size, -1);
  EXPECT_EQ(table.t.jobs[0].row, 4);
  EXPECT_EQ(table.t.jobs[0].state, kJobQueued);
  EXPECT_STREQ(table.t.jobs[1].path, "b.dwg");
  EXPECT_EQ(table.t.jobs[1].size, 2500);
  EXPECT_EQ(table.t.jobs[2].size, 0);
  // The size text is read no further than its 16-byte buffer.
  char longSize[16];
  std::memset(longSize, '9', sizeof longSize);
  ASSERT_TRUE(StoreJob(table.t, "c:\\", "d.dwg", longSize, 10));
}

TEST(ProgressTick, QueuedMarkedDoneUnmarkedRunningBlinks) {
  Table table;
  table.Add(2, kJobDone);
  table.Add(5, kJobRunning);
  table.Add(7, kJobQueued);
  RowMark marks[kMaxJobs];
  int32_t phase = 0;
  ASSERT_EQ(PlanTick(table.t, 10, &phase, marks), 3);
  EXPECT_EQ(marks[0].row, 2);
  EXPECT_FALSE(marks[0].marked);
  EXPECT_EQ(marks[1].row, 5);
  EXPECT_FALSE(marks[1].marked);  // phase 0: off this second
  EXPECT_EQ(marks[2].row, 7);
  EXPECT_TRUE(marks[2].marked);
  EXPECT_EQ(phase, 1);
  ASSERT_EQ(PlanTick(table.t, 10, &phase, marks), 3);
  EXPECT_TRUE(marks[1].marked);
  EXPECT_EQ(phase, 0);
}

TEST(ProgressTick, RowsOutsideTheListAndBadStatesAreLeftAlone) {
  Table table;
  table.Add(9, kJobQueued);   // row since removed from the list
  table.Add(-1, kJobQueued);
  table.Add(1, 0);            // not a state at all
  table.Add(0, kJobQueued);
  RowMark marks[kMaxJobs];
  int32_t phase = 1;
  ASSERT_EQ(PlanTick(table.t, 5, &phase, marks), 1);
  EXPECT_EQ(marks[0].row, 0);
  EXPECT_EQ(phase, 1);
  table.t.count = 1000;  // a torn count never reads past the table
  EXPECT_LE(PlanTick(table.t, 5, &phase, marks), kMaxJobs);
  table.t.count = -3;
  EXPECT_EQ(PlanTick(table.t, 5, &phase, marks), 0);
}

TEST(ProgressTick, MarksComeInRowOrder) {
  Table table;
  table.Add(8, kJobQueued);
  table.Add(3, kJobDone);
  table.Add(8, kJobDone);
  table.Add(1, kJobQueued);
  RowMark marks[kMaxJobs];
  int32_t phase = 0;
  ASSERT_EQ(PlanTick(table.t, 10, &phase, marks), 4);
  EXPECT_EQ(marks[0].row, 1);
  EXPECT_EQ(marks[1].row, 3);
  // Two Jobs of one row: table order, so the later one has the last word.
  EXPECT_EQ(marks[2].row, 8);
  EXPECT_TRUE(marks[2].marked);
  EXPECT_EQ(marks[3].row, 8);
  EXPECT_FALSE(marks[3].marked);
}

TEST(ProgressPaint, QueuedAndRunningRowsMarkedEveryOtherRowUnmarked) {
  Table table;
  table.Add(2, kJobQueued);
  table.Add(5, kJobRunning);
  table.Add(6, kJobDone);
  table.Add(40, kJobQueued);  // beyond the list
  std::vector<uint8_t> marked(10, 7);
  PlanPaint(table.t, 10, marked.data());
  std::vector<uint8_t> expected = {0, 0, 1, 0, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(marked, expected);
  // A row holding a Done and a Queued Job is marked.
  table.Add(6, kJobQueued);
  PlanPaint(table.t, 10, marked.data());
  EXPECT_EQ(marked[6], 1);
}

TEST(ProgressFocus, OnlyTheLastMarkKeepsTheFocus) {
  const RowMark marks[] = {{2, true}, {5, false}, {7, true}, {9, false}};
  EXPECT_EQ(FocusAfterMarks(marks, 4, -1), 7);
  EXPECT_EQ(FocusAfterMarks(marks, 4, 9), 7);
  EXPECT_EQ(FocusAfterMarks(marks, 0, 4), 4);  // nothing marked: the focus stays
  // Unmarking the row that holds the focus takes it away.
  const RowMark unmarkHolder[] = {{1, true}, {3, false}, {1, false}};
  EXPECT_EQ(FocusAfterMarks(unmarkHolder, 3, 6), -1);
  EXPECT_EQ(FocusAfterMarks(unmarkHolder + 1, 1, 3), -1);
  EXPECT_EQ(FocusAfterMarks(unmarkHolder + 1, 1, 6), 6);
  // Unmarked, then marked again later: the focus comes back.
  const RowMark again[] = {{4, false}, {4, true}};
  EXPECT_EQ(FocusAfterMarks(again, 2, 4), 4);
}

TEST(ProgressPaint, ChangesSkipRowsThatHoldNoMark) {
  const uint8_t marked[] = {0, 1, 0, 0, 1, 0};
  const uint8_t hasBits[] = {1, 1, 0, 1, 0, 0};
  RowMark out[6];
  ASSERT_EQ(PaintChanges(marked, hasBits, 6, out), 4);
  EXPECT_EQ(out[0].row, 0);
  EXPECT_FALSE(out[0].marked);
  EXPECT_EQ(out[1].row, 1);
  EXPECT_TRUE(out[1].marked);
  EXPECT_EQ(out[2].row, 3);
  EXPECT_FALSE(out[2].marked);
  EXPECT_EQ(out[3].row, 4);
  EXPECT_TRUE(out[3].marked);
  EXPECT_EQ(PaintChanges(marked, hasBits, 0, out), 0);
}
