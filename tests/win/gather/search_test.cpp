// The list search, the search dialog and its history, and the drive search.
#include <windows.h>

#include "common/app_state.h"
#include "common/modal.h"
#include "filelist/file_list.h"
#include "filelist/search_history.h"
#include "gather_fixture.h"
#include "resource.h"

namespace {

std::vector<std::string> ComboItems(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_SEARCH_TEXT);
  std::vector<std::string> items;
  int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[300] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

std::string EditText(HWND dialog) {
  char text[300] = {};
  GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text, sizeof text);
  return text;
}

void PressSearch(HWND dialog, const std::string& text) {
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text.c_str());
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_GO, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SEARCH_GO)));
}

}  // namespace

class GatherSearch : public GatherTest {
 protected:
  void SetUp() override {
    GatherTest::SetUp();
    g_search = SearchState{};  // as at start-up
  }
  // Runs the list search, answering its dialog with text (or closing it).
  void ListSearch(const std::string& text, bool close = false) {
    OnDialog([=](HWND dialog, int id) {
      EXPECT_EQ(id, IDD_SEARCH);
      if (close) {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
      } else {
        PressSearch(dialog, text);
      }
    });
    Command(IDM_LIST_SEARCH);
  }
  void AddRows(const std::vector<std::string>& names) {
    for (const auto& name : names) AppendRow(name.c_str(), "c:\\12", "", 1, RowCount());
  }
};

TEST_F(GatherSearch, SearchDialogTemplateAndHistory) {
  Preset("c:\\");
  StartApp();
  std::vector<std::vector<std::string>> shown;
  std::vector<std::string> edits;
  auto search = [&](const std::string& text) {
    OnDialog([&, text](HWND dialog, int) {
      char title[64] = {};
      GetWindowTextA(dialog, title, sizeof title);
      EXPECT_STREQ(title, "図面ファイルの検索");
      char button[32] = {};
      GetDlgItemTextA(dialog, IDC_SEARCH_GO, button, sizeof button);
      EXPECT_STREQ(button, "検索");
      EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDC_SEARCH_TEXT), GWL_STYLE) & 3, CBS_DROPDOWN);
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_SEARCH_GO));
      shown.push_back(ComboItems(dialog));
      edits.push_back(EditText(dialog));
      PressSearch(dialog, text);
    });
    Command(IDM_LIST_SEARCH);
  };
  search("abc");
  search("xyz");
  search("ab");  // the beginning of abc: not added
  search("q");
  EXPECT_EQ(shown[0], std::vector<std::string>{});
  EXPECT_EQ(edits[0], "");
  EXPECT_EQ(shown[2], (std::vector<std::string>{"xyz", "abc"}));
  EXPECT_EQ(edits[2], "xyz");  // the newest entry, not the last text
  EXPECT_EQ(shown[3], (std::vector<std::string>{"xyz", "abc"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherSearch, EnterAndEscapeLeaveTheDialogOpen) {
  Preset("c:\\");
  StartApp();
  AddRows({"abc.dwg", "xyz.dwg"});
  OnDialog([&](HWND dialog, int) {
    SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, "abc");
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    Pump(50);
    EXPECT_TRUE(DialogRunning());
    PressSearch(dialog, "xyz");
    EXPECT_FALSE(DialogRunning());
  });
  Command(IDM_LIST_SEARCH);
  EXPECT_EQ(MarkedRows(), std::vector<int>{1});
}

TEST_F(GatherSearch, ListSearchMarksNamesContainingTheText) {
  Preset("c:\\");
  StartApp();
  AddRows({"A12.dwg", "x120.dxf", "ABC.dwg", "abc.dwg", "zz.dwg"});
  ListSearch("12");  // the folder column holds 12 too, and is not looked at
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1}));
  ListSearch("abc");  // letter case counts; marked rows stay marked
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1, 3}));
  ListSearch("none");
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1, 3}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherSearch, TrailByteIsNoLetter) {
  Preset("c:\\");
  StartApp();
  AddRows({"ア.dwg", "アA.dwg", "表示.dwg", "x.dwg"});
  ListSearch("A");
  EXPECT_EQ(MarkedRows(), std::vector<int>{1});
  DeselectAll();
  ListSearch("\\");  // 表's trail byte is no "\"
  EXPECT_TRUE(MarkedRows().empty());
  ListSearch("表");
  EXPECT_EQ(MarkedRows(), std::vector<int>{2});
}

TEST_F(GatherSearch, ClosingRepeatsTheLastSearchAndEmptyMarksAll) {
  Preset("c:\\");
  StartApp();
  AddRows({"a1.dwg", "b2.dwg", "a3.dwg"});
  ListSearch("", true);  // nothing searched yet: the empty text marks every row
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1, 2}));
  DeselectAll();
  ListSearch("a");
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 2}));
  DeselectAll();
  ListSearch("", true);
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 2}));
  DeselectAll();
  ListSearch("");  // searched with an empty box
  EXPECT_EQ(MarkedRows(), (std::vector<int>{0, 1, 2}));
}

TEST_F(GatherSearch, EmptyListStillAsksAndRemembers) {
  Preset("c:\\");
  StartApp();
  ListSearch("plan");
  EXPECT_EQ(RowCount(), 0);
  EXPECT_STREQ(g_search.history[0], "plan");
}

