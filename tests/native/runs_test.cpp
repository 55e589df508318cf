// The runner's rules: Job paths and the job table, command lines and time
// limits; runs of many blocks and their marks are in run_blocks_test.cpp.
#include <climits>

#include "runner/command_line.h"
#include "runner/job_path.h"
#include "runner/time_limit.h"
#include "tests/native/check.h"

TEST(Launches, JobPathsAndTheJobTable) {
  const std::tuple<std::string, std::string, std::string> rows[] = {
      // folder, file name, the Job's path
      {"c", "a", "c\\a"},
      {"ソ", "a", "ソ\\a"},  // ソ ends in the byte 0x5C
      {"c:\\ソ\\", "a", "c:\\ソ\\a"},
      // no folder; row texts of 255 bytes at most
      {"", "a", "a"},
      {std::string(256, 'd'), A(256), std::string(255, 'd') + "\\" + A(255)},
  };
  for (const auto& [folder, name, path] : rows) {
    auto join = [&](char* out) { JoinJobPath(folder.c_str(), name.c_str(), out); };
    EXPECT_EQ(Filled(kJobPathSize, join), Zeroed(path, kJobPathSize) + "x") << folder;
  }
  static JobTable table;
  for (int row = 0; row < kMaxJobs; ++row) EXPECT_TRUE(StoreJob(table, "c:\\", "a", "12345678901234567", row));
  EXPECT_FALSE(StoreJob(table, "c:\\", "b", "1", 0));  // a hundred at most
  // the size from its first 16 bytes, wrapping
  EXPECT_EQ(Ints({table.jobs[kMaxJobs - 1].size, table.jobs[kMaxJobs - 1].state}), Ints({1015724736, kJobQueued}));
}

TEST(Launches, CommandLinesGlueTheOptionsToTheQuotedPathAndAreNeverCut) {
  const std::string p(256, 'p'), m1(64, '1'), m2(64, '2'), path(512, 'f');  // unterminated: 255, 63, 63, 511 read
  const std::tuple<std::string, std::string, std::string, std::string, std::string> lines[] = {
      {"v", "/p", "/q", "a", "\"v\" /p\"a\"/q"},
      {p, m1, m2, path, "\"" + p.substr(1) + "\" " + m1.substr(1) + "\"" + path.substr(1) + "\"" + m2.substr(1)},
  };
  for (const auto& [program, opM1, opM2, file, line] : lines) {
    for (size_t size : {line.size() + 1, line.size()}) {  // room for the line, then one byte too few
      std::string out(size + 1, 'x');                     // and a guard byte
      const bool fits = size > line.size();
      EXPECT_EQ(BuildCommandLine(program.data(), opM1.data(), opM2.data(), file.data(), &out[0], size), fits);
      EXPECT_EQ(out, Zeroed(fits ? line : "", size) + "x") << line.substr(0, 40);
    }
  }
}

TEST(TimeLimit, BasePlusSizeShareWrapsIn32BitsAndOnlyTheArmedLaunchExpires) {
  // off_tim, off_size, size: seconds; a share rounds toward zero, and size / -1 wraps instead of trapping
  const std::tuple<int32_t, int32_t, int32_t, int32_t> limits[] = {
      {10, 1000, 2500, 12}, {30, 0, 123456, 30}, {0, -2, 7, -3}, {0, -1, 7, -7}, {5, -1, INT_MIN, INT_MIN + 5}};
  for (const auto& [base, share, size, seconds] : limits)
    EXPECT_EQ(TimeLimitSeconds(base, share, size), seconds) << size;
  EXPECT_EQ(TimerPeriodMs(5), 5000u);
  const std::tuple<TimerArming, uint32_t, uint64_t, bool> expiries[] = {
      // armed for, launch, now: it belongs
      {{3, 10000, 1000}, 4, 20000, false},        // armed for the launch before
      {{1, 9000, 1000}, 1, 8000, false},          // a clock that went back
      {{1, 0, 0xFFFFFC18}, 1, 0x7FFFFFCD, true},  // the period clamped to 2^31 - 1, less 50 ms of slack
      {{1, 0, 0xFFFFFC18}, 1, 0x7FFFFFCC, false},
  };
  for (const auto& [armed, launch, now, belongs] : expiries)
    EXPECT_EQ(ExpiryBelongsToLaunch(armed, launch, now), belongs);
}
