// One-folder scan, the per-folder command and the subfolder command.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "filelist/gather.h"
#include "gather_fixture.h"
#include "resource.h"

namespace {

// Records what a browse dialog's callback sends to its window.
UINT g_sentMessage;
WPARAM g_sentWParam;
std::string g_sentPath;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == BFFM_SETSELECTIONA) {
    g_sentMessage = message;
    g_sentWParam = wParam;
    g_sentPath = reinterpret_cast<const char*>(lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeRecordingWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GatherBrowseRecorder";
    registered = RegisterClassA(&wc) != 0;
  }
  return CreateWindowA("GatherBrowseRecorder", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

using GatherScan = GatherTest;

TEST_F(GatherScan, OneFolderScanAppendsMatchesAndReturnsTheRunningIndex) {
  std::string t = NewTree(dir);
  MakeFile(t + "\\a.dwg", 2500);
  MakeFile(t + "\\b.dwg", 0);
  MakeFile(t + "\\c.dxf");
  MakeFile(t + "\\ソ表.dwg");
  MakeDir(t + "\\folder.dwg");  // a matching folder is a row too
  std::string empty = NewTree(dir, "empty");
  Preset(t);
  StartApp();
  EXPECT_EQ(ScanOneFolder(t.c_str(), 0), 4);
  EXPECT_EQ(Sorted(Names()), Sorted({"a.dwg", "b.dwg", "folder.dwg", "ソ表.dwg"}));
  for (const auto& row : Rows()) {
    EXPECT_EQ(row.folder, t);  // unchanged, no separator added
    EXPECT_EQ(row.date.size(), 16u) << row.date;
    EXPECT_EQ(row.date[4], '/');
    if (row.name == "a.dwg") {
      EXPECT_EQ(row.size, "2");
    }
    if (row.name == "b.dwg") {
      EXPECT_EQ(row.size, "1");
    }
  }
  // The index passed in plus the rows appended.
  EXPECT_EQ(ScanOneFolder(t.c_str(), 4), 8);
  EXPECT_EQ(RowCount(), 8);
  // Nothing found at all: 0, nothing appended.
  EXPECT_EQ(ScanOneFolder(empty.c_str(), 8), 0);
  EXPECT_EQ(ScanOneFolder((t + "\\missing").c_str(), 8), 0);
  EXPECT_EQ(RowCount(), 8);
}

TEST_F(GatherScan, OnlyDotEntriesGiveZeroOnAnEmptyListOnly) {
  // The empty extension's pattern "*." also reports "." and "..".
  std::string t = NewTree(dir);
  std::string empty = NewTree(dir, "empty");
  MakeDir(t + "\\noext");
  Preset(t, 2);
  StartApp();
  EXPECT_EQ(ScanOneFolder(empty.c_str(), 0), 0);
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(ScanOneFolder(t.c_str(), 0), 1);
  EXPECT_EQ(Names(), std::vector<std::string>{"noext"});
  EXPECT_EQ(ScanOneFolder(empty.c_str(), 1), 1);
  // The per-folder command warns on an empty list, and not on a list with rows.
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, empty.c_str()); });
  Command(IDT_ADD_FOLDER);
  EXPECT_TRUE(Boxes().empty());
  SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
  Command(IDT_ADD_FOLDER);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "読込出来ません！");
}

