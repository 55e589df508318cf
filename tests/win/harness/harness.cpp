#include "harness.h"

#include <commctrl.h>

#include <fstream>
#include <future>
#include <mutex>

#include "app/entry.h"
#include "app/main_window.h"
#include "common/app_state.h"
#include "common/modal.h"
#include "settings/settings_lock.h"

static std::mutex g_boxLock;  // boxes may come from the worker thread
static Texts g_boxes;
static HANDLE g_boxGate;

bool SettingsLockFree() {
  auto tryLock = [] { return std::unique_lock<std::mutex>(SettingsMutex(), std::try_to_lock).owns_lock(); };
  return std::async(std::launch::async, tryLock).get();
}

static int RecordBox(HWND owner, const char* text, const char* caption, UINT type) {
  const bool locked = !SettingsLockFree();  // shown in the box's record, as the worker's may not fail a test
  char ownerName[16] = "";
  if (owner && owner == g_mainWindow) strcpy(ownerName, "main");
  else if (owner) GetClassNameA(owner, ownerName, sizeof ownerName);
  std::unique_lock<std::mutex> lock(g_boxLock);
  g_boxes.push_back(std::string(text) + "|" + caption + "|" + std::to_string(type) + "|" + ownerName +
                    (locked ? "|locked" : ""));
  lock.unlock();
  if (!owner && g_boxGate) WaitForSingleObject(g_boxGate, 20000);
  return IDOK;
}

static LRESULT CALLBACK RefuseListView(int code, WPARAM wp, LPARAM lp) {
  char name[64] = {};
  if (code == HCBT_CREATEWND) GetClassNameA(reinterpret_cast<HWND>(wp), name, sizeof name);
  return strcmp(name, "SysListView32") == 0 ? 1 : CallNextHookEx(nullptr, code, wp, lp);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
  while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) {
    for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

static bool Never() { return false; }
void Pump(int ms) { PumpUntil(Never, ms); }

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFileBytes(const std::string& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Wide(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1);
  for (size_t at = wide.find(L'|'); at != std::wstring::npos; at = wide.find(L'|')) wide.replace(at, 1, L"\U00020BB7");
  return wide;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  std::string program(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return program.substr(0, program.rfind('\\') + 1);
}

std::string MakeTempDir(const std::string& name) {
  char base[MAX_PATH] = {};
  std::string path = std::string(base, GetTempPathA(sizeof base, base)) + "plimsar-tests";
  CreateDirectoryA(path.c_str(), nullptr);
  path += "\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  while (!CreateDirectoryA(path.c_str(), nullptr)) path += "x";
  return path;
}

Texts ColumnTexts(HWND list, int column) {
  Texts texts;
  char text[MAX_PATH];
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    ListView_GetItemText(list, row, column, text, MAX_PATH);
    texts.push_back(text);
  }
  return texts;
}

void WithoutListViews(const std::function<void()>& body) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseListView, nullptr, GetCurrentThreadId());
  body();
  UnhookWindowsHookEx(hook);
}

void AppTest::SetUp() {
  ASSERT_EQ(GetACP(), 932u) << "the tests need code page 932: run them under LC_ALL=ja_JP.UTF-8";
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = MakeTempDir(std::string(info->test_suite_name()) + "-" + info->name());
  g_boxes.clear();
  g_boxGate = nullptr;
  // An unexpected dialog fails the test instead of waiting for a user.
  OnDialog([](HWND dialog, int id) {
    ADD_FAILURE() << "unexpected dialog " << id;
    EndDialog(dialog, 1);
  });
  OnOpenFile([](OPENFILENAMEA*) { return ADD_FAILURE() << "unexpected open-file dialog", FALSE; });
  OnOpenFileW([](OPENFILENAMEW*) { return ADD_FAILURE() << "unexpected open-file dialog", FALSE; });
  OnBrowse([](BROWSEINFOW*, wchar_t*) { ADD_FAILURE() << "unexpected browse dialog"; });
  SetModalHooks({RecordBox, [](HWND dialog, int id) { driver_(dialog, id); },
                 [](OPENFILENAMEA* ofn) { return openFile_(ofn); },
                 [](BROWSEINFOW* info, wchar_t* out) { browse_(info, out); },
                 [](OPENFILENAMEW* ofn) { return openFileW_(ofn); }});
}

void AppTest::TearDown() {
  if (main) CloseApp();
  SetModalHooks({});
}

void AppTest::StartApp() {
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  main = StartTool(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  ASSERT_NE(main, nullptr);
  Pump(20);
}

void AppTest::CloseApp() {
  if (IsWindow(main)) PostMessageA(main, WM_CLOSE, 0, 0);
  else PostQuitMessage(0);  // a pump may have taken the quit of the window destroyed already
  RunMessageLoop();
  FinishTool();
  UnregisterClassA(kMainClassName, GetModuleHandleA(nullptr));
  main = g_mainWindow = g_fileList = g_toolbar = g_statusBar = nullptr;
}

Texts AppTest::Boxes() {
  std::lock_guard<std::mutex> lock(g_boxLock);
  return g_boxes;
}

void AppTest::HoldUnownedBoxes(HANDLE gate) { g_boxGate = gate; }

void AppTest::ClearBoxes() {
  std::lock_guard<std::mutex> lock(g_boxLock);
  g_boxes.clear();
}
