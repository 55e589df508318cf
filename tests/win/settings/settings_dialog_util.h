// Shared helpers of the settings dialog tests.
#pragma once
#include <windows.h>

#include <string>

#include "harness.h"
#include "resource.h"
#include "settings/settings.h"

// A press of a push button, as the dialog manager sends it.
inline void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline std::string Text(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

inline bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Runs the settings dialog (command 41) with driver acting inside it; fails
// the test unless the driver ran exactly once, on dialog 2.
class SettingsDialogTest : public AppTest {
 protected:
  template <typename Driver>
  void RunDialog(Driver driver) {
    int runs = 0;
    OnDialog([&](HWND dialog, int templateId) {
      ++runs;
      EXPECT_EQ(templateId, IDD_SETTINGS);
      driver(dialog);
      if (IsWindowVisible(dialog)) {
        ADD_FAILURE() << "the driver left the dialog open";
        EndDialog(dialog, 1);
      }
    });
    Command(IDM_SETTINGS);
    EXPECT_EQ(runs, 1);
  }

  // Starts the tool with a settings file of these lines (CR LF appended).
  void StartWith(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    WriteFileBytes(dir + "\\plimsar.ini", text);
    StartApp();
  }

  Settings Stored() { return g_settings; }  // only the main thread writes it here
};
