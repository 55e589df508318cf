// The settings dialog and the settings file with real windows and files. The
// dialog's form rules and the file's codec are tested natively.
#include <cstring>
#include <future>

#include "common/modal.h"
#include "harness.h"
#include "resource.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

void Click(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))); }
std::string Text(HWND window) { char text[300] = {}; return GetWindowTextA(window, text, sizeof text), text; }
// Whether another thread could take the settings lock now.
bool LockFree() { return std::async(std::launch::async, [] { return SettingsMutex().try_lock() && (SettingsMutex().unlock(), true); }).get(); }

}  // namespace

using SettingsTest = AppTest;

// The dialog as its template builds it, filled from the settings, and so again after Cancel, the close
// box, Enter and Escape, which change nothing; OK takes every control over. An extension registered
// stays registered even so; a duplicate is refused with a box.
TEST_F(SettingsTest, DialogShowsTheSettingsAndOnlyOkTakesTheControlsOver) {
  WriteFileBytes(dir + "\\plimsar.ini", "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfileselect=2\r\nf=d:\\図面\r\n"
                 "p=C:\\ソフト\\表示.exe\r\nop_m1=/p \r\nop_m2= /q\r\noff_mode=1\r\noff_tim=-30\r\napri_end=1\r\noff_size=1000\r\n"), StartApp();
  const DWORD push = BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, edit = WS_BORDER | WS_TABSTOP, group = BS_GROUPBOX | WS_GROUP, label = SS_LEFT;
  // In creation order: id, text, style beyond WS_CHILD | WS_VISIBLE, and x, y, width, height in dialog
  // units. An edit shows WS_BORDER as a client edge, a combo box hands WS_VSCROLL to its list, and only
  // the checked radio button keeps WS_TABSTOP; a combo box's height is its list's reach.
  struct Control { int id; const char* text; DWORD style; RECT box; } controls[] = {
      {117, "OK", push, {56, 160, 32, 16}}, {118, "ｷｬﾝｾﾙ", push, {92, 160, 32, 16}}, {119, "ﾍﾙﾌﾟ", push, {128, 160, 32, 16}},
      {164, "dxf", CBS_DROPDOWN | WS_TABSTOP, {4, 16, 68, 52}}, {-1, "ファイルの種類", label, {4, 8, 48, 8}}, {102, "txt", edit, {80, 16, 68, 12}},
      {114, "新規登録", push, {152, 16, 32, 12}}, {101, "C:\\ソフト\\表示.exe", edit, {4, 44, 216, 12}}, {103, "起動ファイル", label, {4, 36, 44, 8}},
      {104, "参照", push, {188, 32, 32, 12}}, {105, "/p ", edit, {4, 68, 84, 12}}, {106, "オプションの指定", label, {4, 60, 52, 8}},
      {107, " /q", edit, {136, 68, 84, 12}}, {108, "選択ファイル名", SS_LEFTNOWORDWRAP, {88, 70, 44, 8}}, {121, "１動作を強制的に終了させる設定内容", group, {4, 88, 216, 68}},
      {112, "時間の設定", label, {76, 100, 36, 8}}, {111, "-30", edit, {76, 108, 40, 12}}, {120, "起動したアプリを強制終了方法", group, {8, 124, 208, 28}},
      {115, "EnumWindows→5秒→TerminateProcess", BS_AUTORADIOBUTTON, {12, 136, 136, 8}}, {116, "TerminateProcess", BS_AUTORADIOBUTTON | WS_TABSTOP, {152, 136, 56, 8}},
      {113, "）sec", label, {188, 108, 16, 8}}, {110, "強制終了させる", BS_AUTOCHECKBOX | WS_TABSTOP, {12, 100, 60, 8}}, {109, "＋（サイズ÷", label, {118, 108, 42, 8}},
      {123, "1000", edit, {156, 108, 32, 12}}, {125, "1sec分のサイズ", label, {148, 100, 52, 8}}};
  const std::pair<int, const char*> typed[] = {{IDC_SET_FILETYPE, "dwg"}, {IDC_SET_PROGRAM, "D:\\表\\v.exe"}, {IDC_SET_OPTION1, "/a"},
                                               {IDC_SET_OPTION2, "/b"}, {IDC_SET_OFF_TIM, "45"}, {IDC_SET_OFF_SIZE, "7"}};
  for (int way : {IDC_SET_CANCEL, 0, IDC_SET_OK}) {  // 0: the close box
    OnDialog([&](HWND dialog, int) {
      RECT size = {0, 0, 222, 177}, client;
      MapDialogRect(dialog, &size), GetClientRect(dialog, &client);
      // The combo box's list stops at the first empty entry; the check box and radio buttons follow the settings.
      EXPECT_TRUE(Text(dialog) == "環境設定" && GetWindow(dialog, GW_OWNER) == main && GetFocus() == GetDlgItem(dialog, 117) && client.right == size.right &&
                  client.bottom == size.bottom && SendDlgItemMessageA(dialog, 164, CB_GETCOUNT, 0, 0) == 1 && IsDlgButtonChecked(dialog, 110) && IsDlgButtonChecked(dialog, 116));
      HWND child = GetWindow(dialog, GW_CHILD);
      for (const Control* c = controls; c != std::end(controls); ++c, child = GetWindow(child, GW_HWNDNEXT)) {
        RECT want = c->box, got;
        MapDialogRect(dialog, &want), GetWindowRect(child, &got), MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        DWORD style = GetWindowLongA(child, GWL_STYLE) | (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE ? WS_BORDER : 0);
        EXPECT_TRUE(static_cast<WORD>(GetDlgCtrlID(child)) == static_cast<WORD>(c->id) && Text(child) == c->text && style == (WS_CHILD | WS_VISIBLE | c->style) &&
                    got.left == want.left && got.top == want.top && got.right - got.left == want.right && (c->id == 164 || got.bottom - got.top == want.bottom)) << c->id;
      }
      EXPECT_EQ(child, nullptr);
      size_t boxes = Boxes().size();
      for (const char* type : {"dwg", "jww"}) SetDlgItemTextA(dialog, IDC_SET_NEWTYPE, type), Click(dialog, IDC_SET_REGISTER);
      EXPECT_TRUE(Boxes().size() - boxes == (way == IDC_SET_CANCEL ? 1u : 2u) &&  // jww is new only the first time
                  Boxes().back().owner == dialog && Boxes().back().text == "すでに登録済みの文字です。" && Boxes().back().caption == "残念！");
      for (auto& field : typed) SetDlgItemTextA(dialog, field.first, field.second);
      CheckDlgButton(dialog, IDC_SET_FORCE_END, BST_UNCHECKED), CheckRadioButton(dialog, IDC_SET_END_WINDOWS, IDC_SET_END_TERMINATE, IDC_SET_END_WINDOWS);
      Click(dialog, IDOK), Click(dialog, IDCANCEL);  // Enter and Escape
      EXPECT_TRUE(IsWindowVisible(dialog));
      way ? Click(dialog, way) : void(SendMessageA(dialog, WM_CLOSE, 0, 0));
    }), Command(IDM_SETTINGS);
  }
  CloseApp();
  EXPECT_EQ(ReadFileBytes(dir + "\\plimsar.ini"), "filetypemax=4\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfile_type3=jww\r\n"
            "fileselect=0\r\nf=d:\\図面\r\np=D:\\表\\v.exe\r\nop_m1=/a\r\nop_m2=/b\r\noff_mode=0\r\noff_tim=45\r\napri_end=0\r\noff_size=7\r\n");
}