TEST_F(GatherScan, PerFolderCommandBrowsesFromFAndRecordsTheChoice) {
  std::string start = NewTree(dir, "start");
  std::string t = NewTree(dir, "表");
  MakeFile(t + "\\one.dwg");
  MakeFile(t + "\\two.dwg");
  MakeFile(t + "\\three.dxf");
  Preset(start);
  StartApp();
  HWND recorder = MakeRecordingWindow();
  int browses = 0;
  OnBrowse([&](BROWSEINFOA* info, char* out) {
    ++browses;
    EXPECT_EQ(info->hwndOwner, nullptr);
    EXPECT_EQ(info->pidlRoot, nullptr);
    EXPECT_EQ(info->pszDisplayName, nullptr);
    EXPECT_STREQ(info->lpszTitle, "特定ファイルのフォルダを選択");
    EXPECT_EQ(info->ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
    ASSERT_NE(info->lpfn, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(info->lParam), start.c_str());
    // The callback preselects its data value once the dialog is ready.
    g_sentMessage = 0;
    EXPECT_EQ(info->lpfn(recorder, BFFM_SELCHANGED, 0, info->lParam), 0);
    EXPECT_EQ(g_sentMessage, 0u);
    EXPECT_EQ(info->lpfn(recorder, BFFM_INITIALIZED, 0, info->lParam), 0);
    EXPECT_EQ(g_sentMessage, static_cast<UINT>(BFFM_SETSELECTIONA));
    EXPECT_EQ(g_sentWParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(g_sentPath, start);
    strcpy(out, t.c_str());
  });
  Command(IDM_ADD_FOLDER);
  DestroyWindow(recorder);
  EXPECT_EQ(browses, 1);
  EXPECT_EQ(Sorted(Names()), Sorted({"one.dwg", "two.dwg"}));
  EXPECT_EQ(Rows()[0].folder, t);
  EXPECT_EQ(CurrentFolder(), t);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherScan, PerFolderCommandWarnsWhenNothingMatches) {
  std::string t = NewTree(dir);
  MakeFile(t + "\\only.dxf");
  Preset("c:\\");
  StartApp();
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, t.c_str()); });
  Command(IDT_ADD_FOLDER);
  ExpectBoxes(1, main, "読込出来ません！", "file追加", MB_ICONWARNING);
  EXPECT_EQ(CurrentFolder(), t);  // recorded before the scan
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(GatherScan, CancelledBrowseEndsBothCommandsSilently) {
  Preset("c:\\windows");
  StartApp();
  int browses = 0;
  OnBrowse([&](BROWSEINFOA*, char*) { ++browses; });  // nothing chosen
  Command(IDT_ADD_FOLDER);
  Command(IDM_ADD_SUBFOLDERS);
  EXPECT_EQ(browses, 2);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(CurrentFolder(), "c:\\windows");
}

TEST_F(GatherScan, RootChoicesKeepTheirSeparators) {
  std::string u = Unique();
  std::string file = "d:\\gt-z-root-" + u + ".dwg";
  MakeFile(file);
  RemoveLater(file);
  // The only folder at d:\ is the first entry the root reports.
  std::string t = NewTree("d:\\");
  MakeFile(t + "\\in.dwg");
  Preset("c:\\");
  StartApp();
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, "d:\\"); });
  Command(IDT_ADD_FOLDER);
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Rows()[0].name, "gt-z-root-" + u + ".dwg");
  EXPECT_EQ(Rows()[0].folder, "d:\\");
  EXPECT_EQ(CurrentFolder(), "d:\\");
  SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
  Command(IDT_ADD_SUBFOLDERS);
  ASSERT_EQ(RowCount(), 2);
  EXPECT_EQ(Rows()[0].folder, "d:\\");
  EXPECT_EQ(Rows()[1].name, "in.dwg");
  EXPECT_EQ(Rows()[1].folder, "d:\\\\" + t.substr(3));  // two separators after the colon
}

