// Runs of any length: the captured rows, the job table refilled block by
// block, and the marks the progress display sets from them.
#include "runner/job_path.h"
#include "runner/progress_rules.h"
#include "runner/run_blocks.h"
#include "tests/native/check.h"

// Marks in order, runs of one mark as "first..last+" (a single one "row+").
static std::string Runs(const RowMark* marks, int n) {
  std::string out;
  for (int i = 0, j; i < n; i = j) {
    for (j = i + 1; j < n && marks[j].marked == marks[i].marked;) ++j;
    out += std::to_string(marks[i].row) + (j - 1 > i ? ".." + std::to_string(marks[j - 1].row) : "") +
           (marks[i].marked ? "+ " : "- ");
  }
  return out;
}

TEST(RunBlocks, EveryCapturedRowRunsBlockByBlockLaterBlocksStayMarkedAndOnlyChangesAreSent) {
  static RunBlocks blocks;
  static JobTable table;
  CapturedRun& run = blocks.captured;
  // Rows come once each, in list order, as a selection gives them; neighbours keep their folder once.
  for (const auto& [row, taken] : {std::pair{2, true}, {2, false}, {1, false}, {-1, false}, {5, true}})
    EXPECT_EQ(CaptureRow(run, "c:\\d", "a", "7", row), taken) << row;
  EXPECT_EQ(run.texts, std::string("c:\\d\0a\0007\0a\0007\0", 13));
  EXPECT_TRUE(CaptureRow(run, "c:\\d", std::string(256, 'n').c_str(), "0123456789abcdef", 6));  // cut as the list reads
  EXPECT_EQ(run.texts.substr(13), std::string(255, 'n') + '\0' + "0123456789abcde" + '\0');
  // 250 rows captured, every other row of a list of 500, in two folders. Each step: the table's first `done` Jobs Done,
  // the next Running; at the block's end, whether the run goes on and whether the table was refilled; then the table's
  // first captured row and count, the list's row count, one tick's marks (blink phase 1) and the done count.
  ClearCapture(run);
  EXPECT_EQ(CaptureBytes(run), CaptureBytes(CapturedRun()));  // nothing kept from the last run
  for (int k = 0; k < 250; ++k) {
    std::string row = std::to_string(2 * k);  // as its name's number and its size
    CaptureRow(run, k < 150 ? "c:\\d" : "c:\\e", ("f" + row).c_str(), row.c_str(), 2 * k);
  }
  TrimCapture(run);  // each folder once; 250 names and sizes of 695 digits in all; no room to spare
  EXPECT_EQ(CaptureBytes(run), 250 * sizeof(CapturedRow) + 2 * 5 + 250 * 3 + 2 * 695);
  FillBlock(blocks, table, 0);
  const std::tuple<int, bool, bool, int, int, int32_t, std::string, int> steps[] = {
      {0, true, false, 0, 100, 500, "0..498+ ", 0},
      {50, true, false, 0, 100, 500, "0..98- 100..498+ ", 50},      // later blocks' rows marked too
      {100, false, false, 0, 100, 500, "0..198- 200..498+ ", 100},  // a stop between blocks: no refill
      {100, true, true, 100, 100, 500, "0..198- 200..498+ ", 100},
      {100, true, true, 200, 50, 500, "0..398- 400..498+ ", 200},
      {0, true, false, 200, 50, 450, "0..398- 400..448+ ", 200},  // a Queued row just past the list
      {50, true, false, 200, 50, 500, "0..498- ", 250},           // nothing left
      {50, true, false, 200, 50, 300, "0..298- ", 250},           // rows removed meanwhile
      {50, true, false, 200, 50, 0, "", 250},                     // every row removed
  };
  for (const auto& [done, running, refilled, first, count, rowCount, tick, doneCount] : steps) {
    for (int j = 0; j < table.count; ++j)
      table.jobs[j].state = j < done ? kJobDone : j == done ? kJobRunning : kJobQueued;
    if (done == table.count) EXPECT_EQ(RefillNextBlock(blocks, table, running), refilled) << tick;
    EXPECT_EQ(Ints({blocks.first, table.count, DoneCount(blocks, table), table.jobs[0].size}),
              Ints({first, count, doneCount, 2 * first}));
    EXPECT_EQ(table.jobs[0].path, (first < 150 ? "c:\\d\\f" : "c:\\e\\f") + std::to_string(2 * first));
    std::vector<RowMark> marks(run.rows.size(), {-1, true});
    int32_t phase = 1;
    EXPECT_EQ(Runs(marks.data(), PlanTick(blocks, table, rowCount, &phase, marks.data())), tick);
    EXPECT_EQ(phase, done < count ? 0 : 1);  // flipped by the Running Job, and back
    EXPECT_EQ((PlanTick(blocks, table, rowCount, &phase, marks.data()), phase), 1);
    std::vector<uint8_t> marked(rowCount + 1, 7);  // the byte past the list stays as it is
    PlanPaint(blocks, table, rowCount, marked.data());
    for (int r = 0; r < rowCount; r += 2) marks[r / 2] = {r + marked[r + 1], marked[r] == 1};  // odd rows: none
    EXPECT_EQ(Runs(marks.data(), (rowCount + 1) / 2) + std::to_string(marked[rowCount]), tick + "7") << "paint";
  }
  // Only marks that change a row are sent. Mark bits: row 0 selected, 1 focused, 3 drop-highlighted, 8 marked.
  const uint8_t bits[] = {kSelectedBit, kFocusedBit, 0, kDropHilitedBit, 0, 0, 0, 0, kSelectedBit | kDropHilitedBit};
  const RowMark sent[] = {{0, true}, {1, false}, {2, false}, {3, false}, {8, true}};
  RowMark changes[5];
  int n = MarkChanges(sent, 5, bits, changes);
  EXPECT_EQ(Runs(changes, n) + std::to_string(n), "0+ 1..3- 3");
  // Marking a row gives it the focus (the last one marked; no mark beyond the count), unmarking the focused row takes
  // it away, and unmarking another row leaves it.
  EXPECT_EQ(Ints({FocusAfterMarks(sent, 5, -1), FocusAfterMarks(sent, 4, -1), FocusAfterMarks(sent + 1, 1, 1),
                  FocusAfterMarks(sent + 1, 1, 6)}),
            Ints({8, 0, -1, 6}));
}
