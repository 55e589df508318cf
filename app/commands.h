// The command table of menu and toolbar, tooltips and timer dispatch.
#pragma once
#include <windows.h>
#include <commctrl.h>

LRESULT OnCommand(HWND window, WORD id);
LRESULT OnNotify(NMHDR* header);
LRESULT OnTimer(HWND window, WPARAM timerId);

// Tooltip text of a toolbar command, or nullptr for any other id.
const char* ToolbarTooltip(UINT_PTR commandId);