TEST_F(GatherScan, SubfolderWalkIsBreadthFirstAndAppendsAtTheEnd) {
  std::string t = NewTree(dir);
  MakeFile(t + "\\top.dwg");
  MakeDir(t + "\\A");
  MakeDir(t + "\\B");
  MakeDir(t + "\\C");  // no matching file: later folders still follow in order
  MakeDir(t + "\\A\\A1");
  MakeDir(t + "\\B\\ソ");
  MakeFile(t + "\\A\\a.dwg");
  MakeFile(t + "\\A\\A1\\a1.dwg");
  MakeFile(t + "\\B\\b.dwg");
  MakeFile(t + "\\B\\ソ\\so.dwg");
  MakeFile(t + "\\C\\c.dxf");
  std::string other = NewTree(dir, "other");
  MakeFile(other + "\\first.dwg");
  Preset(other, 1);  // dxf selected: the title still names dwg files
  StartApp();
  OnBrowse([&](BROWSEINFOA* info, char* out) {
    EXPECT_STREQ(info->lpszTitle, "  dwgファイルのフォルダを選択  ");
    EXPECT_STREQ(reinterpret_cast<const char*>(info->lParam), other.c_str());
    strcpy(out, t.c_str());
  });
  // A row already there stays first.
  ASSERT_EQ(ScanOneFolder(other.c_str(), 0), 0);  // nothing of dxf there
  AppendRow("kept.dwg", "x", "", 1, 0);
  Command(IDT_ADD_SUBFOLDERS);
  std::vector<FileRowTexts> rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].name, "c.dxf");
  EXPECT_EQ(CurrentFolder(), t);
  // With dwg selected: the chosen folder, then A, B, C, then A1 and ソ.
  CloseApp();
  Preset(t, 0);
  StartApp();
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, t.c_str()); });
  Command(IDM_ADD_SUBFOLDERS);
  rows = Rows();
  std::vector<std::string> seen;
  for (const auto& row : rows) seen.push_back(row.folder.substr(t.size()) + "|" + row.name);
  EXPECT_EQ(seen, (std::vector<std::string>{"|top.dwg", "\\A|a.dwg", "\\B|b.dwg", "\\A\\A1|a1.dwg",
                                            "\\B\\ソ|so.dwg"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherScan, HiddenSystemAndDotFoldersAreNeverWalked) {
  std::string t = NewTree(dir);
  for (const char* name : {"Hidden", "System", ".dot", "Plain"}) {
    MakeDir(t + "\\" + name);
    MakeFile(t + "\\" + name + "\\" + name + ".dwg");
  }
  SetAttributes(t + "\\Hidden", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(t + "\\System", FILE_ATTRIBUTE_SYSTEM);
  ASSERT_EQ(GetFileAttributesA((t + "\\.dot").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  Preset(t);
  StartApp();
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, t.c_str()); });
  Command(IDM_ADD_SUBFOLDERS);
  EXPECT_EQ(Names(), std::vector<std::string>{"Plain.dwg"});
}

TEST_F(GatherScan, PathsBeyond255BytesArePassedOver) {
  std::string t = NewTree("d:\\");
  // A folder of 250 bytes: its pattern "\*.dwg" would be 256.
  std::string deep = DeepFolder(t + "\\deep", 250);
  MakeFile(deep + "\\a.dwg");
  // A folder of 240 bytes: a.dwg fits (246), a 14-letter name (259) does not.
  std::string mid = DeepFolder(t + "\\mid", 240);
  MakeFile(mid + "\\a.dwg");
  MakeFile(mid + "\\abcdefghijklmn.dwg");
  Preset(t);
  StartApp();
  EXPECT_EQ(ScanOneFolder(deep.c_str(), 0), 0);
  EXPECT_EQ(ScanOneFolder(mid.c_str(), 0), 1);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.dwg"});
  // The per-folder command: the deep folder loads nothing, and says so.
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, deep.c_str()); });
  Command(IDT_ADD_FOLDER);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "読込出来ません！");
  // A browse result longer than f can hold leaves f alone and warns.
  std::string tooLong = deep + "\\" + std::string(258 - deep.size() - 1, 'y');
  OnBrowse([&](BROWSEINFOA*, char* out) { strcpy(out, tooLong.c_str()); });
  Command(IDT_ADD_FOLDER);
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(CurrentFolder(), deep);
  Command(IDT_ADD_SUBFOLDERS);
  EXPECT_EQ(CurrentFolder(), deep);
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(RowCount(), 1);
}
