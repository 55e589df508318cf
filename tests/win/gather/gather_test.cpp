// The commands that fill the list: from folders, chosen files, the drives and
// the folder picker, and the search of the list. In every path given here "|"
// stands for 𠮷, a character code page 932 lacks (no real name holds "|").
// The test prefix's set-up removes what earlier runs left on its drives.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <set>

#include "common/app_state.h"
#include "common/lazy_proc.h"
#include "common/list_view.h"
#include "filelist/file_list.h"
#include "filelist/search_history.h"
#include "harness.h"
#include "resource.h"
#include "settings/settings.h"

using Rows = std::multiset<std::string>;

static std::wstring Wide(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1);
  for (size_t at; (at = wide.find(L'|')) != std::wstring::npos;) wide.replace(at, 1, L"\U00020BB7");
  return wide;
}

static std::string Narrow(const std::wstring& wide) {
  char text[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
  return text;
}

// Folders, and files of bytes bytes in them, last written at 2002-12-31 23:30
// UTC: 2003/01/01 08:30 in Japan.
static void MakeDir(const std::string& path) { SHCreateDirectoryExW(nullptr, Wide(path).c_str(), nullptr); }

static void MakeFile(const std::string& path, size_t bytes = 1) {
  MakeDir(path.substr(0, path.rfind('\\')));
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  SYSTEMTIME utc = {2002, 12, 2, 31, 23, 30, 0, 0};
  FILETIME time;
  SystemTimeToFileTime(&utc, &time);
  EXPECT_TRUE(WriteFile(file, std::string(bytes, 'x').data(), static_cast<DWORD>(bytes), &written, nullptr) &&
              SetFileTime(file, nullptr, nullptr, &time) && CloseHandle(file)) << path;
}

// The name as the code page 932 calls see it (𠮷 becomes "??"), and the
// short name Wine gives the last part of path.
static std::string Lossy(const std::string& path) { return Narrow(Wide(path)); }

static std::string ShortName(const std::string& path) {
  WIN32_FIND_DATAW found = {};
  FindClose(FindFirstFileW(Wide(path).c_str(), &found));
  return Narrow(found.cAlternateFileName);
}

// dir\plimsar.ini with the extensions dwg, dxf and an empty one, dwg selected, and f.
static void Preset(const std::string& dir, const std::string& f) {
  WriteFileBytes(dir + "\\plimsar.ini", "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=dxf\r\nfile_type2=\r\nf=" + f + "\r\n");
}

// Types text into the search dialog and presses its button.
static void PressSearch(HWND dialog, const std::string& text) {
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text.c_str());
  SendMessageA(dialog, WM_COMMAND, IDC_SEARCH_GO, 0);
}

// A file row as "name|folder|date|size"; the date of a MakeFile file unless given.
static std::string Row(const std::string& name, const std::string& folder, const char* size = "1",
                       const char* date = "2003/01/01 08:30") {
  return name + "|" + folder + "|" + date + "|" + size;
}

// The file list's rows.
static Rows ListRows() {
  Rows rows;
  char texts[4][MAX_PATH];
  for (int row = 0; row < RowCount(); ++row) {
    for (int column = 0; column < 4; ++column) GetRowText(row, column, texts[column], MAX_PATH);
    rows.insert(Row(texts[0], texts[1], texts[3], texts[2]));
  }
  return rows;
}

// The dialog's caption, the text of control and the headings and widths of its list's columns.
static std::string Looks(HWND dialog, int control) {
  char caption[64] = {}, text[64] = {};
  GetWindowTextA(dialog, caption, sizeof caption);
  GetDlgItemTextA(dialog, control, text, sizeof text);
  std::string looks = caption + std::string("|") + text;
  for (LVCOLUMNA c = {LVCF_TEXT | LVCF_WIDTH, 0, 0, text, sizeof text};
       SendDlgItemMessageA(dialog, IDC_PICK_LIST, LVM_GETCOLUMNA, c.iSubItem, reinterpret_cast<LPARAM>(&c)); ++c.iSubItem)
    looks += "|" + std::string(text) + std::to_string(c.cx);
  return looks;
}

// The picker's rows as "text image"; selects the row pick, and double-clicks it when open.
static std::vector<std::string> PickerRows(HWND dialog, const std::string& pick = "", bool open = false) {
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  std::vector<std::string> rows;
  for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
    char text[MAX_PATH] = {};
    LVITEMA item = {LVIF_TEXT | LVIF_IMAGE, row, 0, 0, 0, text, MAX_PATH};
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (text == pick) SetListRowState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    rows.push_back(text + std::string(" ") + std::to_string(item.iImage));
  }
  NMHDR click = {list, IDC_PICK_LIST, static_cast<UINT>(NM_DBLCLK)};
  if (open) SendMessageA(dialog, WM_NOTIFY, IDC_PICK_LIST, reinterpret_cast<LPARAM>(&click));
  return rows;
}
using Gather = AppTest;

