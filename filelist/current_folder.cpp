#include "filelist/current_folder.h"

#include <cstring>
#include <mutex>

#include "settings/settings.h"
#include "settings/settings_lock.h"

void CopyCurrentFolder(char* out) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  std::memcpy(out, g_settings.f, sizeof g_settings.f);
  out[sizeof g_settings.f - 1] = '\0';
}

void SetCurrentFolder(const char* text) {
  size_t n = strnlen(text, sizeof g_settings.f - 1);
  std::lock_guard<std::mutex> lock(SettingsMutex());
  std::memset(g_settings.f, 0, sizeof g_settings.f);
  std::memcpy(g_settings.f, text, n);
}

void CopySelectedExtension(char* out) {
  std::memset(out, 0, kFileTypeSize);
  std::lock_guard<std::mutex> lock(SettingsMutex());
  const char* ext = SelectedFileType(g_settings);
  std::memcpy(out, ext, strnlen(ext, kFileTypeSize - 1));
}
