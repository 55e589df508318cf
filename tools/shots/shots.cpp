// Screenshots of the tool's windows for the documentation, taken under Xvfb
// by scripts/screenshots.sh. The real main window is created in this process,
// as the entry does; each shot opens what it shows and captures it from the
// screen into a 24-bit BMP.
//
// Usage: shots NAME OUT.bmp   takes one shot (at the DPI the process sees)
//        shots --list         prints "NAME FILE" for every shot (FILE: docs/FILE.png)
//
// Adding a shot: write one function that opens its window and captures it
// (CaptureWindow, or CaptureNextDialog before the command that opens a modal
// dialog), and add a line to kShots.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/code_page.h"
#include "app/entry.h"
#include "app/main_window.h"
#include "common/modal.h"
#include "filelist/add_paths.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

std::string g_output;  // full path of the BMP to write
bool g_captured;

void PumpFor(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    LONG left = static_cast<LONG>(end - GetTickCount());
    if (left <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left < 20 ? left : 20), QS_ALLINPUT);
  }
}

bool WriteBmp(const std::string& path, int width, int height, const BYTE* bits, int stride) {
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as the DIB section holds it
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  DWORD imageSize = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageSize;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
            std::fwrite(bits, 1, imageSize, out) == imageSize;
  return std::fclose(out) == 0 && ok;
}

// Lets the window (and whatever sits below it) paint, then copies its screen
// rectangle, frame and caption included, into g_output.
void CaptureWindow(HWND window, const RECT* extra = nullptr) {
  // A modal dialog is shown by its own loop only once that loop is idle; the
  // capture runs before that, so the dialog is shown here.
  if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(700);
  RECT r;
  GetWindowRect(window, &r);
  if (extra) UnionRect(&r, &r, extra);
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    int stride = (width * 3 + 3) & ~3;
    g_captured = WriteBmp(g_output, width, height, static_cast<const BYTE*>(bits), stride);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// The next modal dialog is captured once it is up, then closed with WM_CLOSE.
void CaptureNextDialog() {
  ModalHooks hooks;
  hooks.messageBox = [](HWND, const char* text, const char*, UINT) {
    std::fprintf(stderr, "unexpected message box: %s\n", text);
    return IDOK;
  };
  hooks.dialogDriver = [](HWND dialog, int) {
    CaptureWindow(dialog);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  };
  SetModalHooks(hooks);
}

// ---- the shots ----

void ShootSettingsDialog(HWND main) {
  CaptureNextDialog();
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_SETTINGS, 0), 0);
}

const char* const kDrawings[] = {"A-101_平面図.dwg",     "A-102_立面図.dwg",      "A-103_断面図.dwg",
                                 "S-201_構造伏図.dwg",   "S-202_軸組図.dwg",      "E-301_電気設備図.dwg",
                                 "M-401_空調設備図.dwg", "M-402_給排水設備図.dwg"};

// Rows as a folder scan would add them: files in the shot's own folder, each
// holding a behaviour line for the stand-in program.
void AddDrawingRows(const char* behaviour) {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  int row = RowCount();
  for (const char* name : kDrawings) {
    std::string path = std::string(folder) + "\\" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fputs(behaviour, f);
      std::fclose(f);
    }
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(ToWide(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    FindClose(find);
    char date[40];
    int32_t size = 0;
    RowTextsFromFindData(data, date, &size);
    AppendRow(name, folder, date, size, row++);
  }
}

void RemoveDrawingFiles() {
  for (const char* name : kDrawings) DeleteFileA(name);
}

void ShootMainWindow(HWND main) {
  AddDrawingRows("exit");
  MarkRow(2, true);
  SetFocus(g_fileList);  // selected rows are drawn highlighted while the list has the focus
  CaptureWindow(main);
  RemoveDrawingFiles();
}

// A run in progress: the stand-in program (built beside this one) sleeps for
// each file, so the rows stay marked and the status bar shows the limit.
void ShootRun(HWND main) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string standin = program;
  standin = standin.substr(0, standin.find_last_of('\\') + 1) + "standin.exe";
  {
    std::lock_guard<std::mutex> lock(SettingsMutex());
    std::snprintf(g_settings.p, sizeof g_settings.p, "%s", standin.c_str());
  }
  AddDrawingRows("sleep 20000");
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_RUN_ALL, 0), 0);
  PumpFor(3500);
  SetFocus(g_fileList);
  PumpFor(1200);
  CaptureWindow(main);
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDT_STOP, 0), 0);
  for (int i = 0; i < 100 && (g_run.running || g_run.workerThread); ++i) PumpFor(50);
  RemoveDrawingFiles();
}

// What make run shows: the demo files handed over on the command line.
void ShootDemo(HWND main) {
  static const char* const kDemoFiles[] = {"A-101_平面図.txt", "A-102_立面図.txt", "A-103_断面図.txt",
                                           "E-301_電気設備図.txt", "S-201_構造伏図.txt"};
  CreateDirectoryA("C:\\demo", nullptr);
  for (const char* name : kDemoFiles) {
    if (FILE* f = std::fopen((std::string("C:\\demo\\") + name).c_str(), "wb")) std::fclose(f);
  }
  AddPaths(main, ResolvePaths({L"C:\\demo\\*.txt"}));
  CaptureWindow(main);
  for (const char* name : kDemoFiles) DeleteFileA((std::string("C:\\demo\\") + name).c_str());
  RemoveDirectoryA("C:\\demo");
}

