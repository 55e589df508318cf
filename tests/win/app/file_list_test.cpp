#include <windows.h>
#include <commctrl.h>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "resource.h"

namespace {

std::string Text(int row, int column) {
  char buf[256];
  GetRowText(row, column, buf, sizeof buf);
  return buf;
}

UINT State(int row) {
  return static_cast<UINT>(SendMessageA(g_fileList, LVM_GETITEMSTATE, row, kMarkBits));
}

void SetState(int row, UINT state) {
  LVITEMA item = {};
  item.stateMask = kMarkBits;
  item.state = state;
  SendMessageA(g_fileList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

class FileList : public AppTest {
 protected:
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) {
      std::string name = "r" + std::to_string(i) + ".dwg";
      AppendRow(name.c_str(), "c:\\dwg", "2003/07/15 09:05", i, RowCount());
    }
  }
  std::string Names() {
    std::string names;
    for (int i = 0; i < RowCount(); ++i) names += Text(i, 0) + " ";
    return names;
  }
};

}  // namespace

TEST_F(FileList, AppendedRowHoldsItsTextsImageAndIndex) {
  StartApp();
  AppendRow("図面ソ.dwg", "d:\\表", "2003/07/15 09:05", -1, 0);
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Text(0, 0), "図面ソ.dwg");
  EXPECT_EQ(Text(0, 1), "d:\\表");
  EXPECT_EQ(Text(0, 2), "2003/07/15 09:05");
  EXPECT_EQ(Text(0, 3), "-1");
  LVITEMA item = {};
  item.mask = LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  item.stateMask = kMarkBits;
  ASSERT_TRUE(SendMessageA(g_fileList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.lParam, 0);
  EXPECT_EQ(item.iImage, 0);
  EXPECT_EQ(item.state, 0u);  // a new row is unmarked
  DWORD ex = static_cast<DWORD>(SendMessageA(g_fileList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & 0x21u, 0x21u);
}

TEST_F(FileList, RemoveSelectedKeepsTheOthersInOrder) {
  StartApp();
  for (int mode : {kRemoveSelectedOrWarn, kRemoveSelectedElseAll}) {
    SendMessageA(g_fileList, LVM_DELETEALLITEMS, 0, 0);
    AddRows(5);
    MarkRow(1, true);
    MarkRow(3, true);
    RemoveRows(main, mode);
    EXPECT_EQ(Names(), "r0.dwg r2.dwg r4.dwg ") << mode;
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FileList, NothingSelectedWarnsOrEmptiesByMode) {
  StartApp();
  AddRows(3);
  Command(IDM_REMOVE_SELECTED);
  EXPECT_EQ(RowCount(), 3);
  ExpectBoxes(1, main, "ファイルが選択していません", "選択ミス", MB_ICONWARNING);
  Command(IDT_REMOVE);
  EXPECT_EQ(RowCount(), 0);
  AddRows(2);
  MarkRow(0, true);
  Command(IDM_REMOVE_ALL);
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(Boxes().size(), 1u);
  // On an empty list only mode 1 says anything.
  Command(IDM_REMOVE_SELECTED);
  Command(IDT_REMOVE);
  Command(IDM_REMOVE_ALL);
  Command(IDM_SELECT_ALL);
  Command(IDM_DESELECT_SELECTED);
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(FileList, SelectionCommandsTouchOnlyTheirBits) {
  StartApp();
  AddRows(4);
  Command(IDM_SELECT_ALL);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(State(i) & (LVIS_SELECTED | LVIS_DROPHILITED), 0x0Au) << i;
  // Deselect selected leaves the other bits of unselected rows alone.
  DeselectAll();
  SetState(2, LVIS_DROPHILITED);
  MarkRow(1, true);
  Command(IDM_DESELECT_SELECTED);
  EXPECT_EQ(State(1), 0u);
  EXPECT_EQ(State(2), static_cast<UINT>(LVIS_DROPHILITED));
  DeselectAll();
  EXPECT_EQ(State(2), 0u);
}

TEST_F(FileList, RowTextsFromTheFileSystem) {
  StartApp();
  // Sizes come straight from the find data's two size words.
  WIN32_FIND_DATAA fd = {};
  SYSTEMTIME local = {2003, 7, 0, 15, 9, 5, 0, 0}, utc;
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &fd.ftLastWriteTime));
  struct {
    DWORD high, low;
    int32_t kb;
  } cases[] = {{0, 0, 1}, {0, 999, 1}, {0, 1999, 1}, {0, 2000, 2}, {0, 0xFFFFFFFFu, 4294967}, {1, 0, -1}};
  for (auto& c : cases) {
    fd.nFileSizeHigh = c.high;
    fd.nFileSizeLow = c.low;
    char date[40];
    int32_t kb = 0;
    RowTextsFromFindData(fd, date, &kb);
    EXPECT_EQ(kb, c.kb) << c.low;
    // The date is shown in local time, whatever the zone.
    EXPECT_STREQ(date, "2003/07/15 09:05");
  }
  // A file written at 23:30 UTC on 31 December shows 08:30 on 1 January in Japan.
  TIME_ZONE_INFORMATION tz;
  GetTimeZoneInformation(&tz);
  if (tz.Bias == -540) {
    SYSTEMTIME newYear = {2002, 12, 0, 31, 23, 30, 0, 0};
    SystemTimeToFileTime(&newYear, &fd.ftLastWriteTime);
    char date[40];
    int32_t kb = 0;
    RowTextsFromFindData(fd, date, &kb);
    EXPECT_STREQ(date, "2003/01/01 08:30");
  } else {
    ADD_FAILURE() << "the tests expect Japan time (TZ=Asia/Tokyo), bias " << tz.Bias;
  }
  // A real file: its date text matches its local write time.
  std::string path = dir + "\\t.dwg";
  WriteFileBytes(path, std::string(2500, 'x'));
  HANDLE h = FindFirstFileA(path.c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  char date[40];
  int32_t kb = 0;
  RowTextsFromFindData(fd, date, &kb);
  EXPECT_EQ(kb, 2);
  SYSTEMTIME st, lt;
  FileTimeToSystemTime(&fd.ftLastWriteTime, &st);
  SystemTimeToTzSpecificLocalTime(nullptr, &st, &lt);
  char expected[40];
  wsprintfA(expected, "%04d/%02d/%02d %02d:%02d", lt.wYear, lt.wMonth, lt.wDay, lt.wHour, lt.wMinute);
  EXPECT_STREQ(date, expected);
}
