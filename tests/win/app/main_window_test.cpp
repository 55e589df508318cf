#include <windows.h>
#include <commctrl.h>

#include "common/app_state.h"
#include "app/commands.h"
#include "app/window_layout.h"
#include "harness.h"
#include "resource.h"
#include "settings/settings.h"

namespace {

std::string StatusText(int part) {
  char text[300] = {};
  SendMessageA(g_statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

const char kDefaults[] =
    "filetypemax=0\r\nfileselect=0\r\nf=c:\\\r\np=\r\nop_m1=\r\nop_m2=\r\n"
    "off_mode=0\r\noff_tim=0\r\napri_end=0\r\noff_size=0\r\n";

}  // namespace

using MainWindow = AppTest;

TEST_F(MainWindow, ClassTitleSizeAndCentredPosition) {
  StartApp();
  char name[64] = {};
  GetClassNameA(main, name, sizeof name);
  EXPECT_STREQ(name, "Main Window");
  GetWindowTextA(main, name, sizeof name);
  EXPECT_STREQ(name, "Plimsar Ver1.02");
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 480);
  HDC screen = GetDC(nullptr);
  int w = GetDeviceCaps(screen, HORZRES), h = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(r.left, CenteredOrigin(w, 600));
  EXPECT_EQ(r.top, CenteredOrigin(h, 480));
  EXPECT_EQ(GetClassLongPtrA(main, GCL_STYLE), static_cast<ULONG_PTR>(0x1003));
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(main, GCLP_HBRBACKGROUND));
  LOGBRUSH lb = {};
  GetObjectA(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(238, 235, 218));
}

