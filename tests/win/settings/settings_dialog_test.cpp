// The settings dialog driven through command 41: fill, apply, cancel,
// registering extensions, choosing the program, and the status bar after it.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/app_state.h"
#include "settings_dialog_util.h"

namespace {

std::string ListItem(HWND dialog, int index) {
  char text[64] = {};
  SendDlgItemMessageA(dialog, IDC_SET_FILETYPE, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

int ListCount(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_SET_FILETYPE, CB_GETCOUNT, 0, 0));
}

std::string StatusText(int part) {
  char text[300] = {};
  SendMessageA(g_statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

// Every field of the dialog changed by hand.
void EditEverything(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_SET_FILETYPE, "dxf");
  SetDlgItemTextA(dialog, IDC_SET_PROGRAM, "C:\\hand\\edit.exe");
  SetDlgItemTextA(dialog, IDC_SET_OPTION1, "/hand1");
  SetDlgItemTextA(dialog, IDC_SET_OPTION2, "/hand2");
  SetDlgItemTextA(dialog, IDC_SET_OFF_TIM, "999");
  SetDlgItemTextA(dialog, IDC_SET_OFF_SIZE, "888");
  CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_CHECKED);
  CheckRadioButton(dialog, IDC_SET_END_WINDOWS, IDC_SET_END_TERMINATE, IDC_SET_END_TERMINATE);
}

const std::initializer_list<const char*> kStored = {
    "filetypemax=3", "file_type0=dwg", "file_type1=", "file_type2=dxf", "fileselect=0",
    "f=d:\\図面", "p=C:\\ソフト\\表示.exe", "op_m1=/p ", "op_m2= /q",
    "off_mode=0", "off_tim=-30", "apri_end=0", "off_size=1000"};

}  // namespace

using SettingsFill = SettingsDialogTest;

TEST_F(SettingsFill, ControlsShowTheStoredSettingsAndListStopsAtFirstEmptyEntry) {
  StartWith({"filetypemax=3", "file_type0=dwg", "file_type1=", "file_type2=dxf", "fileselect=2",
             "p=C:\\ソフト\\表示.exe", "op_m1=/p ", "op_m2= /q", "off_mode=7", "off_tim=-30",
             "apri_end=1", "off_size=1000"});
  RunDialog([&](HWND dialog) {
    ASSERT_EQ(ListCount(dialog), 1);  // entry 1 is empty, so dxf is not listed
    EXPECT_EQ(ListItem(dialog, 0), "dwg");
    EXPECT_EQ(Text(dialog, IDC_SET_FILETYPE), "dxf");  // still the selection's text
    EXPECT_EQ(Text(dialog, IDC_SET_NEWTYPE), "txt");
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), "C:\\ソフト\\表示.exe");
    EXPECT_EQ(Text(dialog, IDC_SET_OPTION1), "/p ");
    EXPECT_EQ(Text(dialog, IDC_SET_OPTION2), " /q");
    EXPECT_TRUE(Checked(dialog, IDC_SET_FORCE_END));
    EXPECT_EQ(Text(dialog, IDC_SET_OFF_TIM), "-30");
    EXPECT_EQ(Text(dialog, IDC_SET_OFF_SIZE), "1000");
    EXPECT_FALSE(Checked(dialog, IDC_SET_END_WINDOWS));
    EXPECT_TRUE(Checked(dialog, IDC_SET_END_TERMINATE));
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
}

