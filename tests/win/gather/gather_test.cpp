// The commands that fill the list: from folders, chosen files, the drives and
// the folder picker, and the search of the list. Names the code page lacks
// are made here with ¥ (U+00A5), which its best-fit table turns into a real
// "\\": a¥b.dwg would read as the file b.dwg in the folder a beside it.
// The test prefix's set-up removes what earlier runs left on its drives.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <set>

#include "common/app_state.h"
#include "common/lazy_proc.h"
#include "filelist/add_paths.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "resource.h"

using Rows = std::multiset<std::string>;

// An empty file and its folders, last written at 2002-12-31 23:30 UTC: 2003/01/01 08:30 in Japan.
static void MakeFile(const std::wstring& path) {
  SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SYSTEMTIME utc = {2002, 12, 2, 31, 23, 30};
  FILETIME time;
  SystemTimeToFileTime(&utc, &time);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
}
static void MakeFile(const std::string& path) { MakeFile(Wide(path)); }

// The short form of path, as the file system gives it, in the code page; whole: every part of it short.
static std::string ShortPath(const std::wstring& path, bool whole = true) {
  wchar_t brief[MAX_PATH] = {};
  GetShortPathNameW(path.c_str(), brief, MAX_PATH);
  std::wstring text = whole ? brief : brief + std::wstring(brief).rfind(L'\\') + 1;
  char out[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
  return out;
}

// The texts of a list view's column, in any order.
static Rows Column(HWND list, int column) {
  const Texts texts = ColumnTexts(list, column);
  return Rows(texts.begin(), texts.end());
}

// The file list's rows as the paths a run would open.
static Rows Paths() {
  const Texts names = ColumnTexts(g_fileList, 0), folders = ColumnTexts(g_fileList, 1);
  Rows paths;
  for (size_t i = 0; i < names.size(); ++i) paths.insert(folders[i] + "\\" + names[i]);
  return paths;
}

// Types text into the search dialog and presses its button.
static void PressSearch(HWND dialog, const std::string& text) {
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text.c_str());
  SendMessageA(dialog, WM_COMMAND, IDC_SEARCH_GO, 0);
}

// The open-file dialog's answer: folder, then each name, as the dialog lays them out.
static BOOL Choose(OPENFILENAMEW* ofn, const std::wstring& folder, const std::vector<std::wstring>& names) {
  std::wstring chosen = folder + L'\0';
  for (const std::wstring& name : names) chosen += name + L'\0';
  memcpy(ofn->lpstrFile, chosen.c_str(), (chosen.size() + 1) * sizeof(wchar_t));
  ofn->nFileOffset = static_cast<WORD>(folder.size() + 1);
  return TRUE;
}

class Gather : public AppTest {
 protected:
  void SetUp() override {  // the tool with the extension dwg selected, f at c:\ as by default
    AppTest::SetUp();
    WriteFileBytes(dir + "\\plimsar.ini", "filetypemax=1\r\nfile_type0=dwg\r\n");
    StartApp();
  }
};

TEST_F(Gather, FolderFilesAndWalkNameWhatTheyReachAndWarnOnce) {
  for (const char* name : {"a.dwg", "ab.dwg", "ab.dxf", "ソ表.dwg"}) MakeFile(dir + "\\" + name);
  for (int row = 0; row < 3; ++row) AppendRow("old.dwg", "x", "", 1, row);
  OnBrowse([&](BROWSEINFOW*, wchar_t* out) {
    Command(IDM_REMOVE_ALL);  // the browse dialog has no owner: rows may go meanwhile
    wcscpy(out, Wide(dir).c_str());
  });
  Command(IDM_ADD_FOLDER);
  EXPECT_EQ(Column(g_fileList, 0), Rows({"a.dwg", "ab.dwg", "ソ表.dwg"}));
  EXPECT_EQ(Column(g_fileList, 2).count("2003/01/01 08:30"), 3u);
  LVITEMA item = {LVIF_PARAM, 2};
  ListView_GetItem(g_fileList, &item);
  EXPECT_EQ(item.lParam, 2);  // a row's data is its number, counted after the browse
  OnOpenFileW([&](OPENFILENAMEW* ofn) -> BOOL {
    EXPECT_EQ(std::wstring(ofn->lpstrFilter, 37), std::wstring(L"File(*.dwg)\0*.dwg\0AllFile(*.*)\0*.*\0\0", 37));
    EXPECT_EQ(ofn->lpstrFile, Wide(dir));  // f, set by the per-folder command
    return Choose(ofn, Wide(dir), {L"a.dwg", L"gone.dwg", L"ab.dwg", L"gone2.dwg"});
  });
  Command(IDM_REMOVE_ALL);
  Command(IDT_ADD_FILES);
  EXPECT_EQ(Column(g_fileList, 0), Rows({"a.dwg", "ab.dwg"}));
  EXPECT_EQ(Boxes(), Texts{"読込出来ません！|ファイル追加操作|48|main"});  // one for both missing files
  // The walk: full's 31 subfolders take the table's last places while full is listed, so none of them is.
  const std::string full = dir + "\\full";
  for (int i = 0; i < 32; ++i) MakeFile(full + (i ? "\\" + std::to_string(i) : "") + "\\in.dwg");
  OnBrowse([&](BROWSEINFOW*, wchar_t* out) { wcscpy(out, Wide(full).c_str()); });
  Command(IDM_REMOVE_ALL);
  Command(IDM_ADD_SUBFOLDERS);
  EXPECT_EQ(Column(g_fileList, 1), Rows({full}));
  ClearBoxes();
  WithoutListViews([&] { Command(IDT_FOLDER_PICKER); });
  EXPECT_EQ(Boxes(), Texts{"フォルダの一覧が作れません|フォルダ選択|48|main"});
}

