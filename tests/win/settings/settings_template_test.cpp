// Dialog 2 as stored in the resources and as the dialog manager lays it out.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings_dialog_util.h"

namespace {

struct ExpectedControl {
  int id;
  const char* className;
  const char* text;
  short x, y, cx, cy;
  DWORD style;  // beyond WS_CHILD | WS_VISIBLE
};

constexpr DWORD kButton = BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP;
constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP;

const ExpectedControl kControls[] = {
    {117, "Button", "OK", 56, 160, 32, 16, kButton},
    {118, "Button", "ｷｬﾝｾﾙ", 92, 160, 32, 16, kButton},
    {119, "Button", "ﾍﾙﾌﾟ", 128, 160, 32, 16, kButton},
    {164, "ComboBox", "", 4, 16, 68, 52, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
    {-1, "Static", "ファイルの種類", 4, 8, 48, 8, SS_LEFT},
    {102, "Edit", "txt", 80, 16, 68, 12, kEdit},
    {114, "Button", "新規登録", 152, 16, 32, 12, kButton},
    {101, "Edit", "", 4, 44, 216, 12, kEdit},
    {103, "Static", "起動ファイル", 4, 36, 44, 8, SS_LEFT},
    {104, "Button", "参照", 188, 32, 32, 12, kButton},
    {105, "Edit", "", 4, 68, 84, 12, kEdit},
    {106, "Static", "オプションの指定", 4, 60, 52, 8, SS_LEFT},
    {107, "Edit", "", 136, 68, 84, 12, kEdit},
    {108, "Static", "選択ファイル名", 88, 70, 44, 8, SS_LEFTNOWORDWRAP},
    {121, "Button", "１動作を強制的に終了させる設定内容", 4, 88, 216, 68, BS_GROUPBOX | WS_GROUP},
    {112, "Static", "時間の設定", 76, 100, 36, 8, SS_LEFT},
    {111, "Edit", "", 76, 108, 40, 12, kEdit},
    {120, "Button", "起動したアプリを強制終了方法", 8, 124, 208, 28, BS_GROUPBOX | WS_GROUP},
    {115, "Button", "EnumWindows→5秒→TerminateProcess", 12, 136, 136, 8, BS_AUTORADIOBUTTON | WS_TABSTOP},
    {116, "Button", "TerminateProcess", 152, 136, 56, 8, BS_AUTORADIOBUTTON | WS_TABSTOP},
    {113, "Static", "）sec", 188, 108, 16, 8, SS_LEFT},
    {110, "Button", "強制終了させる", 12, 100, 60, 8, BS_AUTOCHECKBOX | WS_TABSTOP},
    {109, "Static", "＋（サイズ÷", 118, 108, 42, 8, SS_LEFT},
    {123, "Edit", "", 156, 108, 32, 12, kEdit},
    {125, "Static", "1sec分のサイズ", 148, 100, 52, 8, SS_LEFT},
};
constexpr size_t kControlCount = sizeof kControls / sizeof kControls[0];

// Reads a classic DLGTEMPLATE: header, then DWORD-aligned items.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : base_(data), p_(data) {}
  DWORD Dword() {
    DWORD v;
    std::memcpy(&v, p_, 4);
    p_ += 4;
    return v;
  }
  WORD Word() {
    WORD v;
    std::memcpy(&v, p_, 2);
    p_ += 2;
    return v;
  }
  short Short() { return static_cast<short>(Word()); }
  // A string or an ordinal (0xFFFF then a number), as code page 932 text.
  std::string SzOrOrd() {
    WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    std::wstring wide;
    for (WORD c = first; c != 0; c = Word()) wide += static_cast<wchar_t>(c);
    return Narrow(wide);
  }
  void AlignDword() {
    while ((p_ - base_) % 4) ++p_;
  }
  void Skip(size_t n) { p_ += n; }

 private:
  static std::string Narrow(const std::wstring& wide) {
    char out[512] = {};
    WideCharToMultiByte(932, 0, wide.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
  }
  const BYTE* base_;
  const BYTE* p_;
};

// Predefined classes may be stored by their atom.
std::string ClassName(const std::string& stored) {
  if (stored == "#128") return "Button";
  if (stored == "#129") return "Edit";
  if (stored == "#130") return "Static";
  if (stored == "#133") return "ComboBox";
  return stored;
}

}  // namespace

TEST(SettingsTemplate, ResourceHoldsTheExactTemplate) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_SETTINGS), MAKEINTRESOURCEA(5));  // RT_DIALOG
  ASSERT_NE(found, nullptr);
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(data, nullptr);
  TemplateReader r(data);
  ASSERT_NE(r.Word(), 1) << "expected a classic template";
  r = TemplateReader(data);
  EXPECT_EQ(r.Dword(), static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                          DS_SETFONT | DS_3DLOOK));
  EXPECT_EQ(r.Dword(), 0u);  // extended style
  WORD count = r.Word();
  ASSERT_EQ(count, kControlCount);
  EXPECT_EQ(r.Short(), 0);
  EXPECT_EQ(r.Short(), 0);
  EXPECT_EQ(r.Short(), 222);
  EXPECT_EQ(r.Short(), 177);
  EXPECT_EQ(r.SzOrOrd(), "");  // no menu
  EXPECT_EQ(r.SzOrOrd(), "");  // the dialog class
  EXPECT_EQ(r.SzOrOrd(), "環境設定");
  EXPECT_EQ(r.Word(), 9);
  EXPECT_EQ(r.SzOrOrd(), "ＭＳ Ｐゴシック");
  for (size_t i = 0; i < count; ++i) {
    const ExpectedControl& want = kControls[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(want.id));
    r.AlignDword();
    DWORD style = r.Dword();
    EXPECT_EQ(style, WS_CHILD | WS_VISIBLE | want.style);  // so no ES_ or CBS_AUTOHSCROLL either
    EXPECT_EQ(r.Dword(), 0u);
    EXPECT_EQ(r.Short(), want.x);
    EXPECT_EQ(r.Short(), want.y);
    EXPECT_EQ(r.Short(), want.cx);
    EXPECT_EQ(r.Short(), want.cy);
    EXPECT_EQ(r.Word(), static_cast<WORD>(want.id));
    EXPECT_EQ(lstrcmpiA(ClassName(r.SzOrOrd()).c_str(), want.className), 0);
    EXPECT_EQ(r.SzOrOrd(), want.text);
    r.Skip(r.Word());
  }
}