TEST_F(MainWindow, MenuHoldsEveryCommand) {
  StartApp();
  HMENU menu = GetMenu(main);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 6);
  const int ids[] = {IDM_ADD_FILES, IDM_ADD_FOLDER, IDM_ADD_SUBFOLDERS, IDM_FOLDER_PICKER, IDM_REMOVE_SELECTED,
                     IDM_REMOVE_ALL, IDM_LIST_SEARCH, IDM_SELECT_ALL, IDM_DESELECT_SELECTED, IDM_DRIVE_SEARCH,
                     IDM_RUN_ALL, IDM_RUN_SELECTION, IDM_SETTINGS, IDM_HELP, IDM_HOMEPAGE, IDM_ABOUT, IDM_EXIT};
  for (int id : ids) {
    char text[64] = {};
    EXPECT_GT(GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND), 0) << id;
  }
  char text[64] = {};
  GetMenuStringA(menu, IDM_RUN_ALL, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "全リスト実行印刷(&A)");
  GetMenuStringA(menu, 5, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "終了(&X)");
  EXPECT_EQ(GetMenuItemID(menu, 5), static_cast<UINT>(IDM_EXIT));
  // Separators sit between the four groups of the first menu.
  HMENU files = GetSubMenu(menu, 0);
  EXPECT_EQ(GetMenuItemCount(files), 10);
  EXPECT_EQ(GetMenuState(files, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

TEST_F(MainWindow, ToolbarButtonsAndTooltips) {
  StartApp();
  ASSERT_EQ(GetDlgCtrlID(g_toolbar), IDC_TOOLBAR);
  ASSERT_EQ(SendMessageA(g_toolbar, TB_BUTTONCOUNT, 0, 0), 9);
  const int ids[] = {330, 331, 332, 333, 334, 335, 336, 343, 344};
  int firstImage = -1;
  for (int i = 0; i < 9; ++i) {
    TBBUTTON b = {};
    SendMessageA(g_toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, ids[i]);
    if (i == 0) firstImage = b.iBitmap;
    EXPECT_EQ(b.iBitmap, firstImage + i);
    EXPECT_TRUE(b.fsState & TBSTATE_ENABLED);
  }
  // A tooltip request for a toolbar id gets its text; others keep theirs.
  NMTTDISPINFOA tip = {};
  tip.hdr.code = TTN_NEEDTEXTA;
  tip.hdr.idFrom = IDT_STOP;
  SendMessageA(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ(tip.lpszText, "停止");
  char keep[] = "as is";
  tip.hdr.idFrom = 999;
  tip.lpszText = keep;
  SendMessageA(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(tip.lpszText, keep);
}

TEST_F(MainWindow, ChildrenAndStatusParts) {
  StartApp();
  EXPECT_EQ(GetDlgCtrlID(g_fileList), IDC_FILELIST);
  EXPECT_EQ(GetDlgCtrlID(g_statusBar), IDC_STATUSBAR);
  int edges[4] = {};
  ASSERT_EQ(SendMessageA(g_statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 4);
  EXPECT_EQ(edges[0], 400);
  EXPECT_EQ(edges[1], 500);
  EXPECT_EQ(edges[2], 600);
  EXPECT_EQ(edges[3], -1);
  EXPECT_EQ(StatusText(0), "c:\\");
  EXPECT_EQ(StatusText(1), "ﾀｲﾏｰOFF");
  EXPECT_EQ(StatusText(2), "停止中");
  EXPECT_EQ(StatusText(3), "");
  // The list fills y 40 to 20 pixels above the client bottom.
  RECT client, list;
  GetClientRect(main, &client);
  GetWindowRect(g_fileList, &list);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&list), 2);
  EXPECT_EQ(list.top, 40);
  EXPECT_EQ(list.bottom, client.bottom - 20);
  // Four columns with their headings.
  char heading[32] = {};
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = heading;
  col.cchTextMax = sizeof heading;
  ASSERT_TRUE(SendMessageA(g_fileList, LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&col)));
  EXPECT_STREQ(heading, "サイズ");
  EXPECT_EQ(col.cx, 60);
}

TEST_F(MainWindow, StatusShowsLimitWhenTimerIsOn) {
  WriteFileBytes(dir + "\\plimsar.ini", "off_mode=1\r\nf=d:\\図面\r\n");
  StartApp();
  InvalidateRect(main, nullptr, FALSE);
  UpdateWindow(main);
  EXPECT_EQ(StatusText(0), "d:\\図面");
  EXPECT_EQ(StatusText(1), "0分0秒");
}

TEST_F(MainWindow, FirstStartCreatesEmptyFileAndExitWritesDefaults) {
  StartApp();
  ASSERT_TRUE(FileExists(dir + "\\plimsar.ini"));
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"), "");
  Command(IDM_EXIT);
  Pump(50);
  EXPECT_FALSE(IsWindow(main));
  CloseApp();
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"), kDefaults);
  // No temporary file is left behind.
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*.tmp").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MainWindow, SaveReturnsToStartupDirectoryAndKeepsHandEditedValues) {
  const std::string text =
      "filetypemax=2\r\nfile_type0=dwg\r\nfile_type1=dxf\r\nfileselect=1\r\nf=c:\\ソ\r\np=C:\\v.exe\r\n"
      "op_m1=/p \r\nop_m2=\r\noff_mode=1\r\noff_tim=30\r\napri_end=1\r\noff_size=1000\r\n";
  WriteFileBytes(dir + "\\plimsar.ini", text);
  StartApp();
  EXPECT_STREQ(g_settings.f, "c:\\ソ");
  SetCurrentDirectoryA("C:\\");  // as an open-file dialog may do
  Command(IDT_EXIT);
  CloseApp();
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"), text);
}

TEST_F(MainWindow, FailedSaveWarnsAndKeepsTheOldFile) {
  const std::string old = "off_tim=9\r\n";
  WriteFileBytes(dir + "\\plimsar.ini", old);
  StartApp();
  g_settings.off_tim = 77;
  // A read-only settings file cannot be replaced.
  SetFileAttributesA((dir + "\\plimsar.ini").c_str(), FILE_ATTRIBUTE_READONLY);
  CloseApp();
  SetFileAttributesA((dir + "\\plimsar.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"), old);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "ﾌｧｲﾙが開けません");
  EXPECT_EQ(boxes[0].caption, "ﾌｧｲﾙｴﾗｰ");
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*.tmp").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(MainWindow, UnreadableSettingsFileWarnsAndKeepsDefaults) {
  WriteFileBytes(dir + "\\plimsar.ini", "off_tim=9\r\n");
  HANDLE held = CreateFileA((dir + "\\plimsar.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartApp();
  CloseHandle(held);
  EXPECT_EQ(g_settings.off_tim, 0);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, main);
  EXPECT_EQ(boxes[0].caption, "ﾌｧｲﾙｴﾗｰ");
}

TEST_F(MainWindow, OverlongSettingsLinesEndInTheirLimits) {
  // A 300-byte f is beyond any line the file can hold: it is skipped, the
  // default stays, and the longest legal p survives a load and save intact.
  std::string longP = "C:\\" + std::string(252, 'p');
  WriteFileBytes(dir + "\\plimsar.ini", "f=" + std::string(300, 'f') + "\r\np=" + longP + "\r\noff_tim=3\r\n");
  StartApp();
  EXPECT_STREQ(g_settings.f, "c:\\");
  EXPECT_EQ(std::string(g_settings.p), longP);
  EXPECT_EQ(g_settings.off_tim, 3);
  CloseApp();
  EXPECT_NE(ReadFileBytes(dir + "\\plimsar.ini").find("\r\np=" + longP + "\r\n"), std::string::npos);
}
