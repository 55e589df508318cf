// Path texts, the folder picker, the subfolder walk, the search history, the
// current folder, and the runner's jobs, command lines, limits and progress marks.
#include <map>

#include "filelist/current_folder.h"
#include "filelist/entry_rules.h"
#include "filelist/folder_walk.h"
#include "filelist/picker_rules.h"
#include "filelist/search_history.h"
#include "runner/command_line.h"
#include "runner/job_path.h"
#include "runner/progress_rules.h"
#include "runner/time_limit.h"
#include "settings/settings.h"
#include "tests/native/check.h"

static std::string A(size_t n) { return std::string(n, 'a'); }

TEST(PathText, TextsThatDoNotFitAreRefusedNotCutAndFoldersEndBeforeARealSeparator) {
  for (const Texts& c : {Texts{"c:\\", "\\*.", "dwg", "1"}, {A(255), "", "", "1"}, {A(256), "", "", "0"}, {A(249), "\\*.", "dwg", "1"},
           {A(249), "\\*.", "dwgx", "0"}, {A(250), "12345", "", "1"}, {A(250), "123456", "", "0"}})  // 1: it fits
    EXPECT_EQ(Filled(256, [&](char* o) { o[256] = '0' + ConcatPath(o, c[0].c_str(), c[1].c_str(), c[2].c_str()); }),
              Zeroed(c[3] == "1" ? c[0] + c[1] + c[2] : "", 256) + c[3]) << c[0].size() << c[1] << c[2];
  for (const auto& [folder, name, fits] : {std::tuple{249, "12345", 1}, {249, "123456", 0}, {254, "", 1}, {255, "", 0}, {400, "a", 0}})
    EXPECT_EQ(JoinedPathFits(folder, name), fits) << folder << name;
  for (const auto& [buffer, offset, folder] : {std::tuple{"c:\\D\\a.dwg"s, 5, "c:\\D"s}, {"c:\\図ソ\0a\0b\0"s, 8, "c:\\図ソ"},
           {"d:\\表\\x.dwg", 6, "d:\\表"}, {"c:\\plan.dwg", 3, "c:"}, {"c:\\\0a\0b\0"s, 4, "c:"}, {"a.dwg", 0, ""}, {A(300), 300, A(255)}})
    EXPECT_EQ(Filled(256, [&b = buffer, n = offset](char* o) { ChosenFilesFolder(b.c_str(), n, o); }), Zeroed(folder, 256) + "x");
  char out[kPathTextSize];
  for (const auto& [path, ok, folder] : {std::tuple{"c:\\plan.dwg"s, 1, "c:"s}, {"d:\\図面\\能.dwg", 1, "d:\\図面"}, {"ソ.dwg", 0, ""},
           {"d:\\x\\表a", 1, "d:\\x"}, {"\\a.dwg", 1, ""}, {A(255) + "\\x", 1, A(255)}, {A(256) + "\\x", 0, ""}})
    EXPECT_EQ(std::to_string(FolderOfPath(path.c_str(), out)) + out, std::to_string(ok) + folder) << path;
}

