// Twenty runs of up to 100 jobs with a mix of endings: nothing may be left
// running, no handle may leak, and the settings still save byte for byte.
#include <windows.h>

#include <random>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner_fixture.h"

namespace {

int RunningStandins() { return static_cast<int>(ProcessesNamed("standin.exe").size()); }

DWORD HandleCount() {
  DWORD n = 0;
  GetProcessHandleCount(GetCurrentProcess(), &n);
  return n;
}

}  // namespace

using Soak = RunnerTest;

TEST_F(Soak, TwentyMixedRunsLeaveNothingBehind) {
  const std::string ini = "filetypemax=1\r\nfile_type0=dwg\r\nfileselect=0\r\nf=c:\\soak\r\n";
  WriteSettings(ini);
  StartApp();
  SetLimit(1, 1, 0, 0);
  std::mt19937 random(20261206);
  DWORD baseline = 0;
  int stops = 0, closes = 0, terminations = 0;
  for (int run = 0; run < 20; ++run) {
    // Odd runs end programs at once, even runs ask their windows to close.
    int apriEnd = run % 2;
    SetLimit(1, 1, 0, apriEnd);
    RemoveRows(main, kRemoveAll);
    int jobs = 20 + static_cast<int>(random() % 81);
    for (int i = 0; i < jobs; ++i) {
      std::string behaviour = "exit";
      if (i % 40 == 7) behaviour = apriEnd ? "ignore 60000" : "close 60000";  // outlives its 1 s limit
      AddFile(dir, "s" + std::to_string(i) + ".dwg", behaviour);
    }
    closes += apriEnd ? 0 : (jobs + 32) / 40;
    terminations += apriEnd ? (jobs + 32) / 40 : 0;
    Command(IDM_RUN_ALL);
    ASSERT_EQ(g_run.running, 1) << "run " << run;
    if (run % 4 == 3) {
      Pump(100 + static_cast<int>(random() % 1500));
      Command(IDT_STOP);
      ++stops;
    }
    ASSERT_TRUE(PumpUntil([] { return g_run.running == 0 && g_run.workerThread == nullptr; }, 120000))
        << "run " << run;
    Pump(1100);  // the next progress tick ends the run's display
    EXPECT_TRUE(PumpUntil([] { return RunningStandins() == 0; }, 3000)) << "stand-ins left after run " << run;
    for (int row = 0; row < RowCount(); ++row) {
      EXPECT_EQ(SendMessageA(g_fileList, LVM_GETITEMSTATE, row, kMarkBits), 0);
    }
    if (run == 1) baseline = HandleCount();
    if (run > 1) {
      EXPECT_LE(HandleCount(), baseline) << "handles grew by run " << run;
    }
  }
  EXPECT_TRUE(Boxes().empty());
  EXPECT_GT(closes + terminations, 0);
  EXPECT_EQ(stops, 5);
  CloseApp();
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"),
            "filetypemax=1\r\nfile_type0=dwg\r\nfileselect=0\r\nf=c:\\soak\r\np=" + StandinExe() +
                "\r\nop_m1=\r\nop_m2=\r\noff_mode=1\r\noff_tim=1\r\napri_end=1\r\noff_size=0\r\n");
}
