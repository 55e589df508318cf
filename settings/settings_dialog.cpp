#include "settings/settings_dialog.h"
// Interim: the settings dialog is not wired yet.
void RunSettingsDialog(HWND) {}