void ShootAbout(HWND main) {
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
  CaptureWindow(g_modelessDialog);
}

void ShootFolderPicker(HWND main) {
  CaptureNextDialog();
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FOLDER_PICKER, 0), 0);
}

// The search dialog after two searches, so its list offers them.
void ShootSearch(HWND main) {
  AddDrawingRows("exit");
  static const char* const kTexts[] = {"平面", "A-10"};
  static int done;
  done = 0;
  ModalHooks hooks;
  hooks.dialogDriver = [](HWND dialog, int) {
    if (done < 2) {
      SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, kTexts[done++]);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_GO, BN_CLICKED), 0);
      return;
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    SendDlgItemMessageA(dialog, IDC_SEARCH_TEXT, CB_SHOWDROPDOWN, TRUE, 0);
    RECT dropped;
    SendDlgItemMessageA(dialog, IDC_SEARCH_TEXT, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    CaptureWindow(dialog, &dropped);
    SendDlgItemMessageA(dialog, IDC_SEARCH_TEXT, CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  };
  SetModalHooks(hooks);
  for (int i = 0; i < 3; ++i) SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_LIST_SEARCH, 0), 0);
  RemoveDrawingFiles();
}

struct Shot {
  const char* name;
  const char* file;      // docs/<file>.png
  const char* settings;  // the plimsar.ini the tool starts with
  void (*take)(HWND main);
};

const char kSampleSettings[] =
    "filetypemax=2\r\nfile_type0=dwg\r\nfile_type1=dxf\r\nfileselect=0\r\nf=C:\\図面\r\n"
    "p=C:\\Program Files\\Viewer\\viewer.exe\r\nop_m1=/p \r\nop_m2=\r\n"
    "off_mode=1\r\noff_tim=30\r\napri_end=0\r\noff_size=500\r\n";

const char kRunSettings[] =
    "filetypemax=2\r\nfile_type0=dwg\r\nfile_type1=dxf\r\nfileselect=0\r\nf=C:\\図面\r\n"
    "p=\r\nop_m1=\r\nop_m2=\r\noff_mode=1\r\noff_tim=30\r\napri_end=0\r\noff_size=500\r\n";

const char kDemoSettings[] =
    "filetypemax=2\r\nfile_type0=txt\r\nfile_type1=dwg\r\nfileselect=0\r\nf=C:\\demo\r\n"
    "p=C:\\windows\\notepad.exe\r\nop_m1=\r\nop_m2=\r\noff_mode=1\r\noff_tim=3\r\napri_end=0\r\noff_size=0\r\n";

const char kRootSettings[] = "filetypemax=1\r\nfile_type0=dwg\r\nf=c:\\\r\n";

const Shot kShots[] = {
    {"main", "main-window", kSampleSettings, ShootMainWindow},
    {"demo", "demo-start", kDemoSettings, ShootDemo},
    {"run", "main-window-run", kRunSettings, ShootRun},
    {"settings", "settings-dialog", kSampleSettings, ShootSettingsDialog},
    {"picker", "folder-picker", kRootSettings, ShootFolderPicker},
    {"search", "search-dialog", kSampleSettings, ShootSearch},
    {"about", "about-box", kSampleSettings, ShootAbout},
    // scripts/screenshots.sh takes a shot whose file ends in -144dpi with the screen at 144 DPI
    {"main144", "main-window-144dpi", kSampleSettings, ShootMainWindow},
    {"settings144", "settings-dialog-144dpi", kSampleSettings, ShootSettingsDialog},
};

const Shot* FindShot(const char* name) {
  for (const Shot& shot : kShots) {
    if (std::strcmp(shot.name, name) == 0) return &shot;
  }
  return nullptr;
}

// Runs the tool's main window in a fresh directory holding the shot's settings.
int TakeShot(const Shot& shot) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "plimsar-shot-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  if (!SetCurrentDirectoryA(dir.c_str())) return 1;
  std::string ini = dir + "\\plimsar.ini";
  if (FILE* f = std::fopen(ini.c_str(), "wb")) {
    std::fwrite(shot.settings, 1, std::strlen(shot.settings), f);
    std::fclose(f);
  }
  HWND main = StartTool(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  if (!main) return 1;
  PumpFor(300);
  shot.take(main);
  DestroyWindow(main);
  PumpFor(100);
  SetModalHooks(ModalHooks{});
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(dir.c_str());
  return g_captured ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const Shot& shot : kShots) std::printf("%s %s\n", shot.name, shot.file);
    return 0;
  }
  const Shot* shot = argc == 3 ? FindShot(argv[1]) : nullptr;
  if (!shot) {
    std::fprintf(stderr, "usage: shots NAME OUT.bmp | shots --list\n");
    return 2;
  }
  if (GetACP() != 932) {
    std::fprintf(stderr, "shots need code page 932 (LC_ALL=ja_JP.UTF-8), got %u\n", GetACP());
    return 2;
  }
  char full[MAX_PATH] = {};
  if (!GetFullPathNameA(argv[2], sizeof full, full, nullptr)) return 2;
  g_output = full;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  int code = TakeShot(*shot);
  if (code != 0) std::fprintf(stderr, "shot %s: nothing captured\n", shot->name);
  return code;
}
