// The folder picker: its template, fill, navigation and load.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "gather_fixture.h"
#include "resource.h"

namespace {

struct PickerRow {
  std::string text, date;
  int image;
  LPARAM data;
};

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_PICK_LIST); }

std::vector<PickerRow> PickerRows(HWND dialog) {
  HWND list = List(dialog);
  std::vector<PickerRow> rows;
  int n = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[300] = {}, date[64] = {};
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = i;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA sub = {};
    sub.iSubItem = 1;
    sub.pszText = date;
    sub.cchTextMax = sizeof date;
    SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
    rows.push_back({text, date, item.iImage, item.lParam});
  }
  return rows;
}

std::vector<std::string> Texts(HWND dialog) {
  std::vector<std::string> texts;
  for (const auto& row : PickerRows(dialog)) texts.push_back(row.text);
  return texts;
}

std::string Shown(HWND dialog) {
  char text[300] = {};
  GetDlgItemTextA(dialog, IDC_PICK_FOLDER, text, sizeof text);
  return text;
}

int Find(HWND dialog, const std::string& text) {
  std::vector<std::string> texts = Texts(dialog);
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == text) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no row " << text;
  return -1;
}

void Select(HWND dialog, const std::string& text) {
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(List(dialog), LVM_SETITEMSTATE, Find(dialog, text), reinterpret_cast<LPARAM>(&state));
}

void DoubleClick(HWND dialog) {
  NMITEMACTIVATE click = {};
  click.hdr.hwndFrom = List(dialog);
  click.hdr.idFrom = IDC_PICK_LIST;
  click.hdr.code = NM_DBLCLK;
  SendMessageA(dialog, WM_NOTIFY, IDC_PICK_LIST, reinterpret_cast<LPARAM>(&click));
}

// Double-clicks the row with text.
void Open(HWND dialog, const std::string& text) {
  Select(dialog, text);
  DoubleClick(dialog);
}

void Load(HWND dialog) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PICK_LOAD, BN_CLICKED), 0); }

int SelectedCount(HWND dialog) {
  return static_cast<int>(SendMessageA(List(dialog), LVM_GETSELECTEDCOUNT, 0, 0));
}

}  // namespace

class GatherPicker : public GatherTest {
 protected:
  // Opens the picker and runs steps inside it; closes it unless a step ended it.
  void Picker(std::function<void(HWND)> steps) {
    bool ran = false;
    OnDialog([&](HWND dialog, int id) {
      ran = true;
      EXPECT_EQ(id, IDD_PICKER);
      steps(dialog);
      if (DialogRunning()) SendMessageA(dialog, WM_CLOSE, 0, 0);
    });
    Command(IDT_FOLDER_PICKER);
    EXPECT_TRUE(ran);
  }
};

TEST_F(GatherPicker, TemplateColumnsAndImages) {
  std::string t = NewTree(dir);
  Preset(t);
  StartApp();
  Picker([&](HWND dialog) {
    char text[64] = {};
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "フォルダ選択式");
    GetDlgItemTextA(dialog, IDC_PICK_LOAD, text, sizeof text);
    EXPECT_STREQ(text, "読込開始");
    EXPECT_EQ(Shown(dialog), t);
    HWND list = List(dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SORTASCENDING), LVS_REPORT);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), 0);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 7);
    const char* headings[] = {"ファイル名", "更新日"};
    const int widths[] = {200, 120};
    for (int i = 0; i < 2; ++i) {
      char heading[64] = {};
      LVCOLUMNA col = {};
      col.mask = LVCF_TEXT | LVCF_WIDTH;
      col.pszText = heading;
      col.cchTextMax = sizeof heading;
      SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
      EXPECT_STREQ(heading, headings[i]);
      EXPECT_EQ(col.cx, widths[i]);
    }
  });
}

TEST_F(GatherPicker, SubfolderListsDotsAndPlainFoldersOnly) {
  std::string t = NewTree(dir);
  for (const char* name : {"Alpha", "Hidden", "System", "ソ表", ".dot"}) MakeDir(t + "\\" + name);
  SetAttributes(t + "\\Hidden", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(t + "\\System", FILE_ATTRIBUTE_SYSTEM);
  MakeFile(t + "\\file.dwg");
  Preset(t);
  StartApp();
  Picker([&](HWND dialog) {
    std::vector<PickerRow> rows = PickerRows(dialog);
    std::vector<std::string> texts;
    for (const auto& row : rows) texts.push_back(row.text);
    EXPECT_EQ(texts, (std::vector<std::string>{".", "..", ".dot", "Alpha", "ソ表"}));
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].image, rows[i].text[0] == '.' ? 0 : 1) << rows[i].text;
      EXPECT_EQ(rows[i].data, static_cast<LPARAM>(i));
      EXPECT_EQ(rows[i].date.size(), 16u) << rows[i].date;
    }
  });
}

