// The settings dialog and the settings file with real windows and files. The dialog's form rules (registering
// case-sensitively, a full table of extensions) and the file's codec are tested natively.
#include <cstring>
#include <tuple>

#include "harness.h"
#include "resource.h"
#include "settings/settings.h"

static std::string Text(HWND window) {
  char text[300] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The dialog as its template builds it, filled from the settings, and so again after Cancel and the close box,
// which take no control over; OK takes every control over. An extension registered stays registered even so;
// one registered already is refused with a box. A program chosen by browsing is shown and stored at once, and Cancel
// keeps it; one longer than 255 bytes comes back filling the whole buffer, unterminated, and leaves p as it was.
TEST_F(AppTest, DialogShowsTheSettingsAndOnlyOkTakesTheControlsOver) {
  WriteFileBytes(dir + "\\plimsar.ini",
                 "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfileselect=2\r\n"
                 "p=C:\\ソフト\\表示.exe\r\nop_m1=/p \r\nop_m2= /q\r\noff_mode=1\r\noff_tim=-30\r\napri_end=1\r\n");
  StartApp();
  const std::string program = "C:\\ソフト\\表示.exe", longest = "C:\\" + std::string(252, 'a');  // 255 bytes
  // In creation order: id, text, style beyond WS_CHILD | WS_VISIBLE, x, y, width and height in dialog units, then
  // the text typed before the dialog is left. An edit shows WS_BORDER as a client edge, a combo box hands
  // WS_VSCROLL to its list, and only the checked radio button keeps WS_TABSTOP; a combo box's height is its
  // list's reach.
  const std::tuple<int, const char*, DWORD, RECT, const char*> controls[] = {
      {117, "OK", BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, {56, 160, 32, 16}, nullptr},
      {118, "ｷｬﾝｾﾙ", BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, {92, 160, 32, 16}, nullptr},
      {119, "ﾍﾙﾌﾟ", BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, {128, 160, 32, 16}, nullptr},
      {164, "dxf", CBS_DROPDOWN | WS_TABSTOP, {4, 16, 68, 52}, "dwg"},
      {-1, "ファイルの種類", SS_LEFT, {4, 8, 48, 8}, nullptr},
      {102, "txt", WS_BORDER | WS_TABSTOP, {80, 16, 68, 12}, "jww"},
      {114, "新規登録", BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, {152, 16, 32, 12}, nullptr},
      {101, "", WS_BORDER | WS_TABSTOP, {4, 44, 216, 12}, "D:\\表\\v.exe"},
      {103, "起動ファイル", SS_LEFT, {4, 36, 44, 8}, nullptr},
      {104, "参照", BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, {188, 32, 32, 12}, nullptr},
      {105, "/p ", WS_BORDER | WS_TABSTOP, {4, 68, 84, 12}, "/a"},
      {106, "オプションの指定", SS_LEFT, {4, 60, 52, 8}, nullptr},
      {107, " /q", WS_BORDER | WS_TABSTOP, {136, 68, 84, 12}, "/b"},
      {108, "選択ファイル名", SS_LEFTNOWORDWRAP, {88, 70, 44, 8}, nullptr},
      {121, "１動作を強制的に終了させる設定内容", BS_GROUPBOX | WS_GROUP, {4, 88, 216, 68}, nullptr},
      {112, "時間の設定", SS_LEFT, {76, 100, 36, 8}, nullptr},
      {111, "-30", WS_BORDER | WS_TABSTOP, {76, 108, 40, 12}, "45"},
      {120, "起動したアプリを強制終了方法", BS_GROUPBOX | WS_GROUP, {8, 124, 208, 28}, nullptr},
      {115, "EnumWindows→5秒→TerminateProcess", BS_AUTORADIOBUTTON, {12, 136, 136, 8}, nullptr},
      {116, "TerminateProcess", BS_AUTORADIOBUTTON | WS_TABSTOP, {152, 136, 56, 8}, nullptr},
      {113, "）sec", SS_LEFT, {188, 108, 16, 8}, nullptr},
      {110, "強制終了させる", BS_AUTOCHECKBOX | WS_TABSTOP, {12, 100, 60, 8}, nullptr},
      {109, "＋（サイズ÷", SS_LEFT, {118, 108, 42, 8}, nullptr},
      {123, "0", WS_BORDER | WS_TABSTOP, {156, 108, 32, 12}, "7"},
      {125, "1sec分のサイズ", SS_LEFT, {148, 100, 52, 8}, nullptr},
  };
  for (int way : {IDC_SET_CANCEL, 0, IDC_SET_OK}) {  // 0: the close box
    OnDialog([&](HWND dialog, int) {
      EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_SET_FORCE_END));
      const std::string shownProgram = way == IDC_SET_CANCEL ? program : longest;  // browsed in the first dialog
      HWND child = GetWindow(dialog, GW_CHILD);
      for (const auto& [id, text, style, box, typed] : controls) {
        RECT want = box, got;
        MapDialogRect(dialog, &want);
        GetWindowRect(child, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        LONG height = id == 164 ? want.bottom : got.bottom - got.top;
        DWORD shown = GetWindowLongA(child, GWL_STYLE);
        if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) shown |= WS_BORDER;
        // One check of the whole line, so that a failure shows which of its parts differs.
        EXPECT_EQ(std::make_tuple(LOWORD(GetDlgCtrlID(child)), Text(child), shown, got.left, got.top,
                                  got.right - got.left, height),
                  std::make_tuple(LOWORD(id), id == 101 ? shownProgram : text, WS_CHILD | WS_VISIBLE | style, want.left,
                                  want.top, want.right, want.bottom));
        if (typed) SetWindowTextA(child, typed);
        child = GetWindow(child, GW_HWNDNEXT);
      }
      EXPECT_EQ(child, nullptr);
      for (const std::string& path : way == IDC_SET_CANCEL ? Texts{longest + "a", longest} : Texts{}) {
        OnOpenFile([&](OPENFILENAMEA* ofn) {
          EXPECT_TRUE(SettingsLockFree());
          std::memcpy(ofn->lpstrFile, path.c_str(), std::min<size_t>(path.size() + 1, ofn->nMaxFile));
          return TRUE;
        });
        SendMessageA(dialog, WM_COMMAND, IDC_SET_BROWSE, 0);
        EXPECT_EQ(g_settings.p, path == longest ? longest : program);
      }
      EXPECT_EQ(Text(GetDlgItem(dialog, IDC_SET_PROGRAM)), way == IDC_SET_CANCEL ? longest : "D:\\表\\v.exe");
      CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_UNCHECKED);
      CheckRadioButton(dialog, IDC_SET_END_WINDOWS, IDC_SET_END_TERMINATE, IDC_SET_END_WINDOWS);
      ClearBoxes();
      SendMessageA(dialog, WM_COMMAND, IDC_SET_REGISTER, 0);  // jww is new only the first time
      EXPECT_EQ(Boxes(), way == IDC_SET_CANCEL ? Texts{} : Texts{"すでに登録済みの文字です。|残念！|0|#32770"});
      SendMessageA(dialog, way ? WM_COMMAND : WM_CLOSE, way, 0);
    });
    Command(IDM_SETTINGS);
  }
  CloseApp();
  EXPECT_EQ(
      ReadFileBytes(dir + "\\plimsar.ini"),
      "filetypemax=4\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfile_type3=jww\r\nfileselect=0\r\n"
      "f=c:\\\r\np=D:\\表\\v.exe\r\nop_m1=/a\r\nop_m2=/b\r\noff_mode=0\r\noff_tim=45\r\napri_end=0\r\noff_size=7\r\n");
}

