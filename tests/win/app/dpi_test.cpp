// The main window's pixel figures in its DPI: at start-up in a process that
// sees 96 DPI, or 144 under the ctest entry win_app_dpi144, and after a
// WM_DPICHANGED, which takes the suggested rectangle, keeps the user's own
// column width in proportion and scales the fonts.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "common/app_state.h"
#include "common/dpi.h"
#include "common/dpi_scale.h"
#include "harness.h"

using Ints = std::vector<int>;

// Window rectangle; the list's left, top and gaps to the client's bottom and right; the column widths; the status
// part edges; the toolbar's and the row image's sizes and counts; the list's and the status bar's font heights.
static Ints Figures(HWND main) {
  RECT r, client, list;
  GetWindowRect(main, &r);
  GetClientRect(main, &client);
  GetWindowRect(g_fileList, &list);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&list), 2);
  Ints f = {r.left,
            r.top,
            r.right - r.left,
            r.bottom - r.top,
            list.left,
            list.top,
            client.bottom - list.bottom,
            client.right - list.right};
  for (int i = 0; i < 4; ++i) f.push_back(static_cast<int>(SendMessageA(g_fileList, LVM_GETCOLUMNWIDTH, i, 0)));
  f.resize(f.size() + 4);
  SendMessageA(g_statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(&f[f.size() - 4]));
  for (LRESULT images :
       {SendMessageA(g_toolbar, TB_GETIMAGELIST, 0, 0), SendMessageA(g_fileList, LVM_GETIMAGELIST, LVSIL_SMALL, 0)}) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(images), &cx, &cy);
    f.insert(f.end(), {cx, cy, ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(images))});
  }
  for (HWND control : {g_fileList, g_statusBar}) {
    LOGFONTA font = {};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    GetObjectA(handle ? handle : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    f.push_back(font.lfHeight);
  }
  return f;
}

TEST_F(AppTest, DpiLayoutAtStartAndAfterAChange) {
  const int dpi = SystemDpi();
  const char* expected = std::getenv("PLIMSAR_TEST_DPI");  // the entry that set it checks that it took
  if (expected) {
    ASSERT_EQ(dpi, std::atoi(expected));
  }
  const Ints at96 = {212, 144, 600, 480, 0, 40, 20, 0, 190, 220, 100, 60, 400, 500, 600, -1, 32, 32, 9, 12, 12, 1};
  struct {
    int startDpi, newDpi, userColumn;  // newDpi 0: no change; userColumn: the first column's width set before it
    RECT suggested;
    Ints want;
  } const cases[] = {
      {96, 0, 0, {}, at96},
      {96, 96, 0, {10, 10, 500, 400}, at96},  // the same DPI: nothing moves
      {144, 0, 0, {}, {62, 24, 900, 720, 0, 60, 30, 0, 285, 330, 150, 90, 600, 750, 900, -1, 48, 48, 9, 18, 18, 1}},
      // the user's 300 at 144 is 200 at 96; 120 DPI is as near 100 % as 150 %: the 100 % pictures
      // clang-format off
      {144, 96, 300, {100, 50, 700, 530},
       {100, 50, 600, 480, 0, 40, 20, 0, 200, 220, 100, 60, 400, 500, 600, -1, 32, 32, 9, 12, 12, 1}},
      {144, 120, 300, {100, 50, 850, 650},
       {100, 50, 750, 600, 0, 50, 25, 0, 250, 275, 125, 75, 500, 625, 750, -1, 32, 32, 9, 12, 12, 1}},
      // clang-format on
  };
  int ran = 0;
  for (const auto& c : cases) {
    if (c.startDpi != dpi) continue;
    ++ran;
    StartApp();
    Ints want = c.want, fonts = Figures(main);
    for (size_t i = fonts.size() - 2; i < fonts.size(); ++i) want.push_back(RescaleForDpi(fonts[i], dpi, c.newDpi));
    if (c.userColumn) SendMessageA(g_fileList, LVM_SETCOLUMNWIDTH, 0, c.userColumn);
    if (c.newDpi)
      SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(c.newDpi, c.newDpi), reinterpret_cast<LPARAM>(&c.suggested));
    Pump(50);
    EXPECT_EQ(Figures(main), want) << c.startDpi << " to " << c.newDpi;
    CloseApp();
  }
  EXPECT_GT(ran, 0) << "no case starts at " << dpi << " DPI";
}