using SettingsLayout = SettingsDialogTest;

TEST_F(SettingsLayout, DialogManagerBuildsEveryControlInOrder) {
  StartApp();
  RunDialog([&](HWND dialog) {
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
    char text[256] = {};
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "環境設定");
    DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    const DWORD frame = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(style & frame, frame);

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");

    RECT client;
    GetClientRect(dialog, &client);
    RECT size = {0, 0, 222, 177};
    MapDialogRect(dialog, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    // The first control holds the focus at opening.
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_SET_OK));

    size_t i = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++i) {
      ASSERT_LT(i, kControlCount);
      const ExpectedControl& want = kControls[i];
      SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(want.id));
      EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), static_cast<WORD>(want.id));
      char name[64] = {};
      GetClassNameA(child, name, sizeof name);
      EXPECT_EQ(lstrcmpiA(name, want.className), 0) << name;
      GetWindowTextA(child, text, sizeof text);
      // The fill puts the stored numbers (0 by default) into the time edits.
      bool number = want.id == IDC_SET_OFF_TIM || want.id == IDC_SET_OFF_SIZE;
      EXPECT_STREQ(text, number ? "0" : want.text);
      EXPECT_TRUE(IsWindowVisible(child));

      // The dialog manager converts the origin and the size each on its own.
      RECT expected = {want.x, want.y, want.cx, want.cy};
      MapDialogRect(dialog, &expected);
      RECT actual;
      GetWindowRect(child, &actual);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
      EXPECT_EQ(actual.left, expected.left);
      EXPECT_EQ(actual.top, expected.top);
      EXPECT_EQ(actual.right - actual.left, expected.right);
      if (want.id == IDC_SET_FILETYPE) {
        // A drop-down combo shows only its field; its template height (the
        // reach of the list, which Wine reports in its own way) is checked in the stored template.
        EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & CBS_AUTOHSCROLL, 0);
      } else {
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
      }
      if (std::string(want.className) == "Edit") {
        EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & ES_AUTOHSCROLL, 0);
      }
    }
    EXPECT_EQ(i, kControlCount);
    // No button but the focused one looks like the default one.
    for (int id : {IDC_SET_CANCEL, IDC_SET_HELP, IDC_SET_REGISTER, IDC_SET_BROWSE}) {
      EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & 0xF, BS_PUSHBUTTON) << id;
    }
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
}
