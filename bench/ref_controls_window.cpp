// Reference for the start-up benchmark: the floor of the tool's interface, a
// window carrying the tool's manifest (per-monitor DPI aware, common controls
// 6) with the same three controls: toolbar, report list view and status bar.
#include <windows.h>
#include <commctrl.h>

static HWND g_list, g_status, g_bar;

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_CREATE:
      g_bar = CreateToolbarEx(w, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 1, 0, nullptr, 0, nullptr, 0, 0, 0, 0, 0,
                              sizeof(TBBUTTON));
      g_list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 0, 0, w,
                               nullptr, nullptr, nullptr);
      g_status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", w, 2);
      return 0;
    case WM_SIZE:
      SendMessageA(g_bar, WM_SIZE, wp, lp);
      MoveWindow(g_list, 0, 40, LOWORD(lp), HIWORD(lp) - 60, TRUE);
      SendMessageA(g_status, WM_SIZE, wp, lp);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(w, m, wp, lp);
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
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