// The program chosen by browsing is stored at once, unless the choice was cancelled or too long for
// it: a path of more than 255 bytes comes back filling the whole buffer, unterminated.
TEST_F(SettingsTest, BrowsedProgramIsStoredAtOnceUnlessTooLong) {
  StartApp();
  std::string longest = "C:\\" + std::string(252, 'a'), tooLong = "C:\\";  // 255 bytes; 277 bytes in 152 characters
  while (tooLong.size() < 253) tooLong += "表";
  const std::pair<BOOL, std::string> cases[] = {{TRUE, "D:\\ツール\\v.exe"}, {FALSE, "C:\\not.exe"}, {TRUE, tooLong + std::string(24, 'a')}, {TRUE, longest}};
  for (auto& c : cases) {
    std::string before = g_settings.p, after = c.first && c.second.size() < 256 ? c.second : before;
    OnOpenFile([&](OPENFILENAMEA* ofn) {
      EXPECT_TRUE(LockFree() && ofn->lpstrFile == before && ofn->nMaxFile == 256 && ofn->Flags == OFN_HIDEREADONLY && GetDlgItem(ofn->hwndOwner, 104) &&
                  std::string(ofn->lpstrTitle) == "PalyFileの在処を指定" && !std::memcmp(ofn->lpstrFilter, "PalyFile(*.exe)\0*.exe\0ALLFile(*.*)\0*.*\0", 40));
      return std::memcpy(ofn->lpstrFile, c.second.c_str(), std::min<size_t>(c.second.size() + 1, ofn->nMaxFile)), c.first;
    });
    OnDialog([&](HWND dialog, int) { Click(dialog, IDC_SET_BROWSE), before = Text(GetDlgItem(dialog, IDC_SET_PROGRAM)), EndDialog(dialog, 0); }), Command(IDM_SETTINGS);
    EXPECT_EQ(before + "|" + g_settings.p, after + "|" + after);  // shown, and stored at once however the dialog is left
  }
}

