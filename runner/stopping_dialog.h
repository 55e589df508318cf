// Dialog 3, "停止動作中": shown while a program of the run is being ended.
#pragma once
#include <windows.h>

// Creates it modeless, owned by owner, and shows it.
HWND CreateStoppingDialog(HWND owner);
