#include "runner/status_texts.h"

#include <windows.h>
#include <commctrl.h>

#include <mutex>

#include "common/app_state.h"
#include "runner/job_table.h"
#include "runner/status_format.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

void UpdateStatusTexts() {
  if (!g_statusBar) return;
  char folder[kPathSize];
  int32_t offMode;
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    memcpy(folder, g_settings.f, sizeof folder);
    offMode = g_settings.off_mode;
  }
  folder[kPathSize - 1] = '\0';
  char limit[kLimitTextSize];
  FormatLimitText(offMode, g_run.limitSeconds, limit, sizeof limit);
  SendMessageA(g_statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(folder));
  SendMessageA(g_statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(limit));
  SendMessageA(g_statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(RunStateText(g_run.running)));
}
