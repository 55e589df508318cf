#include "settings/settings_file.h"

#include <string>

#include "common/app_state.h"
#include "common/modal.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

// The new file is written under a name of the tool's own, then takes the old
// one's place; a save killed in between leaves only this name behind, which
// the next start removes.
constexpr char kNewFileName[] = "plimsar.ini.new";

// Attributes a new file may be created with: the ones a user sets on the old file.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

void ShowFileError(HWND owner) { ShowMessage(owner, "ﾌｧｲﾙが開けません", "ﾌｧｲﾙｴﾗｰ", MB_ICONWARNING | MB_OK); }

bool WriteAll(HANDLE file, const std::string& text) {
  DWORD written = 0;
  return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size() &&
         FlushFileBuffers(file);
}

// Overwrites the settings file itself, which keeps its attributes.
bool WriteInPlace(const std::string& text) {
  HANDLE file = CreateFileA(kSettingsFileName, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, text) && SetEndOfFile(file);
  CloseHandle(file);
  return ok;
}

}  // namespace

void LoadSettings(HWND owner) {
  DeleteFileA(kNewFileName);
  // Read into a copy: the lock is held only to store it, never across the
  // warning's modal loop, whose handlers may take it themselves.
  Settings loaded;
  ResetSettings(loaded);
  HANDLE file = CreateFileA(kSettingsFileName, GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  bool opened = file != INVALID_HANDLE_VALUE;
  if (opened) {
    SettingsTextReader reader(loaded);
    char chunk[288];
    DWORD got = 0;
    // A failed read counts as the end of the file; lines applied so far stay.
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) reader.Feed(chunk, got);
    reader.Finish();
    CloseHandle(file);
  }
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    g_settings = loaded;
  }
  if (!opened) ShowFileError(owner);
}

void SaveSettings(HWND owner) {
  SetCurrentDirectoryA(g_startupDir);
  std::string text;
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    text = FormatSettings(g_settings);
  }
  DWORD attributes = GetFileAttributesA(kSettingsFileName);
  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = 0;
  // Windows refuses to replace a read-only file; some file systems would not,
  // so a read-only settings file is never overwritten.
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    ShowFileError(owner);
    return;
  }
  DWORD kept = attributes & kKeptAttributes;
  DeleteFileA(kNewFileName);
  HANDLE file = CreateFileA(kNewFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            (kept ? kept : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  bool ok;
  if (file == INVALID_HANDLE_VALUE) {
    // No new file can be made beside it: the old one is still written.
    ok = WriteInPlace(text);
  } else {
    ok = WriteAll(file, text);
    CloseHandle(file);
    ok = ok && MoveFileExA(kNewFileName, kSettingsFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(kNewFileName);
  }
  if (!ok) ShowFileError(owner);
}
