#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "filelist/folder_walk.h"

namespace {

constexpr uint32_t kDir = 0x10;

// A folder tree as the file system would report it: for each listing
// pattern, the entries in order. Records the patterns listed.
struct FakeDisk {
  std::map<std::string, std::vector<std::pair<std::string, uint32_t>>> folders;
  std::vector<std::string> listed;

  void Folder(const std::string& path, std::vector<std::pair<std::string, uint32_t>> entries) {
    folders[path + "\\*"] = std::move(entries);
  }
};

bool FakeList(void* context, const char* pattern, VisitEntry visit, void* walk) {
  auto* disk = static_cast<FakeDisk*>(context);
  disk->listed.push_back(pattern);
  auto it = disk->folders.find(pattern);
  if (it == disk->folders.end()) return false;
  for (const auto& entry : it->second) {
    if (!visit(walk, entry.first.c_str(), entry.second)) break;
  }
  return true;
}

std::vector<std::string> Walk(FakeDisk& disk, const char* start, FolderTable* table) {
  WalkFolders(start, table, FakeList, &disk);
  std::vector<std::string> listed;
  for (int i = 0; i < table->count; ++i) {
    if (table->entries[i].listed) listed.push_back(table->entries[i].path);
  }
  return listed;
}

std::vector<std::pair<std::string, uint32_t>> Subfolders(const std::string& prefix, int n) {
  std::vector<std::pair<std::string, uint32_t>> entries = {{".", kDir}, {"..", kDir}};
  for (int i = 0; i < n; ++i) entries.push_back({prefix + std::to_string(i), kDir});
  return entries;
}

}  // namespace

TEST(FolderWalk, BreadthFirstInReportedOrder) {
  FakeDisk disk;
  disk.Folder("c:\\top", {{".", kDir}, {"..", kDir}, {"B", kDir}, {"a.dwg", 0x20}, {"A", kDir}});
  disk.Folder("c:\\top\\B", {{".", kDir}, {"..", kDir}, {"B1", kDir}});
  disk.Folder("c:\\top\\A", {{".", kDir}, {"..", kDir}, {"A1", kDir}, {"A2", kDir}});
  disk.Folder("c:\\top\\B\\B1", {{".", kDir}, {"..", kDir}, {"B1x", kDir}});
  static FolderTable table;
  EXPECT_EQ(Walk(disk, "c:\\top", &table),
            (std::vector<std::string>{"c:\\top", "c:\\top\\B", "c:\\top\\A", "c:\\top\\B\\B1", "c:\\top\\A\\A1",
                                      "c:\\top\\A\\A2", "c:\\top\\B\\B1\\B1x"}));
  // A1, A2 and B1x have no listing: each still counts as listed.
  EXPECT_EQ(table.count, 7);
}

TEST(FolderWalk, EveryEntryIsExaminedAndOnlyPlainFoldersTaken) {
  FakeDisk disk;
  // A drive root reports no "." entry: its first entry is a real folder.
  disk.Folder("d:\\", {{"First", kDir},
                       {"Archived", kDir | 0x20},
                       {"ReadOnly", kDir | 0x01},
                       {"Packed", kDir | 0x800},
                       {"NotIndexed", kDir | 0x2000},
                       {"Hidden", kDir | 0x02},
                       {"System", kDir | 0x04},
                       {".dot", kDir},
                       {"file.dwg", 0x20}});
  static FolderTable table;
  std::vector<std::string> listed = Walk(disk, "d:\\", &table);
  // The root's own separator is kept: two in a row after the colon.
  EXPECT_EQ(listed, (std::vector<std::string>{"d:\\", "d:\\\\First", "d:\\\\Archived", "d:\\\\ReadOnly",
                                              "d:\\\\Packed", "d:\\\\NotIndexed"}));
}

TEST(FolderWalk, StopsWhileListingTheFolderThatReaches32) {
  FakeDisk disk;
  // 31 subfolders of the chosen folder: the table is full while listing
  // it, and only the chosen folder is listed.
  disk.Folder("c:\\w", Subfolders("s", 40));
  static FolderTable table;
  EXPECT_EQ(Walk(disk, "c:\\w", &table), (std::vector<std::string>{"c:\\w"}));
  EXPECT_EQ(table.count, 32);
  EXPECT_STREQ(table.entries[31].path, "c:\\w\\s30");
  EXPECT_EQ(disk.listed.size(), 1u);
}

TEST(FolderWalk, ThirtySubfoldersAndOneGrandchild) {
  FakeDisk disk;
  disk.Folder("c:\\w", Subfolders("s", 30));
  disk.Folder("c:\\w\\s0", Subfolders("g", 3));
  static FolderTable table;
  // s0's first child fills the table: c:\w and s0 are listed, no more.
  EXPECT_EQ(Walk(disk, "c:\\w", &table), (std::vector<std::string>{"c:\\w", "c:\\w\\s0"}));
  EXPECT_EQ(table.count, 32);
  EXPECT_STREQ(table.entries[31].path, "c:\\w\\s0\\g0");
  EXPECT_EQ(table.entries[31].listed, 0);
}

TEST(FolderWalk, ThirtyOneFoldersInAllWalksThemAll) {
  FakeDisk disk;
  disk.Folder("c:\\w", Subfolders("s", 30));
  static FolderTable table;
  EXPECT_EQ(Walk(disk, "c:\\w", &table).size(), 31u);
  EXPECT_EQ(disk.listed.size(), 31u);
}

TEST(FolderWalk, LongPathsArePassedOverNotCut) {
  FakeDisk disk;
  std::string start = "c:\\" + std::string(240, 'p');  // 243 bytes
  // start + "\" + 9 bytes = 253, and its pattern 255: taken.
  // start + "\" + 10 bytes = 254, whose pattern would be 256: passed over.
  disk.Folder(start, {{"123456789", kDir}, {"1234567890", kDir}, {"ok", kDir}});
  static FolderTable table;
  std::vector<std::string> listed = Walk(disk, start.c_str(), &table);
  EXPECT_EQ(listed, (std::vector<std::string>{start, start + "\\123456789", start + "\\ok"}));
  // A chosen folder that does not fit gives no folder at all.
  std::string tooLong(256, 'q');
  EXPECT_TRUE(Walk(disk, tooLong.c_str(), &table).empty());
  EXPECT_EQ(table.count, 0);
}

TEST(FolderWalk, JapaneseNamesKeptWhole) {
  FakeDisk disk;
  disk.Folder("c:\\表", {{"ソ", kDir}, {"能", kDir}});
  static FolderTable table;
  EXPECT_EQ(Walk(disk, "c:\\表", &table),
            (std::vector<std::string>{"c:\\表", "c:\\表\\ソ", "c:\\表\\能"}));
}
