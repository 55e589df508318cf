#include <gtest/gtest.h>

#include <cstring>

#include "common/help_address.h"
#include "app/window_layout.h"
#include "common/cp932.h"
#include "filelist/row_text.h"
#include "runner/status_format.h"

TEST(Cp932, SeparatorTestsStepByCharacters) {
  // ソ and 表 end in the byte 0x5C; neither is a separator.
  EXPECT_FALSE(cp932::EndsWithBackslash("c:\\ソ"));
  EXPECT_FALSE(cp932::EndsWithBackslash("d:\\図表"));
  EXPECT_TRUE(cp932::EndsWithBackslash("c:\\ソ\\"));
  EXPECT_TRUE(cp932::EndsWithBackslash("c:\\"));
  EXPECT_FALSE(cp932::EndsWithBackslash(""));
  EXPECT_EQ(cp932::LastBackslash("c:\\ソ"), 2);
  EXPECT_EQ(cp932::LastBackslash("ソ"), -1);
  EXPECT_EQ(cp932::LastBackslash("\\abc", 1), -1);
}

TEST(Cp932, SubstringMatchesOnlyWholeCharacters) {
  // ア is 0x83 0x41: its trail byte is no "A".
  EXPECT_FALSE(cp932::Contains("ア.dwg", "A"));
  EXPECT_TRUE(cp932::Contains("アA.dwg", "A"));
  EXPECT_TRUE(cp932::Contains("A12.dwg", "12"));
  EXPECT_FALSE(cp932::Contains("ABC.dwg", "abc"));
  EXPECT_TRUE(cp932::Contains("x", ""));
  EXPECT_TRUE(cp932::Contains("図面ソ.dxf", "ソ"));
}

TEST(RowText, SizesAndDates) {
  EXPECT_EQ(SizeInKilobytes(0, 0), 1);
  EXPECT_EQ(SizeInKilobytes(0, 999), 1);
  EXPECT_EQ(SizeInKilobytes(0, 1999), 1);
  EXPECT_EQ(SizeInKilobytes(0, 2000), 2);
  EXPECT_EQ(SizeInKilobytes(0, 0xFFFFFFFFu), 4294967);
  EXPECT_EQ(SizeInKilobytes(1, 0), -1);
  char date[40];
  FormatDateText(2003, 7, 15, 9, 5, date);
  EXPECT_STREQ(date, "2003/07/15 09:05");
}

TEST(StatusText, LimitAndRunState) {
  char text[16];
  FormatLimitText(1, 125, text);
  EXPECT_STREQ(text, "2分5秒");
  FormatLimitText(1, 0, text);
  EXPECT_STREQ(text, "0分0秒");
  FormatLimitText(1, -1, text);
  EXPECT_STREQ(text, "0分-1秒");
  FormatLimitText(1, INT32_MIN, text);
  EXPECT_STREQ(text, "-35791394分-8秒");
  FormatLimitText(0, 125, text);
  EXPECT_STREQ(text, "ﾀｲﾏｰOFF");
  EXPECT_STREQ(RunStateText(1), "動作中");
  EXPECT_STREQ(RunStateText(0), "停止中");
}

TEST(WindowLayout, CentringTruncatesTowardZero) {
  EXPECT_EQ(CenteredOrigin(800, 600), 100);
  EXPECT_EQ(CenteredOrigin(500, 600), -50);
  EXPECT_EQ(CenteredOrigin(599, 600), 0);
  Band b = FileListBand(584, 421);
  EXPECT_EQ(b.y, 40);
  EXPECT_EQ(b.height, 361);
}

TEST(HelpAddress, FileAddressBesideTheProgram) {
  char out[300];
  ASSERT_TRUE(BuildHelpAddress("C:\\Program Files\\plimsar\\plimsar.exe", kToolHelpPage, out, sizeof out));
  EXPECT_STREQ(out, "file:///C:/Program%20Files/plimsar/help/plimsar.html");
  // ソ keeps its trail byte 0x5C.
  ASSERT_TRUE(BuildHelpAddress("D:\\ソ\\p.exe", kSettingsHelpPage, out, sizeof out));
  EXPECT_STREQ(out, "file:///D:/ソ/help/settings.html");
  EXPECT_FALSE(BuildHelpAddress("C:\\x\\p.exe", kToolHelpPage, out, 10));
  ASSERT_TRUE(BuildBrowserCommandLine("file:///a", out, sizeof out));
  EXPECT_STREQ(out, "C:\\Program Files\\Internet Explorer\\iexplore.exe file:///a");
}