TEST_F(SettingsFill, NoExtensionsGiveAnEmptyListAndOkKeepsSelectionZero) {
  StartApp();
  RunDialog([&](HWND dialog) {
    EXPECT_EQ(ListCount(dialog), 0);
    EXPECT_EQ(Text(dialog, IDC_SET_FILETYPE), "");
    EXPECT_FALSE(Checked(dialog, IDC_SET_FORCE_END));
    EXPECT_TRUE(Checked(dialog, IDC_SET_END_WINDOWS));
    EXPECT_FALSE(Checked(dialog, IDC_SET_END_TERMINATE));
    EXPECT_EQ(Text(dialog, IDC_SET_OFF_TIM), "0");
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(g_settings.fileselect, 0);
  EXPECT_EQ(g_settings.filetypemax, 0);
}

using SettingsApply = SettingsDialogTest;

TEST_F(SettingsApply, OkWithoutChangesKeepsEveryField) {
  StartWith(kStored);
  Settings before = Stored();
  RunDialog([&](HWND dialog) { Click(dialog, IDC_SET_OK); });
  EXPECT_EQ(std::memcmp(&before, &g_settings, sizeof before), 0);
}

TEST_F(SettingsApply, OkTakesEveryFieldWithItsByteLimit) {
  StartWith(kStored);
  std::string japanese;
  for (int i = 0; i < 40; ++i) japanese += "表";  // 80 bytes, 0x95 0x5C each
  RunDialog([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SET_FILETYPE, "dxf");
    SetDlgItemTextA(dialog, IDC_SET_PROGRAM, std::string(300, 'a').c_str());
    SetDlgItemTextA(dialog, IDC_SET_OPTION1, std::string(100, 'b').c_str());
    SetDlgItemTextA(dialog, IDC_SET_OPTION2, japanese.c_str());
    CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_SET_OFF_TIM, "12abc");
    SetDlgItemTextA(dialog, IDC_SET_OFF_SIZE, "");
    CheckRadioButton(dialog, IDC_SET_END_WINDOWS, IDC_SET_END_TERMINATE, IDC_SET_END_TERMINATE);
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(g_settings.fileselect, 2);
  EXPECT_EQ(std::string(g_settings.p), std::string(255, 'a'));
  EXPECT_EQ(std::string(g_settings.op_m1), std::string(63, 'b'));
  // 63 bytes would cut the 32nd character in two; 31 whole ones stay.
  EXPECT_EQ(std::string(g_settings.op_m2), japanese.substr(0, 62));
  EXPECT_EQ(g_settings.off_mode, 1);
  EXPECT_EQ(g_settings.off_tim, 12);
  EXPECT_EQ(g_settings.off_size, 0);
  EXPECT_EQ(g_settings.apri_end, 1);
  EXPECT_STREQ(g_settings.f, "d:\\図面");  // the dialog never shows the current folder

  RunDialog([&](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), std::string(255, 'a'));  // shown again whole
    SetDlgItemTextA(dialog, IDC_SET_OFF_TIM, "-5");
    SetDlgItemTextA(dialog, IDC_SET_OFF_SIZE, (std::string(15, '0') + "42").c_str());  // 15 bytes read
    CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_SET_END_WINDOWS, IDC_SET_END_TERMINATE, IDC_SET_END_WINDOWS);
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(g_settings.off_tim, -5);
  EXPECT_EQ(g_settings.off_size, 0);
  EXPECT_EQ(g_settings.off_mode, 0);
  EXPECT_EQ(g_settings.apri_end, 0);

  RunDialog([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SET_OFF_TIM, " +45s");
    SetDlgItemTextA(dialog, IDC_SET_OFF_SIZE, "abc");
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(g_settings.off_tim, 45);
  EXPECT_EQ(g_settings.off_size, 0);

  CloseApp();
  std::string saved = ReadFileBytes(dir + "\\plimsar.ini");
  EXPECT_NE(saved.find("\r\np=" + std::string(255, 'a') + "\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\noff_tim=45\r\napri_end=0\r\n"), std::string::npos);
}

TEST_F(SettingsApply, ComboTextSelectsTheEqualEntryByItsFirstSevenBytes) {
  StartWith({"filetypemax=4", "file_type0=dwg", "file_type1=DWG", "file_type2=dxf", "file_type3=abcdefg",
             "fileselect=2"});
  struct Case {
    const char* text;
    int32_t selected;
  };
  const Case cases[] = {
      {"DWG", 1},          // case-sensitive
      {"abcdefgXYZ", 3},   // compared by its first 7 bytes
      {"dx", 0},           // a shorter text is not equal
      {"dxf ", 0},         // nor a longer one
      {"zzz", 0},          // unregistered: entry 0, and not registered
      {"dxf", 2},
  };
  for (const Case& c : cases) {
    RunDialog([&](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_SET_FILETYPE, c.text);
      Click(dialog, IDC_SET_OK);
    });
    EXPECT_EQ(g_settings.fileselect, c.selected) << c.text;
    EXPECT_EQ(g_settings.filetypemax, 4) << c.text;
  }
}

TEST_F(SettingsApply, CancelCloseBoxEnterAndEscapeApplyNothing) {
  StartWith(kStored);
  Settings before = Stored();
  RunDialog([&](HWND dialog) {
    EditEverything(dialog);
    // Escape and Enter reach the dialog as IDCANCEL and IDOK: both are ignored.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(std::memcmp(&before, &g_settings, sizeof before), 0);
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), "C:\\hand\\edit.exe");
    Click(dialog, IDC_SET_CANCEL);
  });
  EXPECT_EQ(std::memcmp(&before, &g_settings, sizeof before), 0);

  RunDialog([&](HWND dialog) {
    EditEverything(dialog);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(std::memcmp(&before, &g_settings, sizeof before), 0);
}

using SettingsRegister = SettingsDialogTest;

TEST_F(SettingsRegister, DuplicateWarnsCaseMattersAndEmptyDoesNothing) {
  StartWith({"filetypemax=1", "file_type0=dwg"});
  RunDialog([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "");
    Click(dialog, IDC_SET_REGISTER);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(g_settings.filetypemax, 1);

    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "dwg");
    Click(dialog, IDC_SET_REGISTER);
    ExpectBoxes(1, dialog, "すでに登録済みの文字です。", "残念！", MB_OK);
    EXPECT_EQ(g_settings.filetypemax, 1);
    EXPECT_EQ(ListCount(dialog), 1);

    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "DWG");
    Click(dialog, IDC_SET_REGISTER);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(g_settings.filetypemax, 2);
    EXPECT_STREQ(g_settings.file_type[1], "DWG");
    ASSERT_EQ(ListCount(dialog), 2);
    EXPECT_EQ(ListItem(dialog, 1), "DWG");

    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "abcdefghij");
    Click(dialog, IDC_SET_REGISTER);
    EXPECT_STREQ(g_settings.file_type[2], "abcdefg");  // the first 7 bytes
    Click(dialog, IDC_SET_CANCEL);
  });
  EXPECT_EQ(g_settings.filetypemax, 3);  // registration stands after Cancel
  CloseApp();
  std::string saved = ReadFileBytes(dir + "\\plimsar.ini");
  EXPECT_EQ(saved.rfind("filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=DWG\r\nfile_type2=abcdefg\r\n", 0), 0u);
}