TEST_F(GatherPicker, RootListsOtherDrivesFirstAndExaminesEveryEntry) {
  std::string u = Unique();
  // At d:\ the first entry is a file: it is not listed.
  MakeFile("d:\\0first-" + u + ".dwg");
  RemoveLater("d:\\0first-" + u + ".dwg");
  std::string plain = NewTree("d:\\", "plain");
  std::string hidden = NewTree("d:\\", "hidden");
  std::string system = NewTree("d:\\", "system");
  SetAttributes(hidden, FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(system, FILE_ATTRIBUTE_SYSTEM);
  for (const char* f : {"d:\\", "D:\\"}) {
    Preset(f);
    StartApp();
    Picker([&](HWND dialog) {
      std::vector<PickerRow> rows = PickerRows(dialog);
      ASSERT_EQ(rows.size(), 4u) << f;
      EXPECT_EQ(rows[0].text, "c:\\");
      EXPECT_EQ(rows[0].image, 2);  // fixed
      EXPECT_EQ(rows[1].text, "e:\\");
      EXPECT_EQ(rows[1].image, 3);  // CD-ROM
      EXPECT_EQ(rows[2].text, "z:\\");
      EXPECT_EQ(rows[2].image, 5);  // network
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].date, "");
        EXPECT_EQ(rows[i].data, i);
      }
      EXPECT_EQ(rows[3].text, plain.substr(3));
      EXPECT_EQ(rows[3].image, 1);
      EXPECT_EQ(rows[3].data, 3);
    });
    CloseApp();
  }
  // At c:\ the drive d: is listed instead.
  Preset("C:\\");
  StartApp();
  Picker([&](HWND dialog) {
    std::vector<std::string> texts = Texts(dialog);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 3),
              (std::vector<std::string>{"d:\\", "e:\\", "z:\\"}));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "windows"), texts.end());
  });
}

