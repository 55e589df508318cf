// The DPI of a window and the window work of following a change of it. The
// newer user32 functions are looked up when first needed, so the tool still
// starts on systems without them and uses the system DPI there.
#pragma once
#include <windows.h>

// The screen's DPI as the system reports it to this process.
int SystemDpi();

// The DPI the window is laid out in: GetDpiForWindow where it exists.
int WindowDpi(HWND window);

// Each column's current width, the user's own included, taken from one DPI to the other.
void RescaleListColumns(HWND list, int fromDpi, int toDpi);

// The control's font with its height taken from one DPI to the other; the
// font it replaces is deleted when it was made here.
void RescaleFont(HWND control, int fromDpi, int toDpi);

// The resource drawn for dpi out of the 100 %, 150 % and 200 % ones.
int PictureResource(int dpi, int id100, int id150, int id200);