// Saving replaces plimsar.ini whole through plimsar.ini.new and keeps its attributes; where that name cannot be
// made (here a folder holds it) the file is written in place. A read-only file or one that cannot be written is
// kept whole, with a warning. A start removes a plimsar.ini.new left behind, and the warning of a file that cannot
// be read comes without the settings lock held.
TEST_F(AppTest, SaveReplacesTheFileWholeAndLeavesNothingBehind) {
  const std::string warning = "ﾌｧｲﾙが開けません|ﾌｧｲﾙｴﾗｰ|48|", old = "off_tim=9\r\n";  // then the owner
  // The old file's attributes (0: none); whether a folder takes the new name; the file held open while the tool
  // starts (1) or saves (2); then whether the save lands, and the boxes shown.
  const std::tuple<DWORD, bool, int, bool, Texts> cases[] = {
      {FILE_ATTRIBUTE_HIDDEN, false, 0, true, {}},            // replaced, still hidden
      {0, true, 0, true, {}},                                 // written in place
      {0, true, 2, false, {warning}},                         // neither possible
      {0, false, 2, false, {warning}},                        // not replaceable
      {FILE_ATTRIBUTE_READONLY, false, 0, false, {warning}},  // never written
      {0, false, 1, true, {warning + "main"}},                // unreadable at the start
  };
  for (const auto& [attributes, taken, held, landed, shown] : cases) {
    SCOPED_TRACE(testing::Message() << attributes << " " << taken << " " << held);
    dir = MakeTempDir("save");
    const std::string ini = dir + "\\plimsar.ini";
    WriteFileBytes(ini, old);
    WriteFileBytes(ini + ".new", "left by a save killed half-way");
    SetFileAttributesA(ini.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    HANDLE file = held == 1 ? CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    StartApp();
    CloseHandle(file);
    EXPECT_FALSE(FileExists(ini + ".new"));
    if (taken) CreateDirectoryA((ini + ".new").c_str(), nullptr);
    g_settings.off_tim = 77;
    file = held == 2 ? CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    CloseApp();
    CloseHandle(file);
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & 7, attributes & 7);            // read-only, hidden, system
    EXPECT_EQ(ReadFileBytes(ini), landed ? FormatSettings(g_settings) : old);  // the text is pinned natively
    EXPECT_EQ(GetFileAttributesA((ini + ".new").c_str()), taken ? FILE_ATTRIBUTE_DIRECTORY : INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Boxes(), shown);
    ClearBoxes();
  }
}
