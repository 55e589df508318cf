// The gathering commands' rules: path texts, the folder picker, the subfolder
// walk, the search history and the current folder.
#include <map>

#include "filelist/current_folder.h"
#include "filelist/entry_rules.h"
#include "filelist/folder_walk.h"
#include "filelist/picker_rules.h"
#include "filelist/search_history.h"
#include "settings/settings.h"
#include "tests/native/check.h"

TEST(PathText, PathsThatDoNotFitAreRefusedNotCut) {
  // folder length, name: whether folder, "\" and name fit
  const std::tuple<size_t, const char*, bool> joins[] = {
      {249, "12345", true}, {249, "123456", false}, {255, "", false}};
  for (const auto& [length, name, fits] : joins) {
    const std::string folder = A(length);
    std::string out(kPathTextSize + 1, 'x');  // and a guard byte
    EXPECT_EQ(JoinPath(&out[0], folder.c_str(), name), fits) << length << name;
    EXPECT_EQ(out, Zeroed(fits ? folder + "\\" + name : "", kPathTextSize) + "x") << length << name;
    EXPECT_EQ(JoinedPathFits(length, name), fits) << length << name;
  }
  char out[kPathTextSize];  // 255 bytes fit wherever they stand
  EXPECT_EQ(Ints({ConcatPath(out, A(255).c_str(), ""), ConcatPath(out, "", A(255).c_str())}), Ints({1, 1}));
}

TEST(PathText, FoldersEndBeforeTheirLastRealSeparator) {
  const std::string a = A(255);
  // a path as found, its folder (nullptr: none, as the path is too long or has no "\"); ソ ends in the byte 0x5C
  const std::pair<std::string, const char*> folders[] = {
      {"c:\\図ソ\\a", "c:\\図ソ"}, {"\\a.dwg", ""}, {a + "\\x", a.c_str()}, {a + "a\\x", nullptr}, {"a.dwg", nullptr}};
  for (const auto& [path, found] : folders) {
    char out[kPathTextSize];
    EXPECT_EQ(FolderOfPath(path.c_str(), out), found != nullptr) << path;
    EXPECT_EQ(out, std::string(found ? found : "")) << path;
  }
}

TEST(PickerRules, DoubleClicksCountBytesAndStepByCharacters) {
  const std::string deep = "c:\\" + A(247);  // 250 bytes
  const std::tuple<std::string, const char*, std::string> clicks[] = {
      // f, the row's text, f after the click
      {"c", "D", "c:\\D"},
      {"c:", "D", "c:\\D"},
      {"c:\\D", "Old", "c:\\D\\Old"},
      {"aソ", "x", "aソx"},   // three bytes, as a root such as "c:\" is
      {deep, "12345", deep},  // 256 bytes: refused
      // up one level, or to a drive
      {"c:\\D", ".", "c:\\"},
      {"c:\\図\\ソ", "..", "c:\\図"},
      {"c:\\D\\O", "d:\\", "d:\\"},
  };
  for (const auto& [before, text, after] : clicks) {
    std::string f = Zeroed(before, kPathTextSize) + "x";  // and a guard byte
    EXPECT_EQ(NavigateFolder(&f[0], text), text != std::string("12345")) << before << " " << text;
    EXPECT_EQ(f, Zeroed(after, kPathTextSize) + "x") << before << " " << text;
  }
}

TEST(PickerRules, DriveRowsDotNamesAndNamesThatDifferInCaseOnly) {
  EXPECT_TRUE(ShowsDriveRows("aソ"));
  EXPECT_EQ(Ints({IsDotOrDotDot("."), IsDotOrDotDot(".."), IsDotOrDotDot(".a"), IsDotOrDotDot("...")}),
            Ints({1, 1, 0, 0}));
  const std::tuple<const char*, const char*, bool> pairs[] = {
      {"A表", "a表", true},
      {"z:\\", "Z:\\", true},
      {"a表", "a能", false},
      // ア is 83 41, ャ 83 61: a trail byte is no letter
      {"ア", "\x83\x61", false},
      {"c:\\", "c:\\x", false},
  };
  for (const auto& [a, b, same] : pairs) EXPECT_EQ(SameTextIgnoringCase(a, b), same) << a << " " << b;
  for (unsigned type = 0; type < 8; ++type)
    EXPECT_EQ(DriveImage(type), (Ints{-1, -1, 4, 2, 5, 3, 6, -1}[type])) << type;
  EXPECT_EQ(Ints({EntryImage("."), EntryImage("D")}), Ints({0, 1}));
}

// A folder tree as the file system reports it: entries by listing pattern.
static std::map<std::string, std::vector<std::pair<std::string, uint32_t>>> disk;
static int visits;

