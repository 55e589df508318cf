// In-process harness for the Windows tests: the real main window in the test
// process, message boxes and modal dialogs answered through the modal seam.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
  DWORD threadId;
};

// Pumps this thread's messages for ms milliseconds (WM_QUIT is swallowed).
void Pump(int ms);
// Pumps until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);

// Ids of the running processes whose program file is named exeName.
std::vector<DWORD> ProcessesNamed(const char* exeName);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A fresh empty directory under the test temp root.
std::string MakeTempDir(const std::string& name);

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes dir current, creates the main window there (loading its settings)
  // and records the start-up directory, as the entry does.
  void StartApp();
  // Destroys the main window and saves the settings, as the entry does at exit.
  void CloseApp();

  void Command(int id);  // sends WM_COMMAND to the main window

  std::vector<RecordedBox> Boxes();
  // Exactly count boxes so far, each with these owner, texts and type.
  void ExpectBoxes(size_t count, HWND owner, const char* text, const char* caption, UINT type);
  void ClearBoxes();
  // Next answers for message boxes (default IDOK).
  void QueueAnswer(int answer);
  // Drives the next modal dialogs, each inside its own modal loop.
  void OnDialog(std::function<void(HWND dialog, int templateId)> driver);
  void OnOpenFile(std::function<BOOL(OPENFILENAMEA*)> hook);
  void OnBrowse(std::function<void(BROWSEINFOA*, char*)> hook);

  std::string dir;  // this test's own directory, current while the app runs
  HWND main = nullptr;

 private:
  void InstallHooks();
  std::string savedDir_;
};
