// The main window, the help commands, start-up and exit: what needs Windows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <future>

#include "app/entry.h"
#include "common/app_state.h"
#include "common/dpi.h"
#include "common/dpi_scale.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "resource.h"

using Labels = std::vector<std::pair<int, std::string>>;

// This thread's apartment type, or -1 without one.
static int Apartment() {
  APTTYPE type;
  APTTYPEQUALIFIER qualifier;
  return FAILED(CoGetApartmentType(&type, &qualifier)) ? -1 : type;
}

// Without a list the tool says so and does not start; with it, the window is
// built as below and COM lives on this thread from start-up to exit.
TEST_F(AppTest, StartsAsBuiltWithComUntilExitAndNotAtAllWithoutItsList) {
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  WithoutListViews([&] { EXPECT_EQ(StartTool(GetModuleHandleA(nullptr), SW_SHOWNORMAL), nullptr); });
  EXPECT_EQ(Boxes(), Texts{"ファイルリストが作れないため起動できません|Plimsar Ver1.02|48|"});
  EXPECT_FALSE(FileExists(dir + "\\plimsar.ini"));  // nothing read or written
  EXPECT_EQ(NextSelectedRow(-1), -1);               // without a list, every "while a row is selected" loop ends
  EXPECT_EQ(Apartment(), -1);
  StartApp();
  // The menu's labels by id, then the toolbar's buttons in order with their tooltips.
  // clang-format off
  const Labels menu = {
      {IDM_ADD_FILES, "１ファイル追加(&A)"}, {IDM_ADD_FOLDER, "フォルダ単位(&W)"},
      {IDM_ADD_SUBFOLDERS, "サブフォルダ(&G)"}, {IDM_FOLDER_PICKER, "フォルダ選択(&S)"},
      {IDM_REMOVE_SELECTED, "選択削除(&D)"}, {IDM_REMOVE_ALL, "オール削除(&C)"}, {IDM_LIST_SEARCH, "ﾘｽﾄ内検索(&L)"},
      {IDM_SELECT_ALL, "ｵｰﾙ選択(&A)"}, {IDM_DESELECT_SELECTED, "選択オールクリア(&C)"},
      {IDM_DRIVE_SEARCH, "HDD内検索(&H)"}, {IDM_RUN_ALL, "全リスト実行印刷(&A)"},
      {IDM_RUN_SELECTION, "選択実行印刷(&C)"}, {IDM_SETTINGS, "環境設定(&T)"}, {IDM_HELP, "ﾍﾙﾌﾟ(&W)"},
      {IDM_HOMEPAGE, "Tamselのホームページ(&H)"}, {IDM_ABOUT, "このソフトについて(&S)"}, {IDM_EXIT, "終了(&X)"}},
                toolbar = {
      {IDT_FOLDER_PICKER, "フォルダを選択し追加"}, {IDT_ADD_SUBFOLDERS, "サブフォルダ内も追加"},
      {IDT_ADD_FOLDER, "フォルダ単位で追加"}, {IDT_ADD_FILES, "１ファイル追加"}, {IDT_REMOVE, "リストから削除"},
      {IDT_RUN, "実行"}, {IDT_STOP, "停止"}, {IDT_HELP, "ヘルプ"}, {IDT_EXIT, "終了"}};
  // clang-format on
  Labels shown, buttons;
  char text[MAX_PATH];
  for (const auto& [id, want] : menu)
    shown.push_back({id, (GetMenuStringA(GetMenu(main), id, text, MAX_PATH, MF_BYCOMMAND), text)});
  EXPECT_EQ(shown, menu);
  for (int i = 0; i < SendMessageA(g_toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
    TBBUTTON button = {};
    SendMessageA(g_toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    NMTTDISPINFOA tip = {{nullptr, static_cast<UINT_PTR>(button.idCommand), TTN_NEEDTEXTA}};
    SendMessageA(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    buttons.push_back({button.idCommand, tip.lpszText});
  }
  EXPECT_EQ(buttons, toolbar);
  // Wine's input method keeps an apartment of its own while the window lives: the tool's outlives it.
  DestroyWindow(main);
  Pump(20);
  EXPECT_EQ(Apartment(), APTTYPE_MAINSTA);
  CloseApp();
  EXPECT_EQ(Apartment(), -1);
}

// The browser's command line as the stand-in browser saw it, and the warning
// when there is no browser: for the tool's help page (menu and toolbar), the
// homepage, and the settings dialog's help button, whose dialog stays open.
TEST_F(AppTest, HelpOpensEachPageInTheBrowserOrSaysItIsMissing) {
  const std::string browser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
  const std::string aside = browser + ".real", log = dir + "\\browser.log";
  std::string address = "file:///" + ProgramFolder() + "help/";
  std::replace(address.begin(), address.end(), '\\', '/');
  MoveFileExA(aside.c_str(), browser.c_str(), MOVEFILE_REPLACE_EXISTING);  // a run cut short left it aside
  ASSERT_TRUE(MoveFileA(browser.c_str(), aside.c_str()));                  // put back at the end
  SetEnvironmentVariableA("PLIMSAR_BROWSER_LOG", log.c_str());
  StartApp();
  int button = 0;
  OnDialog([&](HWND dialog, int) {
    SendMessageA(dialog, WM_COMMAND, button, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EndDialog(dialog, 0);
  });
  std::string lines;
  for (bool there : {true, false}) {
    // A browser still ending keeps its file a moment.
    auto removed = [&] { return DeleteFileA(browser.c_str()) || !FileExists(browser); };
    EXPECT_TRUE(there ? CopyFileA((ProgramFolder() + "standin.exe").c_str(), browser.c_str(), FALSE)
                      : PumpUntil(removed, 10000));
    for (int id : {IDM_HELP, IDT_HELP, IDM_HOMEPAGE, IDC_SET_HELP}) {
      const bool inDialog = id == IDC_SET_HELP;
      ClearBoxes();
      button = id;
      Command(inDialog ? IDM_SETTINGS : id);
      // Wine hands a program started by an unquoted path its path quoted.
      if (there) lines += "\"" + browser + "\" " + address + (inDialog ? "settings.html\n" : "plimsar.html\n");
      PumpUntil([&] { return ReadFileBytes(log) == lines; }, 10000);  // the stand-in may still be writing
      EXPECT_EQ(ReadFileBytes(log), lines);
      const std::string missing = "Internet Explorerが見つかりませんでした。|残念！|0|";
      EXPECT_EQ(Boxes(), there ? Texts{} : Texts{missing + (inDialog ? "#32770" : "main")});
    }
  }
  MoveFileExA(aside.c_str(), browser.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Window rectangle; the list's top; the column widths; the status part edges; the toolbar's and the row image's
// sizes and counts; the list's and the status bar's font heights.
static std::vector<int> Figures(HWND main) {
  RECT r, list;
  GetWindowRect(main, &r);
  GetWindowRect(g_fileList, &list);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&list), 2);
  std::vector<int> f = {r.left, r.top, r.right - r.left, r.bottom - r.top, list.top, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) f[5 + i] = static_cast<int>(SendMessageA(g_fileList, LVM_GETCOLUMNWIDTH, i, 0));
  SendMessageA(g_statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(&f[9]));
  for (auto i : {SendMessageA(g_toolbar, TB_GETIMAGELIST, 0, 0), SendMessageA(g_fileList, LVM_GETIMAGELIST, 1, 0)}) {
    f.insert(f.end(), {0, 0, ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(i))});
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(i), &f[f.size() - 3], &f[f.size() - 2]);
  }
  for (HWND control : {g_fileList, g_statusBar}) {
    LOGFONTA font = {};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    GetObjectA(handle ? handle : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    f.push_back(font.lfHeight);
  }
  return f;
}

// The main window's pixel figures in its DPI: at start-up in a process that sees 96 DPI, or 144 under the ctest
// entry win_app_dpi144, and after a WM_DPICHANGED, which takes the suggested rectangle, keeps the user's own column
// width in proportion and scales the fonts.
TEST_F(AppTest, DpiLayoutAtStartAndAfterAChange) {
  const int dpi = SystemDpi();
  // PLIMSAR_TEST_DPI is set by the entry that runs at another DPI
  ASSERT_EQ(dpi, std::getenv("PLIMSAR_TEST_DPI") ? std::atoi(std::getenv("PLIMSAR_TEST_DPI")) : 96);
  // clang-format off
  struct {
    int startDpi, newDpi, userColumn;  // userColumn: the first column's width set before the change
    RECT suggested;
    std::vector<int> want;
    bool foreign;  // sent from another thread, with a pointer that points nowhere: the window keeps its place
  } const cases[] = {
      // at the same DPI nothing moves: the layout at start-up
      {96, 96, 0, {10, 10, 500, 400},
       {212, 144, 600, 480, 40, 190, 220, 100, 60, 400, 500, 600, -1, 32, 32, 9, 12, 12, 1}},
      {144, 144, 0, {10, 10, 500, 400},
       {62, 24, 900, 720, 60, 285, 330, 150, 90, 600, 750, 900, -1, 48, 48, 9, 18, 18, 1}},
      // the user's 300 at 144 is 200 at 96 and 250 at 120; 120 DPI is as near 100 % as 150 %: the 100 % pictures
      {144, 96, 300, {}, {62, 24, 600, 480, 40, 200, 220, 100, 60, 400, 500, 600, -1, 32, 32, 9, 12, 12, 1}, true},
      {144, 120, 300, {100, 50, 850, 650},
       {100, 50, 750, 600, 50, 250, 275, 125, 75, 500, 625, 750, -1, 32, 32, 9, 12, 12, 1}},
  };
  // clang-format on
  for (const auto& c : cases) {
    if (c.startDpi != dpi) continue;
    StartApp();
    std::vector<int> want = c.want, fonts = Figures(main);
    for (size_t i = fonts.size() - 2; i < fonts.size(); ++i) want.push_back(RescaleForDpi(fonts[i], dpi, c.newDpi));
    if (c.userColumn) SendMessageA(g_fileList, LVM_SETCOLUMNWIDTH, 0, c.userColumn);
    LPARAM rect = c.foreign ? 1 : reinterpret_cast<LPARAM>(&c.suggested);
    auto send = [&] { return SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(c.newDpi, c.newDpi), rect) + 1; };
    if (!c.foreign) send();
    auto other = std::async(std::launch::async, [&] { return !c.foreign || send(); });  // answered by the pump
    PumpUntil([&] { return other.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
    EXPECT_EQ(Figures(main), want) << c.startDpi << " to " << c.newDpi;
    CloseApp();
  }
}