TEST_F(SettingsRegister, RefillDiscardsHandEditsButKeepsTheNewExtensionText) {
  StartWith(kStored);
  RunDialog([&](HWND dialog) {
    EditEverything(dialog);
    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "jww");
    Click(dialog, IDC_SET_REGISTER);
    EXPECT_EQ(Text(dialog, IDC_SET_NEWTYPE), "jww");
    EXPECT_EQ(Text(dialog, IDC_SET_FILETYPE), "dwg");
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), "C:\\ソフト\\表示.exe");
    EXPECT_EQ(Text(dialog, IDC_SET_OPTION1), "/p ");
    EXPECT_EQ(Text(dialog, IDC_SET_OPTION2), " /q");
    EXPECT_EQ(Text(dialog, IDC_SET_OFF_TIM), "-30");
    EXPECT_EQ(Text(dialog, IDC_SET_OFF_SIZE), "1000");
    EXPECT_FALSE(Checked(dialog, IDC_SET_FORCE_END));
    EXPECT_TRUE(Checked(dialog, IDC_SET_END_WINDOWS));
    EXPECT_FALSE(Checked(dialog, IDC_SET_END_TERMINATE));
    // The list still stops at the empty entry 1, so jww (entry 3) is not listed.
    EXPECT_EQ(ListCount(dialog), 1);
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(g_settings.filetypemax, 4);
  EXPECT_STREQ(g_settings.file_type[3], "jww");
  EXPECT_STREQ(g_settings.p, "C:\\ソフト\\表示.exe");
  EXPECT_EQ(g_settings.off_tim, -30);
}

TEST_F(SettingsRegister, FullTableIgnoresNewExtensionsButStillWarnsOfDuplicates) {
  std::string lines = "filetypemax=64\r\n";
  for (int i = 0; i < 64; ++i) lines += "file_type" + std::to_string(i) + "=t" + std::to_string(i) + "\r\n";
  WriteFileBytes(dir + "\\plimsar.ini", lines);
  StartApp();
  RunDialog([&](HWND dialog) {
    EXPECT_EQ(ListCount(dialog), 64);
    SetDlgItemTextA(dialog, IDC_SET_PROGRAM, "hand edit");
    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "new");
    Click(dialog, IDC_SET_REGISTER);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(g_settings.filetypemax, 64);
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), "hand edit");  // no refill either

    SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, "t63");
    Click(dialog, IDC_SET_REGISTER);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "すでに登録済みの文字です。");
    EXPECT_EQ(Boxes()[0].owner, dialog);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(g_settings.filetypemax, 64);
}

