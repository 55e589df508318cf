#include "app/main_window.h"

#include <commctrl.h>

#include "common/app_state.h"
#include "app/commands.h"
#include "app/handed_files.h"
#include "app/window_layout.h"
#include "common/dpi.h"
#include "common/modal.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/run.h"
#include "runner/status_texts.h"
#include "runner/taskbar_progress.h"
#include "settings/settings_file.h"

namespace {

constexpr COLORREF kBackground = RGB(238, 235, 218);

// The DPI the window's pixel figures are laid out in; a WM_DPICHANGED moves it.
int g_windowDpi = kBaseDpi;

struct ToolButton {
  int image;
  int command;
};
constexpr ToolButton kToolButtons[] = {
    {0, IDT_FOLDER_PICKER}, {1, IDT_ADD_SUBFOLDERS}, {2, IDT_ADD_FOLDER}, {3, IDT_ADD_FILES}, {4, IDT_REMOVE},
    {5, IDT_RUN},           {6, IDT_STOP},           {7, IDT_HELP},       {8, IDT_EXIT},
};

HWND CreateMainToolbar(HWND window, int dpi) {
  HWND bar = CreateToolbarEx(window,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_ALTDRAG | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                             IDC_TOOLBAR, 0, nullptr, 0, nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
  if (!bar) return nullptr;
  int image = PictureSize(kToolbarImage, dpi);
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(image, image));
  TBADDBITMAP strip = {g_instance,
                       static_cast<UINT_PTR>(PictureResource(dpi, IDB_TOOLBAR, IDB_TOOLBAR_150, IDB_TOOLBAR_200))};
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

void SetStatusParts(HWND bar, int dpi) {
  StatusParts parts = StatusPartEdges(dpi);
  SendMessageA(bar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts.edges));
}

HWND CreateMainStatusBar(HWND window, int dpi) {
  HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, "", window, IDC_STATUSBAR);
  if (bar) SetStatusParts(bar, dpi);
  return bar;
}

// WM_NOTIFY and WM_DPICHANGED carry pointers and are only ever sent. A posted
// one comes from another program, whose lParam the system passes on as it is:
// every loop of this thread, dialogs' and boxes' too, gets it as WM_NULL.
HHOOK g_postedPointerFilter;

LRESULT CALLBACK DropPostedPointerMessages(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && (msg->message == WM_NOTIFY || msg->message == WM_DPICHANGED)) msg->message = WM_NULL;
  return CallNextHookEx(g_postedPointerFilter, code, wp, lp);
}

// Without its list the tool can do nothing: it says so and does not start,
// having read and written nothing.
LRESULT OnCreate(HWND window) {
  g_mainWindow = window;
  g_windowDpi = WindowDpi(window);
  g_toolbar = CreateMainToolbar(window, g_windowDpi);
  g_fileList = CreateFileList(window);
  if (!g_fileList) {
    ShowMessage(nullptr, "ファイルリストが作れないため起動できません", kMainTitle, MB_ICONWARNING);
    g_mainWindow = g_toolbar = nullptr;
    return -1;
  }
  g_statusBar = CreateMainStatusBar(window, g_windowDpi);
  g_postedPointerFilter = SetWindowsHookExA(WH_GETMESSAGE, DropPostedPointerMessages, nullptr, GetCurrentThreadId());
  LoadSettings(window);
  return 0;
}

LRESULT OnSize(HWND window, WPARAM wp, LPARAM lp) {
  SendMessageA(g_toolbar, WM_SIZE, wp, lp);
  Band band = FileListBand(LOWORD(lp), HIWORD(lp), g_windowDpi);
  MoveWindow(g_fileList, band.x, band.y, band.width, band.height, TRUE);
  SendMessageA(g_fileList, LVM_ARRANGE, LVA_ALIGNLEFT, 0);
  SendMessageA(g_statusBar, WM_SIZE, wp, lp);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  return 0;
}

// The window went to a display of another scale: every pixel figure follows,
// the user's column widths in proportion, and the window takes the rectangle
// the system suggests. A DPI no display has is ignored, as is the same DPI.
// The system sends the change on the window's own thread; sent from another
// thread or process, lParam is no pointer to trust, and the window keeps its
// place with its size scaled.
LRESULT OnDpiChanged(HWND window, WPARAM wp, LPARAM lp) {
  int dpi = LOWORD(wp);
  if (dpi < kMinDpi || dpi > kMaxDpi || dpi == g_windowDpi) return 0;
  int old = g_windowDpi;
  g_windowDpi = dpi;
  RescaleFileList(old, dpi);
  RescaleFont(g_statusBar, old, dpi);
  SetStatusParts(g_statusBar, dpi);
  // Its images cannot change size once added: a new toolbar takes the old one's place.
  if (HWND bar = CreateMainToolbar(window, dpi)) {
    DestroyWindow(g_toolbar);
    g_toolbar = bar;
    SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  RECT r;
  if (lp && InSendMessageEx(nullptr) == ISMEX_NOSEND) {
    r = *reinterpret_cast<const RECT*>(lp);
  } else {
    GetWindowRect(window, &r);
    r.right = r.left + RescaleForDpi(r.right - r.left, old, dpi);
    r.bottom = r.top + RescaleForDpi(r.bottom - r.top, old, dpi);
  }
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(window, &client);  // a rectangle of the same size sends no WM_SIZE
  return OnSize(window, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
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
  if (g_postedPointerFilter) UnhookWindowsHookEx(g_postedPointerFilter);
  g_postedPointerFilter = nullptr;
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
    // Only this thread's controls notify; another's pointer would not be ours.
    case WM_NOTIFY: return InSendMessage() ? 0 : OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_TIMER: return OnTimer(window, wp);
    case WM_DROPFILES: OnDropFiles(window, reinterpret_cast<HDROP>(wp)); return 0;
    case WM_COPYDATA: return OnCopyData(window, reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_DPICHANGED: return OnDpiChanged(window, wp, lp);
    case kHandedFilesMessage: OnHandedFilesMessage(window); return 0;
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
  // Sized in the system DPI; a window on a display of another scale is sized
  // again once it knows its own.
  int dpi = SystemDpi();
  // Accepting drops by style keeps shell32 out of start-up.
  HWND window = CreateWindowExA(WS_EX_ACCEPTFILES, kMainClassName, kMainTitle, WS_OVERLAPPEDWINDOW,
                                CenteredOrigin(width, ScaleForDpi(kMainWidth, dpi)),
                                CenteredOrigin(height, ScaleForDpi(kMainHeight, dpi)), ScaleForDpi(kMainWidth, dpi),
                                ScaleForDpi(kMainHeight, dpi), nullptr, nullptr, instance, nullptr);
  if (window && g_windowDpi != dpi) {
    int w = ScaleForDpi(kMainWidth, g_windowDpi), h = ScaleForDpi(kMainHeight, g_windowDpi);
    SetWindowPos(window, nullptr, CenteredOrigin(width, w), CenteredOrigin(height, h), w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return window;
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
