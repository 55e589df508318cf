#include "settings/settings_file.h"

#include <string>

#include "common/app_state.h"
#include "common/modal.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

void ShowFileError(HWND owner) {
  ShowMessage(owner, "ﾌｧｲﾙが開けません", "ﾌｧｲﾙｴﾗｰ", MB_ICONWARNING | MB_OK);
}

bool WriteAll(HANDLE file, const std::string& text) {
  DWORD written = 0;
  return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size() && FlushFileBuffers(file);
}

// Windows refuses to replace a read-only file; some file systems would not,
// so the check is made here and a read-only settings file is never overwritten.
bool IsReadOnly(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

void LoadSettings(HWND owner) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  ResetSettings(g_settings);
  HANDLE file = CreateFileA(kSettingsFileName, GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ShowFileError(owner);
    return;
  }
  SettingsTextReader reader(g_settings);
  char chunk[288];
  DWORD got = 0;
  // A failed read counts as the end of the file; lines applied so far stay.
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) reader.Feed(chunk, got);
  reader.Finish();
  CloseHandle(file);
}

void SaveSettings(HWND owner) {
  SetCurrentDirectoryA(g_startupDir);
  std::string text;
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    text = FormatSettings(g_settings);
  }
  char temp[MAX_PATH] = {};
  if (!GetTempFileNameA(".", "pli", 0, temp)) {
    ShowFileError(owner);
    return;
  }
  HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  if (ok) {
    ok = WriteAll(file, text);
    CloseHandle(file);
  }
  if (ok) ok = !IsReadOnly(kSettingsFileName);
  if (ok) ok = MoveFileExA(temp, kSettingsFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) {
    DeleteFileA(temp);
    ShowFileError(owner);
  }
}