// Every way a name comes in: the row of a¥b.dwg or of the folder s¥t bears its short name, or there is none, and
// never a row for a\b.dwg or s\t that only its look-alike reached. Each command adds to a list with a row.
TEST_F(Gather, NamesTheCodePageLacksGiveShortNamesNeverTheFileTheirLookAlikeNames) {
  const std::wstring d = Wide(dir), yen = L"\u00A5", a = d + L"\\a" + yen + L"b.dwg", s = d + L"\\s" + yen + L"t";
  const std::string e = MakeTempDir("search"), longer = dir + "\\long";  // the search matches a path's end
  const std::wstring tick = std::to_wstring(GetTickCount()), h = Wide(e) + L"\\h" + yen + tick + L"h.dwg";
  for (const std::wstring& path : {a, d + L"\\a\\b.dwg", s + L"\\in.dwg", d + L"\\s\\t\\in.dwg", h,
                                   Wide(e) + L"\\g" + yen + tick + L".dwg", Wide(e) + L"\\g\\" + tick + L".dwg"})
    MakeFile(path);
  MakeFile(longer + "\\" + std::string(251 - longer.size(), 'x') + ".dwg");  // too long for a path text with it
  const std::string ab = dir + "\\" + ShortPath(a, false), st = ShortPath(s, false),
                    inST = dir + "\\" + st + "\\in.dwg";
  std::wstring folder, text;  // the browse and open-file dialogs' answer, or the text searched for
  OnBrowse([&](BROWSEINFOW*, wchar_t* out) { wcscpy(out, folder.c_str()); });
  OnOpenFileW([&](OPENFILENAMEW* ofn) { return Choose(ofn, folder, {text}); });
  OnDialog([&](HWND dialog, int id) {
    if (id == IDD_SEARCH) return PressSearch(dialog, std::string(text.begin(), text.end()));
    HWND list = GetDlgItem(dialog, IDC_PICK_LIST);  // the picker, at f
    LVFINDINFOA find = {LVFI_STRING, st.c_str()};
    ListView_SetItemState(list, ListView_FindItem(list, -1, &find), LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(dialog, WM_COMMAND, IDC_PICK_LOAD, 0);
    EndDialog(dialog, 1);
  });
  const std::string cannot = "読込出来ません！|ファイル追加操作|48|main";
  const std::tuple<int, std::wstring, std::wstring, Rows, Texts> cases[] = {
      // command (0: the path handed over), folder or path, name or search text; the rows added, the boxes
      {IDM_ADD_FOLDER, d, L"", {ab}, {}},
      {IDM_ADD_SUBFOLDERS, d, L"", {ab, dir + "\\a\\b.dwg", inST, dir + "\\s\\t\\in.dwg"}, {}},
      {IDT_ADD_FILES, d, L"a" + yen + L"b.dwg", {ab}, {}},
      {IDM_FOLDER_PICKER, L"", L"", {inST}, {}},
      {IDT_ADD_FILES, s, L"in.dwg", {ShortPath(s) + "\\in.dwg"}, {}},
      {0, a, L"", {ShortPath(a)}, {}},
      // g¥N.dwg and g\N.dwg both read as g\N.dwg: whichever the search found, neither is taken.
      {IDM_DRIVE_SEARCH, L"", tick + L".dwg", {}, {cannot}},
      {IDM_DRIVE_SEARCH, L"", tick + L"h.dwg", {"c" + e.substr(1) + "\\" + ShortPath(h, false)}, {}},  // from c:\ on
      // every entry passed over
      {IDM_ADD_FOLDER, Wide(longer), L"", {}, {"読込出来ません！|file追加|48|main"}},
  };
  int i = 0;
  for (auto [command, chosen, chosenText, rows, boxes] : cases) {
    Command(IDM_REMOVE_ALL);
    AppendRow("old.dwg", "x", "", 1, 0);
    ClearBoxes();
    folder = chosen;
    text = chosenText;
    if (command) Command(command);
    else AddPaths(main, ResolvePaths({chosen}));
    rows.insert("x\\old.dwg");
    EXPECT_EQ(Paths(), rows) << i;
    EXPECT_EQ(Boxes(), boxes) << i++;
  }
}

static bool g_refuseAll;  // plays a system without the library
static std::vector<std::string> g_loads;

// Loads as Windows 7 without update KB2533623 does: the search flag is refused.
static HMODULE WINAPI OldLoader(LPCSTR file, HANDLE, DWORD flags) {
  g_loads.push_back(file);
  if (g_refuseAll || (flags & LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return LoadLibraryExA(file, nullptr, flags);
}

TEST_F(Gather, DriveSearchTakesTheFirstFixedDriveWhateverTheLoaderAndNamesAMissingLibrary) {
  const std::string tick = std::to_string(GetTickCount()), name = "gt-" + tick + ".dwg", onC = "c:\\plimsar-" + tick;
  MakeFile(onC + "\\" + name);
  MakeFile("d:\\" + name);
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, name); });
  g_loadLibraryEx = OldLoader;
  g_refuseAll = true;
  Command(IDM_DRIVE_SEARCH);
  EXPECT_EQ(Boxes(), Texts{"imagehlp.dllが読み込めません。|ライブラリエラー|48|main"});
  // Nothing was remembered: the next search loads the library by its full path in the system folder.
  g_refuseAll = false;
  g_loads.clear();
  ClearBoxes();
  Command(IDM_DRIVE_SEARCH);
  g_loadLibraryEx = LoadLibraryExA;
  EXPECT_EQ(g_loads, Texts({"imagehlp.dll", "C:\\windows\\system32\\imagehlp.dll"}));
  EXPECT_EQ(Column(g_fileList, 1), Rows({onC}));
  // A name only the CD-ROM (e:) and network (z:) drives hold is not found, and the progress dialog goes.
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, "plimsar-off-hdd.dwg"); });
  Command(IDM_DRIVE_SEARCH);
  EXPECT_EQ(Boxes(), Texts{"ＨＤＤ内にありませんでした。|ファイル検索|48|main"});
  EXPECT_EQ(FindWindowA("#32770", ""), nullptr);
  EXPECT_EQ(RowCount(), 1);
}

