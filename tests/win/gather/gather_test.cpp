// The commands that fill the list: from folders, chosen files, the drives and
// the folder picker, and the search of the list. In every path given here "|"
// stands for 𠮷, a character code page 932 lacks: the code page calls see
// "??" for it, or the short name Wine gives its entry.
// The test prefix's set-up removes what earlier runs left on its drives.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <set>

#include "common/app_state.h"
#include "common/lazy_proc.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "resource.h"

using Rows = std::multiset<std::string>;

// An empty file and its folders, last written at 2002-12-31 23:30 UTC: 2003/01/01 08:30 in Japan.
static void MakeFile(const std::string& path) {
  SHCreateDirectoryExW(nullptr, Wide(path.substr(0, path.rfind('\\'))).c_str(), nullptr);
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SYSTEMTIME utc = {2002, 12, 2, 31, 23, 30};
  FILETIME time;
  SystemTimeToFileTime(&utc, &time);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time)) << path;
  CloseHandle(file);
}

static std::string ShortName(const std::string& path) {
  WIN32_FIND_DATAW found = {};
  FindClose(FindFirstFileW(Wide(path).c_str(), &found));
  char name[16] = {};
  WideCharToMultiByte(CP_ACP, 0, found.cAlternateFileName, -1, name, sizeof name, nullptr, nullptr);
  return name;
}

// The texts of a list view's column, in any order.
static Rows Column(HWND list, int column) {
  const Texts texts = ColumnTexts(list, column);
  return Rows(texts.begin(), texts.end());
}

// Types text into the search dialog and presses its button.
static void PressSearch(HWND dialog, const std::string& text) {
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text.c_str());
  SendMessageA(dialog, WM_COMMAND, IDC_SEARCH_GO, 0);
}

class Gather : public AppTest {
 protected:
  void SetUp() override {  // the tool with the extension dwg selected, f at c:\ as by default
    AppTest::SetUp();
    WriteFileBytes(dir + "\\plimsar.ini", "filetypemax=1\r\nfile_type0=dwg\r\n");
    StartApp();
  }
};

TEST_F(Gather, FolderFilesWalkAndPickerNameWhatTheyReachAndWarnOnce) {
  // "??.dwg", the name 𠮷.dwg is chosen by, finds ab.dwg too.
  for (const char* name : {"a.dwg", "ab.dwg", "ab.dxf", "ソ表.dwg", "|.dwg"}) MakeFile(dir + "\\" + name);
  const std::string yoshi = ShortName(dir + "\\|.dwg");
  for (int row = 0; row < 3; ++row) AppendRow("old.dwg", "x", "", 1, row);
  OnBrowse([&](BROWSEINFOA*, char* out) {
    Command(IDM_REMOVE_ALL);  // the browse dialog has no owner: rows may go meanwhile
    strcpy(out, dir.c_str());
  });
  Command(IDM_ADD_FOLDER);
  EXPECT_EQ(Column(g_fileList, 0), Rows({"a.dwg", "ab.dwg", "ソ表.dwg", yoshi}));
  EXPECT_EQ(Column(g_fileList, 2).count("2003/01/01 08:30"), 4u);
  LVITEMA item = {LVIF_PARAM, 3};
  ListView_GetItem(g_fileList, &item);
  EXPECT_EQ(item.lParam, 3);  // a row's data is its number, counted after the browse
  OnOpenFile([&](OPENFILENAMEA* ofn) -> BOOL {
    EXPECT_EQ(std::string(ofn->lpstrFilter, 37), std::string("File(*.dwg)\0*.dwg\0AllFile(*.*)\0*.*\0\0", 37));
    EXPECT_EQ(ofn->lpstrFile, dir);  // f, set by the per-folder command
    std::string chosen = dir + '\0' + "a.dwg" + '\0' + "gone.dwg" + '\0' + "??.dwg" + '\0' + "gone2.dwg" + '\0';
    memcpy(ofn->lpstrFile, chosen.c_str(), chosen.size() + 1);
    ofn->nFileOffset = static_cast<WORD>(dir.size() + 1);
    return TRUE;
  });
  Command(IDM_REMOVE_ALL);
  Command(IDT_ADD_FILES);
  EXPECT_EQ(Column(g_fileList, 0), Rows({"a.dwg", yoshi}));
  EXPECT_EQ(Boxes(), Texts{"読込出来ません！|ファイル追加操作|48|main"});  // one for both missing files
  // The walk: full's 31 subfolders take the table's last places while full is listed, so none of them is.
  const std::string t = dir + "\\t", full = dir + "\\full";
  for (const std::string& folder : {t, t + "\\|", full}) MakeFile(folder + "\\in.dwg");
  for (int i = 0; i < 31; ++i) MakeFile(full + "\\" + std::to_string(i) + "\\in.dwg");
  const std::string yoshiFolder = ShortName(t + "\\|");
  Command(IDM_REMOVE_ALL);
  for (const std::string& chosen : {full, t}) {
    OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, chosen.c_str()); });
    Command(IDM_ADD_SUBFOLDERS);
  }
  EXPECT_EQ(Column(g_fileList, 1), Rows({full, t, t + "\\" + yoshiFolder}));
  // The picker opens at f, t by now, and loads the folder of the row chosen.
  OnDialog([&](HWND dialog, int) {
    HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
    EXPECT_EQ(Column(list, 0), Rows({".", "..", yoshiFolder}));
    LVFINDINFOA find = {LVFI_STRING, yoshiFolder.c_str()};
    ListView_SetItemState(list, ListView_FindItem(list, -1, &find), LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(dialog, WM_COMMAND, IDC_PICK_LOAD, 0);
  });
  Command(IDM_REMOVE_ALL);
  Command(IDM_FOLDER_PICKER);
  EXPECT_EQ(Column(g_fileList, 1), Rows({t + "\\" + yoshiFolder}));
  ClearBoxes();
  WithoutListViews([&] { Command(IDT_FOLDER_PICKER); });
  EXPECT_EQ(Boxes(), Texts{"フォルダの一覧が作れません|フォルダ選択|48|main"});
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
