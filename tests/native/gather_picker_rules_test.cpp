#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filelist/path_text.h"
#include "filelist/picker_rules.h"

namespace {

// f after a double-click on a row with text, starting from start.
std::string After(const std::string& start, const char* text) {
  char f[kPathTextSize] = {};
  std::memcpy(f, start.data(), start.size());
  NavigateFolder(f, text);
  return f;
}

}  // namespace

TEST(PickerRules, DescendSeparatorsByLength) {
  EXPECT_EQ(After("c:\\", "Data"), "c:\\Data");
  EXPECT_EQ(After("c:\\Data", "Old"), "c:\\Data\\Old");
  EXPECT_EQ(After("c:", "Data"), "c:\\Data");
  EXPECT_EQ(After("c", "Data"), "c:\\Data");  // a lone letter
  EXPECT_EQ(After("", "Data"), "Data");
  // A trailing separator past the root is kept, and one more is added.
  EXPECT_EQ(After("c:\\Data\\", "Old"), "c:\\Data\\\\Old");
  // Lengths count characters: ソ and 表 are one each.
  EXPECT_EQ(After("c:\\ソ", "表"), "c:\\ソ\\表");
  EXPECT_EQ(After("a表", "x"), "a表\\x");
}

TEST(PickerRules, UpCutsAtTheLastSeparatorCharacter) {
  EXPECT_EQ(After("c:\\Data\\Old", ".."), "c:\\Data");
  EXPECT_EQ(After("c:\\Data", "."), "c:\\");
  EXPECT_EQ(After("c:\\", ".."), "c:\\");  // the root stays where it is
  EXPECT_EQ(After("c:\\Data\\", ".."), "c:\\Data");
  EXPECT_EQ(After("c:\\Data", ".hidden"), "c:\\");  // any name beginning with "."
  EXPECT_EQ(After("", ".."), "");
  EXPECT_EQ(After("c", ".."), "");
  EXPECT_EQ(After("\\abc", ".."), "");  // position 0 is never examined
  // ソ, 表 and 能 end in 0x5C: none of them is the last separator.
  EXPECT_EQ(After("c:\\図\\ソ", ".."), "c:\\図");
  EXPECT_EQ(After("c:\\表", ".."), "c:\\");
  EXPECT_EQ(After("d:\\x\\能力", ".."), "d:\\x");
}

TEST(PickerRules, DriveRowsJump) {
  EXPECT_EQ(After("c:\\Data\\Old", "d:\\"), "d:\\");
  EXPECT_EQ(After("", "e:\\"), "e:\\");
  EXPECT_TRUE(IsDriveRowText("z:\\"));
  EXPECT_FALSE(IsDriveRowText("z:"));
  EXPECT_FALSE(IsDriveRowText("z:\\x"));
  EXPECT_FALSE(IsDriveRowText("ソ:"));  // three bytes, two characters
  // Not a drive row: a three-byte name ending in 表's trail byte descends.
  EXPECT_EQ(After("c:\\", "a表"), "c:\\a表");
}

TEST(PickerRules, DescentBeyond255BytesDoesNothing) {
  std::string deep = "c:\\" + std::string(247, 'd');  // 250 bytes
  EXPECT_EQ(After(deep, "1234"), deep + "\\1234");      // 255
  EXPECT_EQ(After(deep, "12345"), deep);                 // 256: unchanged
  char f[kPathTextSize] = {};
  std::memcpy(f, deep.data(), deep.size());
  EXPECT_FALSE(NavigateFolder(f, "12345"));
  EXPECT_EQ(std::string(f), deep);
}

TEST(PickerRules, DriveRowsAndImages) {
  EXPECT_TRUE(ShowsDriveRows("c:\\"));
  EXPECT_TRUE(ShowsDriveRows("C:\\"));
  EXPECT_FALSE(ShowsDriveRows("c:\\a"));
  EXPECT_FALSE(ShowsDriveRows("c:"));
  EXPECT_FALSE(ShowsDriveRows("ソ\\"));  // three bytes, two characters
  EXPECT_TRUE(SameTextIgnoringCase("c:\\", "C:\\"));
  EXPECT_FALSE(SameTextIgnoringCase("c:\\", "d:\\"));
  EXPECT_FALSE(SameTextIgnoringCase("c:\\", "c:\\x"));
  // A trail byte is no letter: ア (83 41) and ャ (83 61) differ.
  EXPECT_FALSE(SameTextIgnoringCase("ア", "\x83\x61"));
  EXPECT_EQ(DriveImage(3), 2);
  EXPECT_EQ(DriveImage(5), 3);
  EXPECT_EQ(DriveImage(2), 4);
  EXPECT_EQ(DriveImage(4), 5);
  EXPECT_EQ(DriveImage(6), 6);
  EXPECT_EQ(DriveImage(0), -1);
  EXPECT_EQ(DriveImage(1), -1);
  EXPECT_EQ(EntryImage("."), 0);
  EXPECT_EQ(EntryImage(".git"), 0);
  EXPECT_EQ(EntryImage("Data"), 1);
  EXPECT_EQ(CharCount("c:\\表ソ"), 5u);
}
