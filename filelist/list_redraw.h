// Drawing of a list view held while many of its rows change: every row
// change of a shown list otherwise repaints it at once, which makes a scan
// of thousands of files take minutes.
#pragma once
#include <windows.h>

inline void HoldListDrawing(HWND list) { SendMessageA(list, WM_SETREDRAW, FALSE, 0); }

// Draws again, once, with every change.
inline void ResumeListDrawing(HWND list) {
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}
