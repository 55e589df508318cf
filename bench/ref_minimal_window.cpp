// Reference for the start-up benchmark: the least a Win32 program does to show
// a window. Built with REF_CONTROLS (ref_controls_window.cpp), the window also
// holds the tool's three common controls.
#include <windows.h>
#include <commctrl.h>

#ifdef REF_CONTROLS
static HWND g_list, g_status, g_bar;

static void CreateControls(HWND w) {
  g_bar = CreateToolbarEx(w, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 1, 0, nullptr, 0, nullptr, 0, 0, 0, 0, 0,
                          sizeof(TBBUTTON));
  g_list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 0, 0, w,
                           nullptr, nullptr, nullptr);
  g_status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", w, 2);
}

static void PlaceControls(WPARAM wp, LPARAM lp) {
  SendMessageA(g_bar, WM_SIZE, wp, lp);
  MoveWindow(g_list, 0, 40, LOWORD(lp), HIWORD(lp) - 60, TRUE);
  SendMessageA(g_status, WM_SIZE, wp, lp);
}
#endif

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
#ifdef REF_CONTROLS
    case WM_CREATE: CreateControls(w); return 0;
    case WM_SIZE: PlaceControls(wp, lp); return 0;
#endif
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(w, m, wp, lp);
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef REF_CONTROLS
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
#endif
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "Reference Window";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!RegisterClassA(&wc)) return 1;
  HWND w = CreateWindowA("Reference Window", "reference", WS_OVERLAPPEDWINDOW, 0, 0, 600, 480, nullptr, nullptr,
                         instance, nullptr);
  ShowWindow(w, show);
  UpdateWindow(w);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