TEST_F(GatherPicker, NavigationRewritesFAtOnce) {
  std::string t = NewTree("d:\\");
  MakeDir(t + "\\Data");
  MakeDir(t + "\\Data\\表");
  MakeDir(t + "\\Data\\表\\Old");
  MakeDir(t + "\\Data\\.up");
  // A drive root reports no "." or "..": a dot-named folder stands in.
  std::string rootDot = NewTree("d:\\", "");
  std::string dotName = "." + rootDot.substr(3);
  ASSERT_TRUE(MoveFileA(rootDot.c_str(), ("d:\\" + dotName).c_str()));
  RemoveLater("d:\\" + dotName);
  Preset(t);
  StartApp();
  Picker([&](HWND dialog) {
    Open(dialog, "Data");
    EXPECT_EQ(CurrentFolder(), t + "\\Data");
    EXPECT_EQ(Shown(dialog), t + "\\Data");
    EXPECT_EQ(Texts(dialog), (std::vector<std::string>{".", "..", ".up", "表"}));
    Open(dialog, "表");
    Open(dialog, "Old");
    EXPECT_EQ(CurrentFolder(), t + "\\Data\\表\\Old");
    Open(dialog, "..");  // up past 表, whose trail byte is no separator
    EXPECT_EQ(CurrentFolder(), t + "\\Data\\表");
    Open(dialog, ".");
    EXPECT_EQ(CurrentFolder(), t + "\\Data");
    Open(dialog, ".up");  // a name beginning with "." goes up, not into it
    EXPECT_EQ(CurrentFolder(), t);
    Open(dialog, "..");
    EXPECT_EQ(CurrentFolder(), "d:\\");
    EXPECT_EQ(Texts(dialog).front(), "c:\\");  // drive rows at a root
    Open(dialog, t.substr(3));
    Open(dialog, "..");
    EXPECT_EQ(CurrentFolder(), "d:\\");
    Open(dialog, dotName);  // at the root it stays there
    EXPECT_EQ(CurrentFolder(), "d:\\");
    int dotRow = Find(dialog, dotName);
    if (dotRow >= 0) {
      EXPECT_EQ(PickerRows(dialog)[dotRow].image, 0);
    }
    Open(dialog, "e:\\");
    EXPECT_EQ(CurrentFolder(), "e:\\");
    EXPECT_EQ(Shown(dialog), "e:\\");
    EXPECT_EQ(Texts(dialog), (std::vector<std::string>{"c:\\", "d:\\", "z:\\"}));
    // Without a selected row a double-click changes nothing.
    DoubleClick(dialog);
    EXPECT_EQ(CurrentFolder(), "e:\\");
    Open(dialog, "d:\\");
  });
  // Closing keeps f, and the next opening starts there.
  EXPECT_EQ(CurrentFolder(), "d:\\");
  Picker([&](HWND dialog) { EXPECT_EQ(Shown(dialog), "d:\\"); });
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(GatherPicker, DescentBeyond255BytesDoesNothing) {
  std::string t = NewTree("d:\\");
  std::string deep = DeepFolder(t + "\\deep", 245);
  MakeDir(deep + "\\abcdefghij");   // 256 bytes
  MakeDir(deep + "\\abcdefghi");    // 255 bytes
  Preset(deep);
  StartApp();
  Picker([&](HWND dialog) {
    Open(dialog, "abcdefghij");
    EXPECT_EQ(CurrentFolder(), deep);
    EXPECT_EQ(Shown(dialog), deep);
    Open(dialog, "abcdefghi");
    EXPECT_EQ(CurrentFolder(), deep + "\\abcdefghi");
    // Its listing pattern would be too long: nothing is listed.
    EXPECT_TRUE(Texts(dialog).empty());
  });
}

TEST_F(GatherPicker, LoadScansEverySelectedRowAndEnds) {
  std::string t = NewTree(dir);
  MakeDir(t + "\\none");
  MakeFile(t + "\\none\\x.dxf");
  MakeDir(t + "\\three");
  for (const char* name : {"a.dwg", "b.dwg", "c.dwg"}) MakeFile(t + "\\three\\" + name);
  Preset(t);
  StartApp();
  AppendRow("kept.dwg", "x", "", 1, 0);
  bool endedByLoad = false;
  Picker([&](HWND dialog) {
    Select(dialog, "none");
    Select(dialog, "three");
    Load(dialog);
    endedByLoad = !DialogRunning();
  });
  EXPECT_TRUE(endedByLoad);
  std::vector<FileRowTexts> rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].name, "kept.dwg");
  for (int i = 1; i < 4; ++i) EXPECT_EQ(rows[i].folder, t + "\\three");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(CurrentFolder(), t);  // load never changes f
}

TEST_F(GatherPicker, LoadDotDotAndAtARoot) {
  std::string t = NewTree("d:\\");
  MakeFile(t + "\\here.dwg");
  MakeDir(t + "\\sub");
  MakeFile(t + "\\sub\\below.dwg");
  Preset(t + "\\sub");
  StartApp();
  Picker([&](HWND dialog) {
    Select(dialog, "..");  // the parent of the shown folder
    Load(dialog);
  });
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Rows()[0].name, "here.dwg");
  EXPECT_EQ(Rows()[0].folder, t + "\\sub\\..");
  Picker([&](HWND dialog) {
    Select(dialog, ".");  // the shown folder itself
    Load(dialog);
  });
  ASSERT_EQ(RowCount(), 2);
  EXPECT_EQ(Rows()[1].folder, t + "\\sub\\.");
  // At a root the joined path has two separators after the colon.
  CloseApp();
  Preset("d:\\");
  StartApp();
  Picker([&](HWND dialog) {
    Select(dialog, t.substr(3));
    Load(dialog);
  });
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Rows()[0].folder, "d:\\\\" + t.substr(3));
}

TEST_F(GatherPicker, LoadWithNothingAddedWarnsAndStaysOpen) {
  std::string t = NewTree("d:\\");
  MakeDir(t + "\\empty");
  Preset("d:\\");
  StartApp();
  Picker([&](HWND dialog) {
    Load(dialog);  // nothing selected
    ExpectBoxes(1, dialog, "読込出来ません！", "フォルダ選択", MB_ICONWARNING);
    // A drive row and a folder without matches add nothing either.
    Select(dialog, "e:\\");
    Select(dialog, t.substr(3));
    Load(dialog);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(SelectedCount(dialog), 0);  // every row deselected
    EXPECT_TRUE(DialogRunning());
    // Escape and Enter do nothing either.
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    Pump(50);
    EXPECT_TRUE(DialogRunning());
  });
  EXPECT_EQ(RowCount(), 0);
}
