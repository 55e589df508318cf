// In-process harness of the Windows tests: the real main window in the test
// process, message boxes and modal dialogs answered through the modal seam.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// Pumps this thread's messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
// Pumps this thread's messages for ms milliseconds (WM_QUIT is swallowed).
void Pump(int ms);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The path as UTF-16, each "|" in it standing for 𠮷, a character code page 932 lacks.
std::wstring Wide(const std::string& path);
// The test program's folder, where the tool's other programs are built too, ending in "\".
std::string ProgramFolder();
// A fresh empty directory under the test temp root.
std::string MakeTempDir(const std::string& name);
// Whether another thread could take the settings lock now.
bool SettingsLockFree();
// The texts of a list view's column, row by row.
Texts ColumnTexts(HWND list, int column);
// Runs body while creating a list view on this thread fails.
void WithoutListViews(const std::function<void()>& body);

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes dir current and starts the tool there through the entry's StartTool.
  void StartApp();
  // Closes the main window as its close box does, then the entry's loop and FinishTool.
  void CloseApp();
  void Command(int id) { SendMessageA(main, WM_COMMAND, id, 0); }
  // The boxes so far as "text|caption|type|owner", the owner "main", a window class, or "" for none; "|locked"
  // follows when the settings lock was held, as no modal call may wait with it held.
  Texts Boxes();
  void ClearBoxes();
  // Holds a box owned by nothing, as the worker's are, until gate is set.
  void HoldUnownedBoxes(HANDLE gate);
  // Drive the next modal dialogs (each inside its own modal loop), open-file and browse calls.
  void OnDialog(std::function<void(HWND dialog, int templateId)> driver) { driver_ = std::move(driver); }
  void OnOpenFile(std::function<BOOL(OPENFILENAMEA*)> hook) { openFile_ = std::move(hook); }
  void OnOpenFileW(std::function<BOOL(OPENFILENAMEW*)> hook) { openFileW_ = std::move(hook); }
  void OnBrowse(std::function<void(BROWSEINFOW*, wchar_t*)> hook) { browse_ = std::move(hook); }

  std::string dir;  // this test's own directory, current while the tool runs
  HWND main = nullptr;

 private:
  static inline std::function<void(HWND, int)> driver_;
  static inline std::function<BOOL(OPENFILENAMEA*)> openFile_;
  static inline std::function<BOOL(OPENFILENAMEW*)> openFileW_;
  static inline std::function<void(BROWSEINFOW*, wchar_t*)> browse_;
};
