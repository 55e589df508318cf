#include "harness.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <deque>
#include <fstream>
#include <mutex>
#include <sstream>

#include "app/entry.h"
#include "app/main_window.h"
#include "common/app_state.h"
#include "common/modal.h"

namespace {

std::mutex g_boxLock;
std::vector<RecordedBox> g_boxes;
std::deque<int> g_answers;
std::function<void(HWND, int)> g_driver;
std::function<BOOL(OPENFILENAMEA*)> g_openFile;
std::function<void(BROWSEINFOA*, char*)> g_browse;
bool g_quitSeen;  // Pump took the WM_QUIT of a destroyed main window

int RecordBox(HWND owner, const char* text, const char* caption, UINT type) {
  std::lock_guard<std::mutex> lock(g_boxLock);
  g_boxes.push_back({owner, text ? text : "", caption ? caption : "", type, GetCurrentThreadId()});
  if (g_answers.empty()) return IDOK;
  int answer = g_answers.front();
  g_answers.pop_front();
  return answer;
}

}  // namespace

void Pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        g_quitSeen = true;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    LONG left = static_cast<LONG>(end - GetTickCount());
    if (left <= 0) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left < 20 ? left : 20), QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
  while (!done()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return done();
    Pump(10);
  }
  return true;
}

std::vector<DWORD> ProcessesNamed(const char* exeName) {
  std::vector<DWORD> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {sizeof pe};
  for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe)) {
    if (lstrcmpiA(pe.szExeFile, exeName) == 0) ids.push_back(pe.th32ProcessID);
  }
  CloseHandle(snap);
  return ids;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string MakeTempDir(const std::string& name) {
  char base[MAX_PATH] = {};
  GetTempPathA(sizeof base, base);
  std::string root = std::string(base) + "plimsar-tests";
  CreateDirectoryA(root.c_str(), nullptr);
  std::string path = root + "\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(GetTickCount());
  for (int i = 0; !CreateDirectoryA(path.c_str(), nullptr); ++i) path += "x";
  return path;
}

void AppTest::SetUp() {
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  savedDir_ = cwd;
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = MakeTempDir(std::string(info->test_suite_name()) + "-" + info->name());
  {
    std::lock_guard<std::mutex> lock(g_boxLock);
    g_boxes.clear();
    g_answers.clear();
  }
  g_driver = nullptr;
  g_openFile = nullptr;
  g_browse = nullptr;
  InstallHooks();
}

void AppTest::TearDown() {
  if (main && IsWindow(main)) CloseApp();
  SetModalHooks(ModalHooks{});
  SetCurrentDirectoryA(savedDir_.c_str());
}

void AppTest::InstallHooks() {
  ModalHooks hooks;
  hooks.messageBox = RecordBox;
  hooks.dialogDriver = [](HWND dialog, int id) {
    if (g_driver) {
      g_driver(dialog, id);
    } else {
      ADD_FAILURE() << "unexpected modal dialog " << id;
      EndDialog(dialog, 1);
    }
  };
  hooks.openFile = [](OPENFILENAMEA* ofn) -> BOOL {
    if (g_openFile) return g_openFile(ofn);
    ADD_FAILURE() << "unexpected open-file dialog";
    return FALSE;
  };
  hooks.browseFolder = [](BROWSEINFOA* info, char* out) {
    if (g_browse) {
      g_browse(info, out);
    } else {
      ADD_FAILURE() << "unexpected browse dialog";
    }
  };
  SetModalHooks(hooks);
}

void AppTest::StartApp() {
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  g_quitSeen = false;
  main = StartTool(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  ASSERT_NE(main, nullptr);
  Pump(20);
}

void AppTest::CloseApp() {
  // The close box's way out, then the entry's own loop and exit steps.
  if (IsWindow(main)) PostMessageA(main, WM_CLOSE, 0, 0);
  if (IsWindow(main) || !g_quitSeen) RunMessageLoop();
  FinishTool();
  UnregisterClassA(kMainClassName, GetModuleHandleA(nullptr));
  main = nullptr;
  g_mainWindow = nullptr;
  g_fileList = g_toolbar = g_statusBar = nullptr;
}

void AppTest::Command(int id) { SendMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::vector<RecordedBox> AppTest::Boxes() {
  std::lock_guard<std::mutex> lock(g_boxLock);
  return g_boxes;
}

void AppTest::ExpectBoxes(size_t count, HWND owner, const char* text, const char* caption, UINT type) {
  std::vector<RecordedBox> boxes = Boxes();
  ASSERT_EQ(boxes.size(), count);
  for (const RecordedBox& box : boxes) {
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.type, type);
  }
}

void AppTest::ClearBoxes() {
  std::lock_guard<std::mutex> lock(g_boxLock);
  g_boxes.clear();
}

void AppTest::QueueAnswer(int answer) {
  std::lock_guard<std::mutex> lock(g_boxLock);
  g_answers.push_back(answer);
}

void AppTest::OnDialog(std::function<void(HWND, int)> driver) { g_driver = std::move(driver); }
void AppTest::OnOpenFile(std::function<BOOL(OPENFILENAMEA*)> hook) { g_openFile = std::move(hook); }
void AppTest::OnBrowse(std::function<void(BROWSEINFOA*, char*)> hook) { g_browse = std::move(hook); }
