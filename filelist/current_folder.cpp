#include "filelist/current_folder.h"

#include <cstring>
#include <mutex>

#include "common/cp932.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

void CopyCurrentFolder(char* out) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  std::memcpy(out, g_settings.f, sizeof g_settings.f);
  out[sizeof g_settings.f - 1] = '\0';
}

void SetCurrentFolder(const char* text) {
  size_t n = strnlen(text, sizeof g_settings.f);
  std::lock_guard<std::mutex> lock(SettingsMutex());
  cp932::CopyCut(g_settings.f, sizeof g_settings.f, text, n);
}

void CopySelectedExtension(char* out) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  const char* ext = SelectedFileType(g_settings);
  cp932::CopyCut(out, kFileTypeSize, ext, strnlen(ext, kFileTypeSize));
}
