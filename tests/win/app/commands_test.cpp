#include <windows.h>

#include "common/app_state.h"
#include "app/commands.h"
#include "harness.h"
#include "resource.h"

namespace {

// Ends every browser the help commands started, and says how many there were.
int EndBrowsers() {
  std::vector<DWORD> browsers = ProcessesNamed("iexplore.exe");
  for (DWORD id : browsers) {
    HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, id);
    if (p) {
      TerminateProcess(p, 0);
      CloseHandle(p);
    }
  }
  return static_cast<int>(browsers.size());
}

}  // namespace

using Commands = AppTest;

TEST_F(Commands, AboutBoxIsModelessAndOpensTwice) {
  StartApp();
  Command(IDM_ABOUT);
  HWND first = g_modelessDialog;
  Command(IDM_ABOUT);
  HWND second = g_modelessDialog;
  ASSERT_TRUE(IsWindow(first));
  ASSERT_TRUE(IsWindow(second));
  EXPECT_NE(first, second);
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_EQ(GetWindow(first, GW_OWNER), main);
  char text[64] = {};
  GetWindowTextA(first, text, sizeof text);
  EXPECT_STREQ(text, "このソフトについて");
  GetDlgItemTextA(first, IDC_ABOUT_HOMEPAGE, text, sizeof text);
  EXPECT_NE(std::string(text).find("plimsar.html"), std::string::npos);
  // OK ends a box; the other stays.
  SendMessageA(first, WM_COMMAND, IDC_ABOUT_OK, 0);
  EXPECT_FALSE(IsWindowVisible(first));
  EXPECT_TRUE(IsWindowVisible(second));
  SendMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(second));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Commands, HelpCommandsStartTheBrowserWithoutWaiting) {
  StartApp();
  EndBrowsers();
  Command(IDM_HELP);
  Command(IDT_HELP);
  Command(IDM_HOMEPAGE);
  Pump(100);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(EndBrowsers(), 3);
}

TEST_F(Commands, UnknownIdsAndOtherTimersDoNothing) {
  StartApp();
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, 12345, 0), 0);
  EXPECT_EQ(SendMessageA(main, WM_TIMER, 7, 0), 0);
  EXPECT_TRUE(IsWindow(main));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(ToolbarTooltip(IDT_EXIT), std::string("終了"));
  EXPECT_EQ(ToolbarTooltip(IDM_EXIT), nullptr);
}

TEST_F(Commands, CloseBoxEndsTheToolAndSavesSettings) {
  WriteFileBytes(dir + "\\plimsar.ini", "off_tim=30\n");
  StartApp();
  SendMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main));
  CloseApp();
  EXPECT_NE(ReadFileBytes(dir + "\\plimsar.ini").find("off_tim=30\r\n"), std::string::npos);
}