// Saving replaces plimsar.ini whole through plimsar.ini.new and keeps its attributes; where that name
// cannot be made (here a folder holds it) the file is written in place. A read-only file or one that
// cannot be written is kept whole, with a warning. A start removes a plimsar.ini.new left behind, and
// the warning of a file that cannot be read comes without the settings lock held.
TEST_F(SettingsTest, SaveReplacesTheFileWholeAndLeavesNothingBehind) {
  // The old file's attributes (0: none); whether a folder takes the new name; the file held open while the tool
  // starts (1) or saves (2); then whether the save lands, and the boxes shown.
  const std::string warning = "ﾌｧｲﾙが開けません|ﾌｧｲﾙｴﾗｰ|48|";
  struct Case { DWORD attributes; bool taken; int held; bool saved; std::string boxes; } cases[] = {
      {0, false, 0, true, ""}, {FILE_ATTRIBUTE_HIDDEN, false, 0, true, ""}, {0, true, 0, true, ""}, {0, true, 2, false, warning},
      {0, false, 2, false, warning}, {FILE_ATTRIBUTE_READONLY, false, 0, false, warning}, {0, false, 1, true, warning}};
  std::string boxes;
  SetModalHooks({[&](HWND, const char* text, const char* caption, UINT type) {
    return boxes += std::string(text) + "|" + caption + "|" + std::to_string(type) + (LockFree() ? "|" : "|locked"), IDOK;
  }});
  for (const Case& c : cases) {
    std::string ini = (dir = MakeTempDir("save")) + "\\plimsar.ini", old = "off_tim=9\r\n";
    WriteFileBytes(ini, old), WriteFileBytes(ini + ".new", "left by a save killed half-way"), SetFileAttributesA(ini.c_str(), c.attributes ? c.attributes : FILE_ATTRIBUTE_NORMAL);
    auto hold = [&](int when) { return c.held == when ? CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr; };
    HANDLE held = hold(1);
    StartApp(), CloseHandle(held);
    EXPECT_FALSE(FileExists(ini + ".new")) << c.attributes;
    if (c.taken) CreateDirectoryA((ini + ".new").c_str(), nullptr);
    g_settings.off_tim = 77, held = hold(2);
    CloseApp(), CloseHandle(held);
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & 7, c.attributes & 7);  // read-only, hidden, system
    EXPECT_TRUE(c.saved ? ReadFileBytes(ini).find("\r\noff_tim=77\r\n") != std::string::npos : ReadFileBytes(ini) == old);
    EXPECT_EQ(GetFileAttributesA((ini + ".new").c_str()), c.taken ? FILE_ATTRIBUTE_DIRECTORY : INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(std::exchange(boxes, ""), c.boxes) << c.attributes << c.taken << c.held;
  }
}
