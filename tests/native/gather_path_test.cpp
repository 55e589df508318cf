#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filelist/entry_rules.h"
#include "filelist/path_text.h"

namespace {

std::string Repeat(char c, size_t n) { return std::string(n, c); }

}  // namespace

TEST(GatherPath, PatternsAndJoinsKeepTheFolderAsGiven) {
  char out[kPathTextSize];
  ASSERT_TRUE(ScanPattern(out, "c:\\Data", "dwg"));
  EXPECT_STREQ(out, "c:\\Data\\*.dwg");
  // A root keeps its own separator: two in a row, as the commands have it.
  ASSERT_TRUE(ScanPattern(out, "c:\\", "dwg"));
  EXPECT_STREQ(out, "c:\\\\*.dwg");
  ASSERT_TRUE(ScanPattern(out, "d:\\x", ""));
  EXPECT_STREQ(out, "d:\\x\\*.");
  ASSERT_TRUE(ListPattern(out, "c:\\"));
  EXPECT_STREQ(out, "c:\\\\*");
  ASSERT_TRUE(JoinPath(out, "c:", "plan.dwg"));
  EXPECT_STREQ(out, "c:\\plan.dwg");
}

TEST(GatherPath, TooLongIsRefusedNotCut) {
  char out[kPathTextSize];
  std::memset(out, 'x', sizeof out);
  std::string folder = "c:\\" + Repeat('a', 246);  // 249 bytes
  EXPECT_TRUE(ScanPattern(out, folder.c_str(), "dwg"));  // 255 bytes: fits exactly
  EXPECT_EQ(std::strlen(out), 255u);
  EXPECT_FALSE(ScanPattern(out, folder.c_str(), "dwgx"));
  EXPECT_STREQ(out, "");
  EXPECT_TRUE(JoinPath(out, folder.c_str(), "12345"));
  EXPECT_FALSE(JoinPath(out, folder.c_str(), "123456"));
  EXPECT_FALSE(ConcatPath(out, Repeat('b', 300).c_str(), "", ""));
  EXPECT_STREQ(out, "");
  EXPECT_TRUE(JoinedPathFits(249, "12345"));
  EXPECT_FALSE(JoinedPathFits(249, "123456"));
  EXPECT_FALSE(JoinedPathFits(255, ""));
  EXPECT_FALSE(JoinedPathFits(400, "a"));
}

TEST(GatherPath, ChosenFilesFolderDropsOnlyARealSeparator) {
  char out[kPathTextSize];
  // One file: the full path, the name after the last "\".
  const char one[] = "c:\\Data\\a.dwg";
  ChosenFilesFolder(one, 8, out);
  EXPECT_STREQ(out, "c:\\Data");
  // Several files: folder, zero, names. ソ ends in the byte 0x5C.
  const char several[] = "c:\\図面ソ\0a.dwg\0b.dwg\0";
  ChosenFilesFolder(several, std::strlen(several) + 1, out);
  EXPECT_STREQ(out, "c:\\図面ソ");
  const char table[] = "d:\\表\\x.dwg";
  ChosenFilesFolder(table, std::strlen("d:\\表\\"), out);
  EXPECT_STREQ(out, "d:\\表");
  // Files in a root: the drive letter and colon alone.
  ChosenFilesFolder("c:\\plan.dwg", 3, out);
  EXPECT_STREQ(out, "c:");
  ChosenFilesFolder("c:\\\0a.dwg\0b.dwg\0", 4, out);
  EXPECT_STREQ(out, "c:");
  ChosenFilesFolder("a.dwg", 0, out);
  EXPECT_STREQ(out, "");
}

TEST(GatherPath, FolderOfAFoundPathSplitsAtTheLastSeparatorCharacter) {
  char out[kPathTextSize];
  ASSERT_TRUE(FolderOfPath("c:\\plan.dwg", out));
  EXPECT_STREQ(out, "c:");
  ASSERT_TRUE(FolderOfPath("d:\\図面\\能.dwg", out));
  EXPECT_STREQ(out, "d:\\図面");
  // The trail byte of 表 is not a separator.
  ASSERT_TRUE(FolderOfPath("d:\\x\\表a.dwg", out));
  EXPECT_STREQ(out, "d:\\x");
  EXPECT_FALSE(FolderOfPath("ソ.dwg", out));
  EXPECT_STREQ(out, "");
}

TEST(EntryRules, PlainFoldersAndDotNames) {
  EXPECT_TRUE(IsPlainFolder(0x10));
  EXPECT_TRUE(IsPlainFolder(0x10 | 0x20));    // archive
  EXPECT_TRUE(IsPlainFolder(0x10 | 0x01));    // read-only
  EXPECT_TRUE(IsPlainFolder(0x10 | 0x800));   // compressed
  EXPECT_TRUE(IsPlainFolder(0x10 | 0x2000));  // not content-indexed
  EXPECT_FALSE(IsPlainFolder(0x10 | 0x02));   // hidden
  EXPECT_FALSE(IsPlainFolder(0x10 | 0x04));   // system
  EXPECT_FALSE(IsPlainFolder(0x20));          // a file
  EXPECT_FALSE(IsPlainFolder(0x80));
  EXPECT_TRUE(IsDotName("."));
  EXPECT_TRUE(IsDotName(".."));
  EXPECT_TRUE(IsDotName(".git"));
  EXPECT_FALSE(IsDotName("a.b"));
  EXPECT_TRUE(IsDotOrDotDot("."));
  EXPECT_TRUE(IsDotOrDotDot(".."));
  EXPECT_FALSE(IsDotOrDotDot("..."));
  EXPECT_FALSE(IsDotOrDotDot(".a"));
}