static bool List(void*, const char* pattern, VisitEntry visit, void* walk) {
  for (const auto& [name, attributes] : disk[pattern]) {
    ++visits;
    if (!visit(walk, name.c_str(), attributes)) break;
  }
  return true;
}

// The table after a walk: folders listed, then " +" the ones only found.
static std::string Walk(const std::string& start) {
  static FolderTable table;
  WalkFolders(start.c_str(), &table, List, nullptr);
  std::string out;
  for (int i = 0; i < table.count; ++i)
    out += (table.entries[i].listed ? " " : " +") + std::string(table.entries[i].path);
  return out;
}

TEST(FolderWalk, BreadthFirstThroughPlainFoldersAtMost32) {
  disk["d:\\\\*"] = {{"B", 0x10}, {"a.dwg", 0x20}, {"A表", 0x30}, {"H", 0x12}, {"S", 0x14}, {".d", 0x10}};
  disk["d:\\\\B\\*"] = {{".", 0x10}, {"..", 0x10}, {"ソ", 0x10}};
  disk["\\*"] = {{"x", 0x10}};  // any root: d:\ has no "."
  EXPECT_EQ(Walk("d:\\"), " d:\\ d:\\\\B d:\\\\A表 d:\\\\B\\ソ");
  // 30 subfolders and 3 in the first: the table fills with s0's first.
  for (int i = 0; i < 33; ++i) disk[i < 30 ? "w\\*" : "w\\s0\\*"].push_back({"s" + std::to_string(i % 30), 0x10});
  visits = 0;
  const std::string walked = Walk("w");
  EXPECT_EQ(walked.substr(walked.rfind(' ')), " +w\\s0\\s0");
  EXPECT_EQ(visits, 32);                      // the listing ends at the entry that finds the table full
  disk[A(250) + "\\*"] = {{"123456", 0x10}};  // too long to join
  // 255 bytes: never listed, as "\*" would not fit
  EXPECT_EQ(Texts({Walk(A(250)), Walk(A(255)), Walk(A(256))}), Texts({" " + A(250), " " + A(255), ""}));
}

TEST(SearchHistory, NewestFirstElevenKeptTenComparedWholeCharacters) {
  struct {
    SearchState s;
    char after[2 * kPathTextSize];
  } guarded = {};
  SearchState& s = guarded.s;
  std::memset(guarded.after, 'g', sizeof guarded.after);  // read or written past the history: a test fails
  auto remember = [&s](const Texts& texts) {
    for (const auto& text : texts) RememberSearchText(s, text.c_str());
    std::string out = std::to_string(HistoryCount(s));
    for (int i = 0; i < HistoryCount(s); ++i) out += std::string(",") + s.history[i];
    return out;
  };
  // A text that begins an entry is present; ア and ソ share only their lead byte.
  EXPECT_EQ(remember({}), "0");
  EXPECT_EQ(remember({"abc", "xyz", "ab", "abc", "", "q", "ソa", "ソ", "ア"}), "5,ア,ソa,q,xyz,abc");
  EXPECT_EQ(remember({"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "ア", "t1"}),
            "11,ア,t9,t8,t7,t6,t5,t4,t3,t2,t1,t0");  // only the 10 newest are compared
  EXPECT_EQ(remember({A(254) + "ソ", A(256)}).substr(0, 514), "11," + A(255) + "," + A(254) + ",");  // cut at 255
  EXPECT_EQ(std::string(guarded.after, sizeof guarded.after), std::string(sizeof guarded.after, 'g'));
}

TEST(CurrentFolder, CopiesStayWithinTheirFieldsAndKeepCharactersWhole) {
  std::memset(g_settings.f, 'f', sizeof g_settings.f);  // unterminated, as only memory can hold it
  EXPECT_EQ(Filled(256, CopyCurrentFolder), std::string(255, 'f') + '\0' + 'x');
  SetCurrentFolder((A(254) + "ソ").c_str());  // 256 bytes: cut before the character
  EXPECT_EQ(std::string(g_settings.f, kPathSize), Zeroed(A(254), kPathSize));
  std::strncpy(g_settings.file_type[63], "abcdefソ", kFileTypeSize);
  g_settings.fileselect = 99;  // the selection is kept within the table
  EXPECT_EQ(Filled(8, CopySelectedExtension), Zeroed("abcdef", 8) + "x");
  std::strncpy(g_settings.file_type[0], "abcdefgh", kFileTypeSize);
  g_settings.fileselect = -1;
  EXPECT_EQ(Filled(8, CopySelectedExtension), Zeroed("abcdefg", 8) + "x");
}