TEST(PickerRules, DoubleClicksCountingBytesDriveRowsImagesAndFolders) {
  const std::string deep = "c:\\" + A(247);  // 250 bytes; ア is 2 bytes, aソ and ソ\ are 3 as a root "c:\" is
  for (const Texts& c : {Texts{"c:\\", "Data", "c:\\Data"}, {"c:\\D", "Old", "c:\\D\\Old"}, {"c:", "D", "c:\\D"}, {"c", "D", "c:\\D"},
           {"", "D", "D"}, {"c:\\a", "b", "c:\\a\\b"}, {"c:\\D\\", "O", "c:\\D\\\\O"}, {"ア", "x", "ア\\x"}, {"c:\\ソ", "表", "c:\\ソ\\表"},
           {"ソ\\", "x", "ソ\\x"}, {"aソ", "x", "aソx"}, {deep, "1234", deep + "\\1234"}, {deep, "12345", deep},  // 256: refused
           {"c:\\D\\Old", "..", "c:\\D"}, {"c:\\D", ".", "c:\\"}, {"c:\\", "..", "c:\\"}, {"c:\\D\\", "..", "c:\\D"}, {"c:\\D", ".x", "c:\\"},
           {"", "..", ""}, {"c", "..", ""}, {"\\abc", "..", ""}, {"a\\b", "..", "a"}, {"c:\\図\\ソ", "..", "c:\\図"}, {"c:\\表", "..", "c:\\"},
           {"d:\\x\\能", "..", "d:\\x"}, {"ソ\\x", "..", "ソ\\"}, {"c:\\D\\O", "d:\\", "d:\\"}, {"", "e:\\", "e:\\"}, {"c:\\", "a表", "c:\\a表"}}) {
    auto click = [&](char* f) { std::memset(f, 0, 256), c[0].copy(f, 256), f[256] = '0' + NavigateFolder(f, c[1].c_str()); };
    EXPECT_EQ(Filled(256, click), Zeroed(c[2], 256) + (c[1] == "12345" ? "0" : "1")) << c[0] << " " << c[1];
  }  // the drive rows, the images, and which entries are folders:
  for (const auto& [text, drives, driveRow] : {std::tuple{"c:\\", 1, 1}, {"c:\\a", 0, 0}, {"c:", 0, 0}, {"ソ\\", 1, 0}, {"ソ:", 1, 0}})
    EXPECT_EQ(Ints({ShowsDriveRows(text), IsDriveRowText(text)}), Ints({drives, driveRow})) << text;
  for (const auto& [a, b, same] : {std::tuple{"c:\\", "C:\\", 1}, {"A:\\", "a:\\", 1}, {"z:\\", "Z:\\", 1}, {"c:\\", "d:\\", 0},
           {"c:\\", "c:\\x", 0}, {"表", "表", 1}, {"A表", "a表", 1}, {"a表", "a能", 0}, {"ア", "\x83\x61", 0}})  // ャ: 83 61
    EXPECT_EQ(SameTextIgnoringCase(a, b), same) << a << b;
  for (unsigned type = 0; type < 8; ++type) EXPECT_EQ(DriveImage(type), (Ints{-1, -1, 4, 2, 5, 3, 6, -1}[type])) << type;
  EXPECT_EQ(Ints({EntryImage("."), EntryImage(".git"), EntryImage("D")}), Ints({0, 0, 1}));
  for (uint32_t a : {0x10, 0x30, 0x11, 0x810, 0x2010}) EXPECT_TRUE(IsPlainFolder(a)) << a;  // archive, read-only, ...
  for (uint32_t a : {0x12, 0x14, 0x20, 0x0}) EXPECT_FALSE(IsPlainFolder(a)) << a;              // hidden, system, files
  for (const auto& [name, dotName, dots] : {std::tuple{".", 1, 1}, {"..", 1, 1}, {"...", 1, 0}, {".a", 1, 0}, {"a", 0, 0}})
    EXPECT_EQ(Ints({IsDotName(name), IsDotOrDotDot(name)}), Ints({dotName, dots})) << name;
}

// A folder tree as the file system reports it (entries by listing pattern), and the entries handed over.
static std::map<std::string, std::vector<std::pair<std::string, uint32_t>>> disk;
static int visits;

// The table after a walk: folders listed, then " found:" ones.
static std::string Walk(const std::string& start) {
  static FolderTable table;
  WalkFolders(start.c_str(), &table, [](void*, const char* pattern, VisitEntry visit, void* walk) {
    for (const auto& e : disk[pattern]) if (++visits, !visit(walk, e.first.c_str(), e.second)) break;
    return true;
  }, nullptr);
  std::string out;
  for (int i = 0; i < table.count; ++i) out += (table.entries[i].listed ? " " : " found:") + std::string(table.entries[i].path);
  return out;
}

TEST(FolderWalk, BreadthFirstThroughPlainFoldersAtMost32) {
  disk = {{"d:\\\\*", {{"B", 0x10}, {"a.dwg", 0x20}, {"A表", 0x30}, {"H", 0x12}, {"S", 0x14}, {".d", 0x10}}},
          {"d:\\\\B\\*", {{".", 0x10}, {"..", 0x10}, {"ソ", 0x10}}}, {"\\*", {{"x", 0x10}}}};  // d:\ has no "."; "\*": any root
  EXPECT_EQ(Walk("d:\\"), " d:\\ d:\\\\B d:\\\\A表 d:\\\\B\\ソ");
  disk.clear(), visits = 0;  // 30 subfolders and 3 in the first: the table fills with s0's first, and no entry follows
  for (int i = 0; i < 33; ++i) disk[i < 30 ? "c:\\w\\*" : "c:\\w\\s0\\*"].push_back({"s" + std::to_string(i % 30), 0x10});
  std::string walked = Walk("c:\\w");
  EXPECT_EQ(walked.substr(walked.rfind(' ')) + " " + std::to_string(visits), " found:c:\\w\\s0\\s0 32");
  std::string start = "c:\\" + A(240);  // 243 + "\" + 9 bytes leaves room for "\*"; 10 do not
  disk[start + "\\*"] = {{"123456789", 0x10}, {"1234567890", 0x10}, {A(20), 0x10}, {"ok", 0x10}};
  EXPECT_EQ(Walk(start), " " + start + " " + start + "\\123456789 " + start + "\\ok");
  EXPECT_EQ(Walk(A(255)) + "|" + Walk(A(256)), " " + A(255) + "|");  // 255: never listed, as "\*" would not fit
}