using SettingsBrowse = SettingsDialogTest;

TEST_F(SettingsBrowse, ChosenProgramIsStoredAtOnceAndSurvivesCancel) {
  StartWith(kStored);
  int calls = 0;
  OnOpenFile([&](OPENFILENAMEA* ofn) -> BOOL {
    ++calls;
    EXPECT_EQ(ofn->lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_NE(ofn->hwndOwner, nullptr);
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(ofn->hwndOwner, IDC_SET_BROWSE)), IDC_SET_BROWSE);
    EXPECT_STREQ(ofn->lpstrTitle, "PalyFileの在処を指定");
    const char filter[] = "PalyFile(*.exe)\0*.exe\0ALLFile(*.*)\0*.*\0";
    EXPECT_EQ(std::memcmp(ofn->lpstrFilter, filter, sizeof filter), 0);
    EXPECT_EQ(ofn->nFilterIndex, 1u);
    EXPECT_EQ(ofn->nMaxFile, 256u);
    EXPECT_STREQ(ofn->lpstrFile, "C:\\ソフト\\表示.exe");
    EXPECT_EQ(ofn->Flags, static_cast<DWORD>(OFN_HIDEREADONLY));
    EXPECT_EQ(ofn->lpstrInitialDir, nullptr);
    EXPECT_EQ(ofn->lpstrCustomFilter, nullptr);
    EXPECT_EQ(ofn->lpstrFileTitle, nullptr);
    std::strcpy(ofn->lpstrFile, "D:\\ツール\\viewer.exe");
    return TRUE;
  });
  RunDialog([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SET_OPTION1, "/hand");
    Click(dialog, IDC_SET_BROWSE);
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), "D:\\ツール\\viewer.exe");
    EXPECT_STREQ(g_settings.p, "D:\\ツール\\viewer.exe");
    EXPECT_EQ(Text(dialog, IDC_SET_OPTION1), "/hand");  // browsing refills nothing else
    Click(dialog, IDC_SET_CANCEL);
  });
  EXPECT_EQ(calls, 1);
  EXPECT_STREQ(g_settings.p, "D:\\ツール\\viewer.exe");
  EXPECT_STREQ(g_settings.op_m1, "/p ");
  CloseApp();
  std::string saved = ReadFileBytes(dir + "\\plimsar.ini");
  EXPECT_NE(saved.find("\r\np=D:\\ツール\\viewer.exe\r\n"), std::string::npos);
}

TEST_F(SettingsBrowse, CancelledOpenFileDialogChangesNothing) {
  StartWith(kStored);
  OnOpenFile([&](OPENFILENAMEA* ofn) -> BOOL {
    std::strcpy(ofn->lpstrFile, "C:\\not\\chosen.exe");  // left in the buffer, then cancelled
    return FALSE;
  });
  RunDialog([&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SET_PROGRAM, "hand edit");
    Click(dialog, IDC_SET_BROWSE);
    EXPECT_EQ(Text(dialog, IDC_SET_PROGRAM), "hand edit");
    EXPECT_STREQ(g_settings.p, "C:\\ソフト\\表示.exe");
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_STREQ(g_settings.p, "C:\\ソフト\\表示.exe");
}

using SettingsStatus = SettingsDialogTest;

TEST_F(SettingsStatus, StatusBarFollowsForcedTerminationBeforeAnyRun) {
  StartApp();
  EXPECT_EQ(StatusText(1), "ﾀｲﾏｰOFF");
  RunDialog([&](HWND dialog) {
    CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_CHECKED);
    SetDlgItemTextA(dialog, IDC_SET_OFF_TIM, "90");
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(StatusText(1), "0分0秒");  // no job yet, so no limit worked out
  RunDialog([&](HWND dialog) {
    CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_UNCHECKED);
    Click(dialog, IDC_SET_OK);
  });
  EXPECT_EQ(StatusText(1), "ﾀｲﾏｰOFF");
}
