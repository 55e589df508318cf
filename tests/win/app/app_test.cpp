// The main window, the help commands, start-up and exit: what needs Windows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/entry.h"
#include "common/app_state.h"
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
  const Labels menu = {{IDM_ADD_FILES, "１ファイル追加(&A)"},
                       {IDM_ADD_FOLDER, "フォルダ単位(&W)"},
                       {IDM_ADD_SUBFOLDERS, "サブフォルダ(&G)"},
                       {IDM_FOLDER_PICKER, "フォルダ選択(&S)"},
                       {IDM_REMOVE_SELECTED, "選択削除(&D)"},
                       {IDM_REMOVE_ALL, "オール削除(&C)"},
                       {IDM_LIST_SEARCH, "ﾘｽﾄ内検索(&L)"},
                       {IDM_SELECT_ALL, "ｵｰﾙ選択(&A)"},
                       {IDM_DESELECT_SELECTED, "選択オールクリア(&C)"},
                       {IDM_DRIVE_SEARCH, "HDD内検索(&H)"},
                       {IDM_RUN_ALL, "全リスト実行印刷(&A)"},
                       {IDM_RUN_SELECTION, "選択実行印刷(&C)"},
                       {IDM_SETTINGS, "環境設定(&T)"},
                       {IDM_HELP, "ﾍﾙﾌﾟ(&W)"},
                       {IDM_HOMEPAGE, "Tamselのホームページ(&H)"},
                       {IDM_ABOUT, "このソフトについて(&S)"},
                       {IDM_EXIT, "終了(&X)"}};
  char text[MAX_PATH];
  for (const auto& [id, want] : menu) {
    GetMenuStringA(GetMenu(main), id, text, MAX_PATH, MF_BYCOMMAND);
    EXPECT_EQ(text, want) << id;
  }
  Labels buttons;  // in the toolbar's order, with their tooltips
  for (int i = 0; i < SendMessageA(g_toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
    TBBUTTON button = {};
    SendMessageA(g_toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    NMTTDISPINFOA tip = {{nullptr, static_cast<UINT_PTR>(button.idCommand), TTN_NEEDTEXTA}};
    SendMessageA(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    buttons.push_back({button.idCommand, tip.lpszText});
  }
  EXPECT_EQ(buttons, Labels({{IDT_FOLDER_PICKER, "フォルダを選択し追加"},
                             {IDT_ADD_SUBFOLDERS, "サブフォルダ内も追加"},
                             {IDT_ADD_FOLDER, "フォルダ単位で追加"},
                             {IDT_ADD_FILES, "１ファイル追加"},
                             {IDT_REMOVE, "リストから削除"},
                             {IDT_RUN, "実行"},
                             {IDT_STOP, "停止"},
                             {IDT_HELP, "ヘルプ"},
                             {IDT_EXIT, "終了"}}));
  Labels columns;  // width and heading
  LVCOLUMNA column = {LVCF_TEXT | LVCF_WIDTH, 0, 0, text, MAX_PATH};
  while (SendMessageA(g_fileList, LVM_GETCOLUMNA, columns.size(), reinterpret_cast<LPARAM>(&column)))
    columns.push_back({column.cx, text});
  EXPECT_EQ(columns, Labels({{190, "ファイル名"}, {220, "フォルダ名"}, {100, "日付け"}, {60, "サイズ"}}));
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
  const Labels pages = {{IDM_HELP, "plimsar.html"},
                        {IDT_HELP, "plimsar.html"},
                        {IDM_HOMEPAGE, "plimsar.html"},
                        {IDC_SET_HELP, "settings.html"}};
  int button = 0;
  OnDialog([&](HWND dialog, int) {
    SendMessageA(dialog, WM_COMMAND, button, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EndDialog(dialog, 0);
  });
  std::string lines;
  for (bool there : {true, false}) {
    if (there) {
      EXPECT_TRUE(CopyFileA((ProgramFolder() + "standin.exe").c_str(), browser.c_str(), FALSE));
    } else {  // a browser still ending keeps its file a moment
      EXPECT_TRUE(PumpUntil([&] { return DeleteFileA(browser.c_str()) || !FileExists(browser); }, 10000));
    }
    for (const auto& [id, page] : pages) {
      ClearBoxes();
      button = id;
      Command(id == IDC_SET_HELP ? IDM_SETTINGS : id);
      // Wine hands a program started by an unquoted path its path quoted.
      if (there) lines += "\"" + browser + "\" " + address + page + "\n";
      PumpUntil([&] { return ReadFileBytes(log) == lines; }, 10000);  // the stand-in may still be writing
      EXPECT_EQ(ReadFileBytes(log), lines);
      const std::string owner = id == IDC_SET_HELP ? "#32770" : "main";
      EXPECT_EQ(Boxes(), there ? Texts{} : Texts{"Internet Explorerが見つかりませんでした。|残念！|0|" + owner});
    }
  }
  MoveFileExA(aside.c_str(), browser.c_str(), MOVEFILE_REPLACE_EXISTING);
}
