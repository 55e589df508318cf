// Command lines, time limits and timer expiries of the worker's launches.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "runner/command_line.h"
#include "runner/time_limit.h"

namespace {

std::string Line(const char* p, const char* m1, const char* m2, const char* path) {
  char out[kCommandLineSize];
  EXPECT_TRUE(BuildCommandLine(p, m1, m2, path, out, sizeof out));
  return out;
}

}  // namespace

TEST(CommandLine, OptionsAreGluedToTheQuotedPath) {
  EXPECT_EQ(Line("C:\\bin\\viewer.exe", "", "", "C:\\dwg\\a.dwg"), "\"C:\\bin\\viewer.exe\" \"C:\\dwg\\a.dwg\"");
  EXPECT_EQ(Line("C:\\bin\\viewer.exe", "/p ", "", "C:\\dwg\\a.dwg"),
            "\"C:\\bin\\viewer.exe\" /p \"C:\\dwg\\a.dwg\"");
  EXPECT_EQ(Line("v.exe", "/p", "/q", "a.dwg"), "\"v.exe\" /p\"a.dwg\"/q");
  EXPECT_EQ(Line("v.exe", "", " -x", "図面\\ソ.dwg"), "\"v.exe\" \"図面\\ソ.dwg\" -x");
  EXPECT_EQ(Line("", "", "", ""), "\"\" \"\"");
}

TEST(CommandLine, LongestPiecesFitWhole) {
  std::string p(255, 'p'), m1(63, '1'), m2(63, '2'), path(511, 'f');
  char out[kCommandLineSize];
  ASSERT_TRUE(BuildCommandLine(p.c_str(), m1.c_str(), m2.c_str(), path.c_str(), out, sizeof out));
  std::string expected = "\"" + p + "\" " + m1 + "\"" + path + "\"" + m2;
  EXPECT_EQ(expected.size(), 897u);
  EXPECT_EQ(std::string(out), expected);
  // Unterminated records are read only up to their own sizes.
  char fullP[256], fullM1[64], fullM2[64], fullPath[512];
  std::memset(fullP, 'p', sizeof fullP);
  std::memset(fullM1, '1', sizeof fullM1);
  std::memset(fullM2, '2', sizeof fullM2);
  std::memset(fullPath, 'f', sizeof fullPath);
  ASSERT_TRUE(BuildCommandLine(fullP, fullM1, fullM2, fullPath, out, sizeof out));
  EXPECT_EQ(std::string(out), expected);
}

TEST(CommandLine, TooSmallBufferIsRefusedNotCut) {
  char out[12];
  std::memset(out, 'x', sizeof out);
  EXPECT_FALSE(BuildCommandLine("viewer.exe", "", "", "a.dwg", out, sizeof out));
  EXPECT_EQ(out[0], '\0');
  // Exactly fitting: 11 bytes of text and the zero.
  EXPECT_TRUE(BuildCommandLine("v", "", "", "abcde", out, sizeof out));
  EXPECT_STREQ(out, "\"v\" \"abcde\"");
}

TEST(TimeLimit, BaseAndSizeShare) {
  EXPECT_EQ(TimeLimitSeconds(30, 0, 123456), 30);
  EXPECT_EQ(TimeLimitSeconds(30, 0, -1), 30);
  EXPECT_EQ(TimeLimitSeconds(10, 1000, 2500), 12);
  EXPECT_EQ(TimeLimitSeconds(10, 1000, 999), 10);
  EXPECT_EQ(TimeLimitSeconds(10, 1000, -1), 10);
  EXPECT_EQ(TimeLimitSeconds(10, 1, -1), 9);
  EXPECT_EQ(TimeLimitSeconds(10, 2, -1), 10);
  EXPECT_EQ(TimeLimitSeconds(10, 1, 4294967), 4294977);
  // Truncation toward zero, also for negative settings.
  EXPECT_EQ(TimeLimitSeconds(0, -1000, 2500), -2);
  EXPECT_EQ(TimeLimitSeconds(0, 1000, -2500), -2);
}

TEST(TimeLimit, OverflowWrapsInsteadOfTrapping) {
  EXPECT_EQ(TimeLimitSeconds(0, -1, INT_MIN), INT_MIN);
  EXPECT_EQ(TimeLimitSeconds(5, -1, INT_MIN), INT_MIN + 5);
  EXPECT_EQ(TimeLimitSeconds(0, -1, 7), -7);
  EXPECT_EQ(TimeLimitSeconds(INT_MAX, 1, 1), INT_MIN);
  EXPECT_EQ(TimeLimitSeconds(INT_MIN, 1, -1), INT_MAX);
  EXPECT_EQ(TimeLimitSeconds(INT_MAX, 0, 0), INT_MAX);
}

TEST(TimeLimit, TimerPeriodIsA32BitProduct) {
  EXPECT_EQ(TimerPeriodMs(0), 0u);
  EXPECT_EQ(TimerPeriodMs(1), 1000u);
  EXPECT_EQ(TimerPeriodMs(4294967), 4294967000u);
  EXPECT_EQ(TimerPeriodMs(4294968), 704u);  // wraps past 2^32
  EXPECT_EQ(TimerPeriodMs(-1), 0xFFFFFC18u);
  EXPECT_EQ(TimerPeriodMs(INT_MIN), 0u);
}

TEST(TimerExpiry, OnlyTheArmedLaunchIsEnded) {
  TimerArming arming = {3, 10000, 1000};
  EXPECT_TRUE(ExpiryBelongsToLaunch(arming, 3, 11000));
  EXPECT_TRUE(ExpiryBelongsToLaunch(arming, 3, 60000));
  EXPECT_TRUE(ExpiryBelongsToLaunch(arming, 3, 10990));  // a tick early still counts
  // Armed for an earlier launch: the program now running is spared.
  EXPECT_FALSE(ExpiryBelongsToLaunch(arming, 4, 20000));
  // An expiry of the previous arming delivered right after the re-arming.
  EXPECT_FALSE(ExpiryBelongsToLaunch(arming, 3, 10005));
  EXPECT_FALSE(ExpiryBelongsToLaunch(arming, 3, 10500));
  // Never armed.
  EXPECT_FALSE(ExpiryBelongsToLaunch(TimerArming{0, 0, 0}, 0, 5000));
  // A limit of 0 ends the program at the first expiry.
  EXPECT_TRUE(ExpiryBelongsToLaunch(TimerArming{7, 500, 0}, 7, 500));
  // Periods beyond the system's longest are clamped to it.
  EXPECT_TRUE(ExpiryBelongsToLaunch(TimerArming{1, 0, 0xFFFFFC18u}, 1, 0x7FFFFFFFull));
  EXPECT_FALSE(ExpiryBelongsToLaunch(TimerArming{1, 0, 0xFFFFFC18u}, 1, 0x70000000ull));
  // A clock that seems to go back never counts as elapsed time.
  EXPECT_FALSE(ExpiryBelongsToLaunch(TimerArming{1, 9000, 1000}, 1, 8000));
}