// The row commands: removing the selection warns when there is none, the toolbar's button takes the selection or
// else every row, select all reaches every row and unselecting leaves none.
TEST_F(Gather, RowCommandsRemoveTheSelectionOrWarn) {
  for (const char* name : {"a", "b", "c"}) MakeFile(Wide(dir) + L"\\" + Wide(name) + L".dwg");
  const std::vector<std::wstring> all = {Wide(dir) + L"\\*.dwg"};
  struct {
    std::vector<int> marked, commands;
    Rows rows;
  } steps[] = {{{}, {IDM_REMOVE_SELECTED}, {"a.dwg", "b.dwg", "c.dwg"}},  // warns
               {{0}, {IDT_REMOVE}, {"b.dwg", "c.dwg"}},
               {{}, {IDM_SELECT_ALL, IDM_REMOVE_SELECTED}, {}},
               {{1}, {IDM_DESELECT_SELECTED, IDT_REMOVE}, {}}};
  for (const auto& step : steps) {
    Command(IDM_REMOVE_ALL);
    AddPaths(main, ResolvePaths(all));
    for (int row : step.marked) MarkRow(row, true);
    for (int command : step.commands) Command(command);
    EXPECT_EQ(Column(g_fileList, 0), step.rows);
  }
  EXPECT_EQ(Boxes(), Texts{"ファイルが選択していません|選択ミス|48|main"});
}
