#include "app/main_window.h"

#include <commctrl.h>

#include "common/app_state.h"
#include "app/commands.h"
#include "app/handover.h"
#include "app/window_layout.h"
#include "common/modal.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "runner/taskbar_progress.h"
#include "settings/settings_file.h"

namespace {

constexpr COLORREF kBackground = RGB(238, 235, 218);

struct ToolButton {
  int image;
  int command;
};
constexpr ToolButton kToolButtons[] = {
    {0, IDT_FOLDER_PICKER}, {1, IDT_ADD_SUBFOLDERS}, {2, IDT_ADD_FOLDER}, {3, IDT_ADD_FILES}, {4, IDT_REMOVE},
    {5, IDT_RUN},           {6, IDT_STOP},           {7, IDT_HELP},       {8, IDT_EXIT},
};

HWND CreateMainToolbar(HWND window) {
  HWND bar = CreateToolbarEx(window,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_ALTDRAG | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                             IDC_TOOLBAR, 0, nullptr, 0, nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
  if (!bar) return nullptr;
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(32, 32));
  TBADDBITMAP strip = {g_instance, IDB_TOOLBAR};
  int first = static_cast<int>(SendMessageA(bar, TB_ADDBITMAP, 9, reinterpret_cast<LPARAM>(&strip)));
  TBBUTTON buttons[9] = {};
  for (int i = 0; i < 9; ++i) {
    buttons[i].iBitmap = first + kToolButtons[i].image;
    buttons[i].idCommand = kToolButtons[i].command;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
  }
  SendMessageA(bar, TB_ADDBUTTONSA, 9, reinterpret_cast<LPARAM>(buttons));
  SendMessageA(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

HWND CreateMainStatusBar(HWND window) {
  HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, "", window, IDC_STATUSBAR);
  if (bar) SendMessageA(bar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(kStatusPartEdges));
  return bar;
}

// Without its list the tool can do nothing: it says so and does not start,
// having read and written nothing.
LRESULT OnCreate(HWND window) {
  g_mainWindow = window;
  g_toolbar = CreateMainToolbar(window);
  g_fileList = CreateFileList(window);
  if (!g_fileList) {
    ShowMessage(nullptr, "ファイルリストが作れないため起動できません", kMainTitle, MB_ICONWARNING);
    g_mainWindow = g_toolbar = nullptr;
    return -1;
  }
  g_statusBar = CreateMainStatusBar(window);
  LoadSettings(window);
  return 0;
}

LRESULT OnSize(HWND window, WPARAM wp, LPARAM lp) {
  SendMessageA(g_toolbar, WM_SIZE, wp, lp);
  Band band = FileListBand(LOWORD(lp), HIWORD(lp));
  MoveWindow(g_fileList, band.x, band.y, band.width, band.height, TRUE);
  SendMessageA(g_fileList, LVM_ARRANGE, LVA_ALIGNLEFT, 0);
  SendMessageA(g_statusBar, WM_SIZE, wp, lp);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  return 0;
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  ApplyRowsOnPaint();
  UpdateStatusTexts();
  EndPaint(window, &ps);
  return 0;
}

LRESULT OnDestroy() {
  PostQuitMessage(0);
  return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate(window);
    case WM_SIZE: return OnSize(window, wp, lp);
    case WM_PAINT: return OnPaint(window);
    case WM_DESTROY: return OnDestroy();
    case WM_COMMAND: return OnCommand(window, LOWORD(wp));
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_TIMER: return OnTimer(window, wp);
    case WM_DROPFILES: OnDropFiles(window, reinterpret_cast<HDROP>(wp)); return 0;
    case WM_COPYDATA: return OnCopyData(window, reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case kForwardedPathsMessage: OnForwardedPaths(window, lp); return 0;
    case WM_ACTIVATE:
    case WM_QUIT:
    case WM_QUERYNEWPALETTE: return 0;
    default:
      if (msg == TaskbarButtonCreatedMessage()) return OnTaskbarButtonCreated(window);
      return DefWindowProcA(window, msg, wp, lp);
  }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  g_instance = instance;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_LARGE));
  wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_SMALL));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(kBackground);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = kMainClassName;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HDC screen = GetDC(nullptr);
  int width = GetDeviceCaps(screen, HORZRES);
  int height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  // Accepting drops by style keeps shell32 out of start-up.
  return CreateWindowExA(WS_EX_ACCEPTFILES, kMainClassName, kMainTitle, WS_OVERLAPPEDWINDOW,
                         CenteredOrigin(width, kMainWidth), CenteredOrigin(height, kMainHeight), kMainWidth,
                         kMainHeight, nullptr, nullptr, instance, nullptr);
}

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      WaitMessage();
    }
  }
  return static_cast<int>(msg.wParam);
}