TEST_F(Gather, EachCommandNamesEveryEntryItReachesAndWarnsOnceForTheRest) {
  // 𠮷.dwg comes back as "??.dwg", which finds ab.dwg too.
  for (auto [name, size] : {std::pair{"a.dwg", 2500}, {"ソ表.dwg", 1}, {"ab.dxf", 1}, {"|.dwg", 7000}, {"ab.dwg", 1}})
    MakeFile(dir + "\\" + name, size);
  Preset(dir, "c:\\");
  StartApp();
  for (int i = 0; i < 3; ++i) AppendRow("old.dwg", "x", "", 1, i);
  OnBrowse([&](BROWSEINFOA* info, char* out) {
    EXPECT_TRUE(!info->hwndOwner && info->ulFlags == BIF_RETURNONLYFSDIRS && info->lpfn);
    EXPECT_EQ(info->lpszTitle + std::string(reinterpret_cast<char*>(info->lParam)), "特定ファイルのフォルダを選択c:\\");
    Command(IDM_REMOVE_ALL);  // the main window stays usable meanwhile
    strcpy(out, dir.c_str());
  });
  Command(IDM_ADD_FOLDER);
  LVITEMA item = {LVIF_PARAM, 2};
  SendMessageA(g_fileList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.lParam, 2);  // a row's data is its number
  OnOpenFile([&](OPENFILENAMEA* ofn) -> BOOL {
    EXPECT_TRUE(ofn->lStructSize == OPENFILENAME_SIZE_VERSION_400A && ofn->hwndOwner == main && ofn->nMaxFile == 2048 &&
                ofn->nFilterIndex == 1 && ofn->Flags == (OFN_EXPLORER | OFN_ALLOWMULTISELECT));
    EXPECT_EQ(std::string(ofn->lpstrFilter, 37), std::string("File(*.dwg)\0*.dwg\0AllFile(*.*)\0*.*\0\0", 37));
    EXPECT_EQ(ofn->lpstrTitle + std::string(ofn->lpstrFile), "ファイル読み出し" + dir);  // f, set by the browse
    std::string chosen = dir + '\0' + "a.dwg" + '\0' + "gone.dwg" + '\0' + Lossy("|.dwg") + '\0' + "gone2.dwg" + '\0';
    memcpy(ofn->lpstrFile, chosen.c_str(), chosen.size() + 1);
    ofn->nFileOffset = static_cast<WORD>(dir.size() + 1);
    return TRUE;
  });
  Command(IDT_ADD_FILES);
  std::string a = Row("a.dwg", dir, "2"), yoshi = Row(ShortName(dir + "\\|.dwg"), dir, "7");
  EXPECT_EQ(ListRows(), Rows({a, Row("ab.dwg", dir), Row("ソ表.dwg", dir), yoshi, a, yoshi}));
  ExpectBoxes(1, main, "読込出来ません！", "ファイル追加操作", MB_ICONWARNING);  // once for both missing
  // The subfolder command: "full"'s 31 subfolders take the walk's last places
  // while full is listed, so none of them is.
  std::string t = dir + "\\t", full = dir + "\\full";
  for (std::string folder : {t, t + "\\A", t + "\\|", full}) MakeFile(folder + "\\in.dwg");
  for (int i = 0; i < 31; ++i) MakeFile(full + "\\" + std::to_string(i) + "\\in.dwg");
  Command(IDM_REMOVE_ALL);
  for (std::string chosen : {t, full}) {
    OnBrowse([&](BROWSEINFOA* info, char* out) {
      EXPECT_STREQ(info->lpszTitle, "  dwgファイルのフォルダを選択  ");
      strcpy(out, chosen.c_str());
    });
    Command(IDM_ADD_SUBFOLDERS);
  }
  EXPECT_EQ(ListRows(), Rows({Row("in.dwg", t), Row("in.dwg", t + "\\A"), Row("in.dwg", t + "\\" + ShortName(t + "\\|")),
                              Row("in.dwg", full)}));
  // The per-folder command warns of a folder without a match, and says nothing when cancelled.
  ClearBoxes();
  for (std::string chosen : {dir + "\\none", std::string()}) {
    OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, chosen.c_str()); });
    Command(IDT_ADD_FOLDER);
  }
  ExpectBoxes(1, main, "読込出来ません！", "file追加", MB_ICONWARNING);
}

static bool g_refuseAll;
static std::vector<std::string> g_loads;

