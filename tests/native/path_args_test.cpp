#include <gtest/gtest.h>

#include "filelist/path_args.h"

static bool operator==(const HandedPath& a, const HandedPath& b) { return a.path == b.path && a.usable == b.usable; }

TEST(PathArgs, SplitWildcardsListsAndForwardedBlocks) {
  using W = std::vector<std::wstring>;
  const std::pair<const wchar_t*, W> lines[] = {
      {L"plimsar.exe", W{}},
      {L"  p a", W{L"a"}},
      {L"\"C:\\Program Files\\p.exe\" a.dwg  \"C:\\My Drawings\\b.dwg\"\t@l.txt",
       W{L"a.dwg", L"C:\\My Drawings\\b.dwg", L"@l.txt"}},
      {L"p \"C:\\\" x\"y z\"w \"\"", W{L"C:\\", L"xy zw", L""}},
  };
  for (const auto& c : lines) EXPECT_EQ(SplitArguments(c.first), c.second) << c.first;
  for (const char* yes : {"*.dwg", "c:\\d\\a?.dwg", "c:\\d\\*", "c:\\*表"}) EXPECT_TRUE(HasWildcard(yes)) << yes;
  for (const char* no : {"c:\\d*\\a.dwg", "c:\\表\\a.dwg", ""}) EXPECT_FALSE(HasWildcard(no)) << no;
  EXPECT_EQ(ListFileEntries("a\r\n\r\n  ; no\n;x\n \"b c\" \r\nd\n  \n\"\"\n\"\n表"),
            (std::vector<std::string>{"a", "b c", "d", "\"", "表"}));
  const std::vector<HandedPath> handed = {{"c:\\a"}, {"c:\\?.dwg", false}};
  const std::string block = PackPaths(handed);
  EXPECT_EQ(block, std::string("+c:\\a\0-c:\\?.dwg\0", 16));
  EXPECT_EQ(UnpackPaths(block.data(), block.size()), handed);
  // Another process's block: read no further than its size, keep an unterminated tail, skip what has no known
  // mark or no text.
  EXPECT_EQ(UnpackPaths("+ab\0\0+\0xcd\0-cXXXX", 13), (std::vector<HandedPath>{{"ab"}, {"c", false}}));
  EXPECT_TRUE(UnpackPaths(nullptr, 0).empty());
}