TEST(SearchHistory, NewestFirstElevenKeptTenComparedWholeCharacters) {
  struct { SearchState s; char behind[2 * kPathTextSize]; } state = {{}, {'b'}};  // nothing read or written behind it
  auto remember = [&s = state.s](const Texts& texts) {
    for (const auto& text : texts) RememberSearchText(s, text.c_str());
    std::string out = std::to_string(HistoryCount(s));
    for (int i = 0; i < HistoryCount(s); ++i) out += std::string(",") + s.history[i];
    return out;
  };  // a text that begins an entry is present; ア and ソ share only their lead byte
  EXPECT_EQ(remember({}), "0");
  EXPECT_EQ(remember({"abc", "xyz", "ab", "abc", "", "q", "ソa", "ソ", "ア"}), "5,ア,ソa,q,xyz,abc");
  EXPECT_EQ(remember({"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "ア", "t1"}),
            "11,ア,t9,t8,t7,t6,t5,t4,t3,t2,t1,t0");  // only the 10 newest are compared
  EXPECT_EQ(remember({A(254) + "ソ", A(256)}).substr(0, 514), "11," + A(255) + "," + A(254) + ",");  // cut to 255 bytes
  EXPECT_EQ(std::string(state.behind, sizeof state.behind), Zeroed("b", sizeof state.behind));
}

TEST(CurrentFolder, CopiesStayWithinTheirFieldsAndKeepCharactersWhole) {
  std::memset(g_settings.f, 'f', sizeof g_settings.f);  // unterminated, as only memory can hold it
  EXPECT_EQ(Filled(256, CopyCurrentFolder), std::string(255, 'f') + '\0' + 'x');
  SetCurrentFolder((A(254) + "ソ").c_str());  // 256 bytes: cut before the character
  EXPECT_EQ(std::string(g_settings.f, kPathSize), Zeroed(A(254), kPathSize));
  for (const auto& [select, entry, ext] : {std::tuple{99, "abcdefソ", "abcdef"}, {-1, "abcdefgh", "abcdefg"}}) {
    std::strncpy(g_settings.file_type[select < 0 ? 0 : 63], entry, kFileTypeSize), g_settings.fileselect = select;
    EXPECT_EQ(Filled(8, CopySelectedExtension), Zeroed(ext, 8) + "x");  // fileselect kept within the table
  }
}

TEST(Launches, JobPathsJobTableAndCommandLines) {
  for (const Texts& c : {Texts{"c:\\dwg", "a", "c:\\dwg\\a"}, {"c:\\", "a", "c:\\a"}, {"c:\\ソ", "a", "c:\\ソ\\a"},
           {"c:\\ソ\\", "a", "c:\\ソ\\a"}, {"", "a", "a"}, {"c", "a", "c\\a"}, {"c:\\\x83", "a", "c:\\\x83\\a"},
           {std::string(256, 'd'), A(256), std::string(255, 'd') + "\\" + A(255)}})  // row texts: up to 255 bytes each
    EXPECT_EQ(Filled(512, [&](char* o) { JoinJobPath(c[0].c_str(), c[1].c_str(), o); }), Zeroed(c[2], 512) + "x");
  static JobTable table;
  for (int i = 0; i <= kMaxJobs; ++i)  // a hundred Jobs at most; size texts are read from their first 16 bytes
    EXPECT_EQ(StoreJob(table, "c:\\ソ", "a", Texts{"-1", "  2500kb", "", "12345678901234567"}[i % 4].c_str(), i + 7), i < kMaxJobs);
  for (const Job& job : table.jobs)
    EXPECT_EQ(job.path + (" " + std::to_string(job.size)) + " " + std::to_string(job.row) + " " + std::to_string(job.state),
              "c:\\ソ\\a " + (Texts{"-1", "2500", "0", "1015724736"}[(job.row - 7) % 4]) + " " + std::to_string(job.row) + " 1");
  EXPECT_FALSE((table.count = -1, StoreJob(table, "c:\\", "b", "1", 0)));  // a torn count stores nothing
  // command lines: options glued to the quoted path, nothing cut
  const std::string p(256, 'p'), m1(64, '1'), m2(64, '2'), path(512, 'f');  // unterminated records: 255, 63, 63, 511
  for (const Texts& c : {Texts{"C:\\v.exe", "", "", "C:\\a.dwg", "\"C:\\v.exe\" \"C:\\a.dwg\""}, {"v", "/p ", "", "a", "\"v\" /p \"a\""},
           {"v", "/p", "/q", "a", "\"v\" /p\"a\"/q"}, {"v", "", " -x", "図\\ソ", "\"v\" \"図\\ソ\" -x"}, {"", "", "", "", "\"\" \"\""},
           {p, m1, m2, path, "\"" + p.substr(1) + "\" " + m1.substr(1) + "\"" + path.substr(1) + "\"" + m2.substr(1)}})
    for (size_t size : {c[4].size() + 1, c[4].size()}) {  // room for the line, then one byte too few: refused and empty
      auto build = [&](char* o) { o[size] = '0' + BuildCommandLine(c[0].data(), c[1].data(), c[2].data(), c[3].data(), o, size); };
      EXPECT_EQ(Filled(size, build), Zeroed(size > c[4].size() ? c[4] : "", size) + (size > c[4].size() ? "1" : "0"));
    }
}

TEST(TimeLimit, BasePlusSizeShareWrapsIn32BitsAndOnlyTheArmedLaunchExpires) {
  for (const auto& c : {Ints{30, 0, 123456, 30}, {10, 1000, 2500, 12}, {10, 1000, 999, 10}, {10, 1, -1, 9}, {10, 1, 4294967, 4294977},
           {0, -1000, 2500, -2}, {0, 1000, -2500, -2}, {0, -2, 7, -3}, {0, -1, 7, -7}, {5, -1, INT_MIN, INT_MIN + 5},
           {INT_MAX, 1, 1, INT_MIN}, {INT_MIN, 1, -1, INT_MAX}})
    EXPECT_EQ(TimeLimitSeconds(c[0], c[1], c[2]), c[3]) << c[0] << " " << c[1] << " " << c[2];
  for (const auto& c : {Ints{1, 1000}, {4294968, 704}, {-1, 0xFFFFFC18}, {INT_MIN, 0}}) EXPECT_EQ(TimerPeriodMs(c[0]), c[1]);
  for (const auto& c : {Ints{3, 10000, 1000, 3, 11000, 1}, {3, 10000, 1000, 3, 10950, 1}, {3, 10000, 1000, 3, 10949, 0},
           {3, 10000, 1000, 4, 20000, 0}, {0, 0, 0, 0, 5000, 0}, {7, 500, 0, 7, 500, 1}, {1, 9000, 1000, 1, 8000, 0},  // clock back
           {1, 0, 0xFFFFFC18, 1, 0x7FFFFFCD, 1}, {1, 0, 0xFFFFFC18, 1, 0x7FFFFFCC, 0}})  // the period clamped to 2^31 - 1
    EXPECT_EQ(ExpiryBelongsToLaunch(TimerArming{uint32_t(c[0]), uint64_t(c[1]), uint32_t(c[2])}, c[3], c[4]), c[5]) << c[4];
}

TEST(Progress, TicksPaintsAndTheFocusTheMarksLeave) {
  static JobTable table;  // Jobs: row, state (1 Queued, 2 Running, 3 Done)
  for (const auto& [row, state] : {std::pair{8, 1}, {3, 3}, {8, 3}, {0, 2}, {1, 0}, {10, 1}, {-1, 1}})
    table.jobs[table.count].row = row, table.jobs[table.count++].state = state;
  RowMark marks[kMaxJobs + 1] = {};
  auto text = [&](int n, std::string out = "") {  // marks as "row+" or "row-"
    for (int i = 0; i < n; ++i) out += std::to_string(marks[i].row) + (marks[i].marked ? "+ " : "- ");
    return out;
  };
  int32_t phase = 0;  // rows in order, one row's Jobs in table order, the Running one blinking
  std::string first = text(PlanTick(table, 10, &phase, marks)), second = text(PlanTick(table, 10, &phase, marks));
  EXPECT_EQ(first + "|" + second + "|" + std::to_string(phase), "0- 3- 8+ 8- |0+ 3- 8+ 8- |0");
  std::vector<uint8_t> marked(11, 7), hasBits = {1, 1, 0, 1, 0, 0, 0, 0, 1, 0, 1};
  PlanPaint(table, 10, marked.data());
  EXPECT_EQ(Ints(marked.begin(), marked.end()), Ints({1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 7}));
  EXPECT_EQ(text(PaintChanges(marked.data(), hasBits.data(), 10, marks)), "0+ 1- 3- 8+ ");
  for (const auto& c : {Ints{0, 4, 3, 8}, {0, 3, -1, 0}, {1, 1, 1, -1}, {1, 1, 6, 6}, {0, 0, 4, 4}})  // from, n, focus: after
    EXPECT_EQ(FocusAfterMarks(marks + c[0], int(c[1]), int32_t(c[2])), c[3]) << c[0] << " " << c[1];
  // Jobs stored ahead of the count are not read yet; an empty list gets nothing written.
  table.count = 0, PlanPaint(table, 0, marked.data()), PlanPaint(table, 9, marked.data() + 1);
  EXPECT_EQ(Ints(marked.begin(), marked.end()), Ints({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}));
  EXPECT_EQ(PlanTick(table, 10, &phase, marks), 0);
}