TEST_F(GatherSearch, DriveSearchClosedOrEmptyDoesNothing) {
  Preset("c:\\");
  StartApp();
  ListSearch("something");
  OnDialog([](HWND dialog, int) { SendMessageA(dialog, WM_CLOSE, 0, 0); });
  Command(IDM_DRIVE_SEARCH);
  OnDialog([](HWND dialog, int) { PressSearch(dialog, ""); });
  Command(IDM_DRIVE_SEARCH);
  EXPECT_EQ(g_modelessDialog, nullptr);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(RowCount(), 0);
  // The drive search cleared the text: closing the list search now marks all.
  AddRows({"a.dwg"});
  ListSearch("", true);
  EXPECT_EQ(MarkedRows(), std::vector<int>{0});
}

TEST_F(GatherSearch, DriveSearchTakesTheFirstFixedDriveInOrder) {
  std::string u = Unique();
  std::string name = "gt-hit-" + u + ".dwg";
  std::string onC = "c:\\plimsar-gt-" + u;
  MakeDir(onC);
  RemoveLater(onC);
  MakeDir(onC + "\\ソ表");
  MakeFile(onC + "\\ソ表\\" + name, 3000);
  std::string onD = NewTree("d:\\");
  MakeFile(onD + "\\" + name);
  Preset("c:\\windows");
  StartApp();
  AppendRow("first.dwg", "x", "", 1, 0);
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, name); });
  Command(IDM_DRIVE_SEARCH);
  std::vector<FileRowTexts> rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].name, name);
  EXPECT_EQ(rows[1].folder, onC + "\\ソ表");
  EXPECT_EQ(rows[1].size, "3");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(CurrentFolder(), "c:\\windows");  // searches leave f alone
  EXPECT_EQ(g_modelessDialog, nullptr);
}

TEST_F(GatherSearch, DriveSearchRootHitGivesTheDriveAlone) {
  std::string name = "plimsar-gt-root-" + Unique() + ".DWG";
  MakeFile("c:\\" + name);
  RemoveLater("c:\\" + name);
  Preset("c:\\");
  StartApp();
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, name); });
  Command(IDM_DRIVE_SEARCH);
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Rows()[0].name, name);
  EXPECT_EQ(Rows()[0].folder, "c:");
}

TEST_F(GatherSearch, DriveSearchFindsOnDWhenCHasNone) {
  std::string u = Unique();
  std::string t = NewTree("d:\\");
  MakeDir(t + "\\能");
  MakeFile(t + "\\能\\Plan-" + u + ".Dwg");
  Preset("c:\\");
  StartApp();
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, "Plan-" + u + ".Dwg"); });
  Command(IDM_DRIVE_SEARCH);
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Rows()[0].name, "Plan-" + u + ".Dwg");
  EXPECT_EQ(Rows()[0].folder, t + "\\能");
}

TEST_F(GatherSearch, CdromAndNetworkDrivesAreNeverSearched) {
  // The test prefix holds this name on e: (CD-ROM) and z: (network) only.
  ASSERT_EQ(GetDriveTypeA("e:\\"), static_cast<UINT>(DRIVE_CDROM));
  ASSERT_EQ(GetDriveTypeA("z:\\"), static_cast<UINT>(DRIVE_REMOTE));
  ASSERT_TRUE(FileExists("e:\\plimsar-off-hdd.dwg"));
  ASSERT_TRUE(FileExists("z:\\plimsar-off-hdd.dwg"));
  Preset("c:\\");
  StartApp();
  // While the miss is reported, the progress dialog is still up.
  std::vector<std::string> texts;
  bool progressShown = false;
  ModalHooks hooks;
  hooks.dialogDriver = [](HWND dialog, int) { PressSearch(dialog, "plimsar-off-hdd.dwg"); };
  hooks.messageBox = [&](HWND owner, const char* text, const char* caption, UINT type) {
    texts.push_back(text);
    texts.push_back(caption);
    EXPECT_EQ(owner, main);
    EXPECT_EQ(type, static_cast<UINT>(MB_ICONWARNING));
    HWND progress = g_modelessDialog;
    char line[64] = {};
    GetDlgItemTextA(progress, IDC_PROGRESS_LINE1, line, sizeof line);
    progressShown = IsWindowVisible(progress) && std::string(line) == "ファイル検索中";
    return IDOK;
  };
  SetModalHooks(hooks);
  Command(IDM_DRIVE_SEARCH);
  EXPECT_EQ(texts, (std::vector<std::string>{"ＨＤＤ内にありませんでした。", "ファイル検索"}));
  EXPECT_TRUE(progressShown);
  EXPECT_EQ(g_modelessDialog, nullptr);
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(GatherSearch, DriveSearchHitBeyond255BytesIsNotLoaded) {
  std::string t = NewTree("d:\\");
  std::string name = "gt-long-" + Unique() + ".dwg";
  // The hit's path is 257 bytes: its folder 256 - name.
  std::string deep = DeepFolder(t + "\\deep", 257 - name.size() - 1);
  MakeFile(deep + "\\" + name);
  Preset("c:\\");
  StartApp();
  OnDialog([&](HWND dialog, int) { PressSearch(dialog, name); });
  Command(IDM_DRIVE_SEARCH);
  EXPECT_EQ(RowCount(), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "読込出来ません！");
  EXPECT_EQ(Boxes()[0].caption, "ファイル追加操作");
  EXPECT_EQ(Boxes()[0].owner, main);
}
