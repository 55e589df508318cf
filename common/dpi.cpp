#include "common/dpi.h"

#include <commctrl.h>

#include "common/dpi_scale.h"

namespace {

constexpr char kOwnFont[] = "PlimsarFont";

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  int dpi = getDpi && window ? static_cast<int>(getDpi(window)) : 0;
  return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : SystemDpi();
}

void RescaleListColumns(HWND list, int fromDpi, int toDpi) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
    SendMessageA(list, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(RescaleForDpi(width, fromDpi, toDpi), 0));
  }
}

void RescaleFont(HWND control, int fromDpi, int toDpi) {
  HFONT current = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA font = {};
  if (!GetObjectA(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return;
  font.lfHeight = RescaleForDpi(font.lfHeight, fromDpi, toDpi);
  HFONT scaled = CreateFontIndirectA(&font);
  if (!scaled) return;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), TRUE);
  if (HANDLE own = RemovePropA(control, kOwnFont)) DeleteObject(own);
  SetPropA(control, kOwnFont, scaled);
}

int PictureResource(int dpi, int id100, int id150, int id200) {
  int scale = PictureScale(dpi);
  return scale == 200 ? id200 : scale == 150 ? id150 : id100;
}
