// About box. The picture is a device-independent section loaded once per
// box and kept in the box's user data, so two open boxes never share or
// free each other's bitmap.
#include "app/about_dialog.h"

#include "common/dpi.h"
#include "common/dpi_scale.h"
#include "resource.h"

namespace {

// Where and how large the picture is drawn, in client pixels.
const int kPictureX = 40;
const int kPictureY = 0;
const int kPictureWidth = 128;
const int kPictureHeight = 64;

HBITMAP PictureOf(HWND dlg) { return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

INT_PTR OnInitDialog(HWND dlg) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HANDLE picture = LoadImageA(instance, MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
  return TRUE;
}

INT_PTR OnPaint(HWND dlg) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dlg, &ps);
  HBITMAP picture = PictureOf(dlg);
  // A missing picture leaves the area to the dialog's background.
  if (dc != nullptr && picture != nullptr) {
    HDC memory = CreateCompatibleDC(nullptr);
    if (memory != nullptr) {
      HGDIOBJ previous = SelectObject(memory, picture);
      // The picture keeps its pixels; its place follows the box, which grows with its font.
      int dpi = WindowDpi(dlg);
      BitBlt(dc, ScaleForDpi(kPictureX, dpi), ScaleForDpi(kPictureY, dpi), kPictureWidth, kPictureHeight, memory, 0, 0,
             SRCCOPY);
      SelectObject(memory, previous);
      DeleteDC(memory);
    }
  }
  EndPaint(dlg, &ps);
  return 0;
}

// OK and the close box only end the dialog; a modeless box is then hidden,
// and its window (with the picture) goes when its owner goes.
INT_PTR OnClose(HWND dlg) {
  EndDialog(dlg, 1);
  return 0;
}

INT_PTR OnCommand(HWND dlg, WPARAM wParam) {
  if (LOWORD(wParam) == IDC_ABOUT_OK) {
    return OnClose(dlg);
  }
  return 0;
}

INT_PTR OnDestroy(HWND dlg) {
  HBITMAP picture = PictureOf(dlg);
  SetWindowLongPtrA(dlg, GWLP_USERDATA, 0);
  if (picture != nullptr) {
    DeleteObject(picture);
  }
  return 0;
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(dlg);
    case WM_PAINT: return OnPaint(dlg);
    case WM_COMMAND: return OnCommand(dlg, wParam);
    case WM_CLOSE: return OnClose(dlg);
    case WM_DESTROY: return OnDestroy(dlg);
    default: return 0;
  }
}

HWND CreateAboutBox(HWND owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND dlg = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
  if (dlg != nullptr) {
    ShowWindow(dlg, SW_SHOWNORMAL);
  }
  return dlg;
}