TEST_F(Gather, DriveSearchTakesTheFirstFixedDriveWhateverTheLoaderAndNamesAMissingLibrary) {
  std::string tick = std::to_string(GetTickCount()), name = "gt-" + tick + ".dwg", onC = "c:\\plimsar-" + tick;
  MakeFile(onC + "\\" + name, 3000);
  MakeFile("d:\\" + name);
  Preset(dir, "c:\\");
  StartApp();
  RealSystemDialogs();
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, name); });
  // Windows 7 without update KB2533623 refuses the search flag; g_refuseAll plays a system without the library.
  g_loadLibraryEx = [](LPCSTR file, HANDLE, DWORD flags) -> HMODULE {
    g_loads.push_back(file);
    if (!g_refuseAll && !(flags & LOAD_LIBRARY_SEARCH_SYSTEM32)) return LoadLibraryExA(file, nullptr, flags);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  };
  g_refuseAll = true;
  for (auto [id, dll] : {std::pair{IDT_ADD_FILES, "comdlg32"}, {IDT_ADD_FOLDER, "shell32"}, {IDM_DRIVE_SEARCH, "imagehlp"}}) {
    ClearBoxes();
    Command(id);
    ExpectBoxes(1, main, (dll + std::string(".dllが読み込めません。")).c_str(), "ライブラリエラー", MB_ICONWARNING);
  }
  // Nothing was remembered; the full path in the system folder loads it.
  g_refuseAll = false;
  g_loads.clear();
  ClearBoxes();
  Command(IDM_DRIVE_SEARCH);
  g_loadLibraryEx = LoadLibraryExA;
  EXPECT_EQ(g_loads, (std::vector<std::string>{"imagehlp.dll", "C:\\windows\\system32\\imagehlp.dll"}));
  EXPECT_EQ(ListRows(), Rows{Row(name, onC, "3")});
  // A name only the CD-ROM (e:) and network (z:) drives hold is not found, and the progress dialog goes.
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, "plimsar-off-hdd.dwg"); });
  Command(IDM_DRIVE_SEARCH);
  ExpectBoxes(1, main, "ＨＤＤ内にありませんでした。", "ファイル検索", MB_ICONWARNING);
  EXPECT_EQ(FindWindowA("#32770", ""), nullptr);
  EXPECT_EQ(RowCount(), 1);
}

TEST_F(Gather, PickerAndSearchAsBuiltAndAsTheyAct) {
  std::string t = "d:\\gt-" + std::to_string(GetTickCount());
  MakeDir(t + "\\|");
  MakeFile(t + "\\f.dwg");
  MakeFile(t + "\\Alpha\\Inner\\in.dwg");
  Preset(dir, "d:\\");
  StartApp();
  OnDialog([&](HWND dialog, int) {
    EXPECT_EQ(Looks(dialog, IDC_PICK_LOAD), "フォルダ選択式|読込開始|ファイル名200|更新日120");
    std::vector<std::string> rows = PickerRows(dialog);  // the other drives first: fixed, CD-ROM, network
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(Rows(rows.begin(), rows.begin() + 3), Rows({"c:\\ 2", "e:\\ 3", "z:\\ 5"}));
    for (int id : {IDC_PICK_LOAD, IDOK, IDCANCEL}) SendMessageA(dialog, WM_COMMAND, id, 0);
    ExpectBoxes(1, dialog, "読込出来ません！", "フォルダ選択", MB_ICONWARNING);  // nothing loaded; Enter and Escape do nothing
    PickerRows(dialog, t.substr(3), true);
    rows = PickerRows(dialog, "Alpha", true);
    EXPECT_EQ(Rows(rows.begin(), rows.end()), Rows({". 0", ".. 0", "Alpha 1", ShortName(t + "\\|") + " 1"}));
    EXPECT_EQ(g_settings.f, t + "\\Alpha");
    EXPECT_EQ(PickerRows(dialog, "Inner"), std::vector<std::string>({". 0", ".. 0", "Inner 1"}));
    SendMessageA(dialog, WM_COMMAND, IDC_PICK_LOAD, 0);
  });
  Command(IDM_FOLDER_PICKER);
  EXPECT_EQ(ListRows(), Rows{Row("in.dwg", t + "\\Alpha\\Inner")});
  ClearBoxes();
  WithoutListViews([&] { Command(IDT_FOLDER_PICKER); });
  ExpectBoxes(1, main, "フォルダの一覧が作れません", "フォルダ選択", MB_ICONWARNING);
  // The search box shows the newest text searched for; the rows whose names hold the text are marked.
  g_search = SearchState{};
  for (auto name : {"A12.dwg", "x.dxf", "ア12.dwg"}) AppendRow(name, "c:\\12", "", 1, RowCount());
  std::string shown;
  for (const char* text : {"abc", "12"}) {
    OnDialog([&](HWND dialog, int) {
      char edit[64] = {};
      GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, edit, sizeof edit);
      shown += Looks(dialog, IDC_SEARCH_GO) + "|" + edit + " ";
      for (int id : {IDOK, IDCANCEL}) SendMessageA(dialog, WM_COMMAND, id, 0);
      EXPECT_FALSE(IsWindowEnabled(main));  // Enter and Escape leave it open
      PressSearch(dialog, text);
    });
    Command(IDM_LIST_SEARCH);
  }
  EXPECT_EQ(shown, "図面ファイルの検索|検索| 図面ファイルの検索|検索|abc ");
  for (int row = 0; row < 4; ++row) EXPECT_EQ(ListView_GetItemState(g_fileList, row, LVIS_SELECTED) != 0, row % 2 == 1) << row;
}
