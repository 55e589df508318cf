// The settings dialog (dialog 2), run modally by command 41.
#pragma once
#include <windows.h>

// Runs the dialog owned by window; returns when it is closed.
void RunSettingsDialog(HWND window);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
// Sets every control from the stored settings; edit 102 is left alone.
void FillSettingsDialog(HWND dialog);
// Takes every control over into the stored settings (the OK button).
void ApplySettingsDialog(HWND dialog);
